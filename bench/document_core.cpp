// What users wait for in the document core: a whole conversion run with its progress and event
// pumping on a large document, and opening and saving large documents through the open and save
// commands (dialogs answered by script). Each stands beside its floor, the least work its operation
// needs, measured in the same run (bench/run_and_floor.h): the letter mapping and what the editor
// must hold of its result; the file read, decoded and held as the editor holds a text; the bytes the
// file must hold written to a new file and flushed to the disk.
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
#include <vector>

#include "bench/repeated_text.h"
#include "bench/run_and_floor.h"
#include "bench/sample_file.h"
#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/decode.h"
#include "core/document.h"
#include "platform/application.h"
#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"

namespace {

using platform::script::Answer;
using platform::script::Kind;
using Clock = std::chrono::steady_clock;

qmtest::StandInServices* windows = nullptr;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::u16string MixedText(std::size_t length) {
  return Repeated(u"Съешь же ещё этих мягких французских булок, да выпей чаю. The quick brown fox 42.\r\n", length);
}

// What the editor holds of a text: its Windows-1251 bytes, a byte a character, and where its lines
// start; made in one pass each, into room sized once.
void Hold(const std::u16string& text) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(table[text[i]]);
  std::vector<std::int32_t> starts{0};
  for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '\n', bytes.data() + bytes.size() - p))) != nullptr;)
    starts.push_back(static_cast<std::int32_t>(++p - bytes.data()));
  benchmark::DoNotOptimize(bytes.data());
  benchmark::DoNotOptimize(starts.data());
}

// A conversion run of 1 M or 10 M characters through the stand-in windows, progress window and its
// event pumping included. The floor is the least the run must do: keep the text before it for its
// undo, map its letters, and hold the result as the editor holds a text.
void DecodeDocumentRun(benchmark::State& state) {
  const std::u16string text = MixedText(static_cast<std::size_t>(state.range(0)));
  qmtest::SelectDirection(*windows, 4);
  RunAndFloor(
      state,
      [&] {
        windows->editor().Text(text);
        windows->decoding.values.clear();
        const auto t0 = Clock::now();
        modDecode::DecodeDocument();
        return Milliseconds(Clock::now() - t0);
      },
      [&] {
        const auto t0 = Clock::now();
        const std::u16string before = text;
        Hold(modDecode::ConvertText(before, 2, 1));
        benchmark::DoNotOptimize(before.data());
        return Milliseconds(Clock::now() - t0);
      });
  state.counters["steps"] = static_cast<double>(windows->decoding.values.size());
}
BENCHMARK(DecodeDocumentRun)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();

// A file of about `megabytes` MB of Windows-1251 text in CR LF lines.
std::filesystem::path SampleFile(std::size_t megabytes) {
  return Windows1251SampleFile("qm-bench-" + std::to_string(megabytes) + "mb.txt", megabytes);
}

// The Open command on a 10 MB file. The floor is the least an open must do: read the file, decode
// its bytes, and hold the text as the editor holds one.
void OpenDocumentTenMegabytes(benchmark::State& state) {
  const auto path = SampleFile(10);
  const std::u16string name = vb::FromUtf8(path.string());
  const std::array<char16_t, 256>& table = vb::Windows1251Chars();
  RunAndFloor(
      state,
      [&] {
        windows->editor().Text(u"");
        platform::script::Queue(Answer{Kind::OpenFile, 1, name});
        const auto t0 = Clock::now();
        modDocument::OpenDocument();
        return Milliseconds(Clock::now() - t0);
      },
      [&] {
        const auto t0 = Clock::now();
        const std::string bytes = vb::ReadAllBytes(name);
        std::u16string text(bytes.size(), u'\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = table[static_cast<unsigned char>(bytes[i])];
        Hold(text);
        return Milliseconds(Clock::now() - t0);
      });
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// `bytes` written to a new file at `to` and flushed to the disk.
void WriteAndSync(const std::string& bytes, const std::filesystem::path& to) {
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::write(fd, bytes.data(), bytes.size()) < 0) std::perror("write");
  ::fsync(fd);
  ::close(fd);
}

// `bytes` put safely in place of the file `to`: written to a new file beside it, flushed, renamed
// over it, and the rename flushed with the folder.
void ReplaceSafely(const std::string& bytes, const std::filesystem::path& to) {
  const std::filesystem::path fresh = to.string() + ".new";
  WriteAndSync(bytes, fresh);
  std::filesystem::rename(fresh, to);
  const int folder = ::open(to.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// The Save command on a 10 MB document saved under its name before (Save As, untimed): the text
// written safely over the file, so a failure leaves the old file whole. The floor is the least such
// a save must do: the bytes the editor keeps copied into the file's bytes with its final line break,
// and put safely in place of a file of the same size. Beside it, the reference of the table encode:
// the text encoded from UTF-16 by a table lookup per character, written to a file and flushed
// (`encode_floor_ms`), and the run against it (`ratio_to_encoding`).
void SaveDocumentTenMegabytes(benchmark::State& state) {
  const auto path = SampleFile(10);
  platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
  modDocument::OpenDocument();
  const auto saved = std::filesystem::temp_directory_path() / "qm-bench-10mb-saved.txt";
  const auto bare = std::filesystem::temp_directory_path() / "qm-bench-10mb-bare.txt";
  const auto encoded = std::filesystem::temp_directory_path() / "qm-bench-10mb-encoded.txt";
  platform::script::Queue(Answer{Kind::SaveFile, 1, vb::FromUtf8(saved.string())});
  modDocument::SaveDocumentAs();
  modDocument::DocumentSavedAs = true;
  const std::u16string& text = windows->editor().Text();
  const std::string kept = vb::ToWindows1251(text);
  std::filesystem::copy_file(saved, bare, std::filesystem::copy_options::overwrite_existing);
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  std::vector<double> encodings;
  RunAndFloor(
      state,
      [&] {
        const auto t0 = Clock::now();
        if (!modDocument::SaveDocument()) state.SkipWithError("the document was not saved");
        const double ms = Milliseconds(Clock::now() - t0);
        // The reference, in turn with the rest.
        const auto t1 = Clock::now();
        std::string bytes(text.size() + 2, '\0');
        for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(table[text[i]]);
        bytes[text.size()] = '\r';
        bytes[text.size() + 1] = '\n';
        WriteAndSync(bytes, encoded);
        encodings.push_back(Milliseconds(Clock::now() - t1));
        return ms;
      },
      [&] {
        const auto t0 = Clock::now();
        std::string bytes(kept.size() + 2, '\0');
        std::memcpy(bytes.data(), kept.data(), kept.size());
        bytes[kept.size()] = '\r';
        bytes[kept.size() + 1] = '\n';
        ReplaceSafely(bytes, bare);
        return Milliseconds(Clock::now() - t0);
      });
  state.counters["encode_floor_ms"] = Median(encodings);
  state.counters["ratio_to_encoding"] = state.counters["run_ms"] / std::max(Median(encodings), 1e-6);
  for (const auto& p : {path, saved, bare, encoded}) std::filesystem::remove(p);
}
BENCHMARK(SaveDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();

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
