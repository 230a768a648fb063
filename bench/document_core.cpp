// What users wait for in the document core: a whole conversion run with its progress and event
// pumping on a large document, and opening and saving large documents through the open and save
// commands (dialogs answered by script). Each stands beside its floor measured in the same run (the
// letter mapping and the toolkit's own text assignment, a bare table encode-write-fsync), reported
// as `ratio`.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/sample_file.h"
#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/decode.h"
#include "core/document.h"
#include "platform/application.h"
#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/testing/richedit.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"

namespace {

using platform::script::Answer;
using platform::script::Kind;
using Clock = std::chrono::steady_clock;

qmtest::StandInServices* windows = nullptr;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::u16string WithLf(const std::u16string& crlf) {
  std::u16string lf;
  lf.reserve(crlf.size());
  for (std::size_t i = 0; i < crlf.size(); ++i)
    if (!(crlf[i] == u'\r' && i + 1 < crlf.size() && crlf[i + 1] == u'\n')) lf += crlf[i];
  return lf;
}

std::u16string MixedText(std::size_t length) {
  const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю. The quick brown fox 42.\r\n";
  std::u16string text;
  text.reserve(length + line.size());
  while (text.size() < length) text += line;
  text.resize(length);
  return text;
}

// A conversion run of 1 M or 10 M characters through the stand-in windows, progress window and its
// event pumping included. The floor is the least the run must do: the letter mapping of the text
// and the toolkit's own assignment of the converted text.
void DecodeDocumentRun(benchmark::State& state) {
  const std::u16string text = MixedText(static_cast<std::size_t>(state.range(0)));
  qmtest::SelectDirection(*windows, 4);
  const auto floorMilliseconds = [&text] {
    const auto t0 = Clock::now();
    const std::u16string converted = modDecode::ConvertText(text, 2, 1);
    const double mapped = Milliseconds(Clock::now() - t0);
    return mapped + platform::testing::BareSetPlainTextMilliseconds(WithLf(converted));
  };
  // One run and one floor before the timed ones, so that neither meets memory the process has not
  // touched yet while the other finds it ready.
  windows->editor().Text(text);
  modDecode::DecodeDocument();
  floorMilliseconds();
  double run = 0;
  double floor = 0;
  for (auto _ : state) {
    windows->editor().Text(text);
    windows->decoding.values.clear();
    const auto t0 = Clock::now();
    modDecode::DecodeDocument();
    const double ms = Milliseconds(Clock::now() - t0);
    state.SetIterationTime(ms / 1000);
    run += ms;
    floor += floorMilliseconds();
  }
  state.counters["steps"] = static_cast<double>(windows->decoding.values.size());
  state.counters["floor_ms"] = floor / static_cast<double>(state.iterations());
  state.counters["ratio"] = run / floor;
}
BENCHMARK(DecodeDocumentRun)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();

// A file of about `megabytes` MB of Windows-1251 text in CR LF lines.
std::filesystem::path SampleFile(std::size_t megabytes) {
  return Windows1251SampleFile("qm-bench-" + std::to_string(megabytes) + "mb.txt", megabytes);
}

void OpenDocumentTenMegabytes(benchmark::State& state) {
  const auto path = SampleFile(10);
  const std::u16string lf = WithLf(vb::FromWindows1251(vb::ReadAllBytes(vb::FromUtf8(path.string()))));
  double open = 0;
  double floor = 0;
  for (auto _ : state) {
    windows->editor().Text(u"");
    platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
    const auto t0 = Clock::now();
    modDocument::OpenDocument();
    const double ms = Milliseconds(Clock::now() - t0);
    state.SetIterationTime(ms / 1000);
    open += ms;
    floor += platform::testing::BareSetPlainTextMilliseconds(lf);
  }
  state.counters["floor_ms"] = floor / static_cast<double>(state.iterations());
  state.counters["ratio"] = open / floor;
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The floor of a save: the editor's text encoded by one table lookup per character into bytes
// sized once for it and its final line break, written to a new file and flushed to the disk.
double EncodeWriteSyncMilliseconds(const std::u16string& text, const std::filesystem::path& to) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  const auto t0 = Clock::now();
  std::string bytes(text.size() + 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(table[text[i]]);
  bytes[text.size()] = '\r';
  bytes[text.size() + 1] = '\n';
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) {
    if (::write(fd, bytes.data(), bytes.size()) < 0) std::perror("write");
    ::fsync(fd);
    ::close(fd);
  }
  return Milliseconds(Clock::now() - t0);
}

// The Save command on a 10 MB document saved under its name before (Save As, untimed): the text
// encoded and written safely over the file. The bare write goes to a file of its own beside it.
void SaveDocumentTenMegabytes(benchmark::State& state) {
  const auto path = SampleFile(10);
  platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
  modDocument::OpenDocument();
  const auto saved = std::filesystem::temp_directory_path() / "qm-bench-10mb-saved.txt";
  const auto bare = std::filesystem::temp_directory_path() / "qm-bench-10mb-bare.txt";
  platform::script::Queue(Answer{Kind::SaveFile, 1, vb::FromUtf8(saved.string())});
  modDocument::SaveDocumentAs();
  modDocument::DocumentSavedAs = true;
  EncodeWriteSyncMilliseconds(windows->editor().Text(), bare);
  double save = 0;
  double floor = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    if (!modDocument::SaveDocument()) state.SkipWithError("the document was not saved");
    const double ms = Milliseconds(Clock::now() - t0);
    state.SetIterationTime(ms / 1000);
    save += ms;
    floor += EncodeWriteSyncMilliseconds(windows->editor().Text(), bare);
  }
  state.counters["floor_ms"] = floor / static_cast<double>(state.iterations());
  state.counters["ratio"] = save / floor;
  std::filesystem::remove(path);
  std::filesystem::remove(saved);
  std::filesystem::remove(bare);
}
BENCHMARK(SaveDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// Resident memory now and at its peak since the last reset, in bytes.
double StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::strtod(line.c_str() + std::strlen(field), nullptr) * 1024;
  return 0;
}

// A 200 MB document: the time to open it, and the memory it takes, as a multiple of its size.
void OpenDocumentTwoHundredMegabytes(benchmark::State& state) {
  const auto path = SampleFile(200);
  const double size = static_cast<double>(std::filesystem::file_size(path));
  for (auto _ : state) {
    windows->editor().Text(u"");
    modDocument::Reset();
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    const double before = StatusBytes("VmRSS:");
    platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
    const auto t0 = Clock::now();
    modDocument::OpenDocument();
    state.SetIterationTime(Milliseconds(Clock::now() - t0) / 1000);
    state.counters["peak_times_size"] = (StatusBytes("VmHWM:") - before) / size;
    state.counters["kept_times_size"] = (StatusBytes("VmRSS:") - before) / size;
  }
  windows->editor().Text(u"");
  modDocument::Reset();
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentTwoHundredMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "document-core", windows); }
