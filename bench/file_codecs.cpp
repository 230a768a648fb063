// The Windows-1251 codecs on 10 MB: a document file's bytes into the editor's text and back (the
// open and save paths, line breaks and their tags included), and the runtime's plain conversions
// that the rich edit control's LoadFile and SaveFile and the file statements use. The floor of each
// is the least such a conversion does: one table lookup per character into an output sized once.
// Work and floor take turns (bench/run_and_floor.h). Both run on memory the process has touched
// before (freed blocks stay with the process): a first touch of fresh pages costs this machine more
// than the conversion itself, and as much to the floor as to the work.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "bench/run_and_floor.h"
#include "bench/run_benchmarks.h"
#include "core/document_file.h"
#include "platform/codepage/codepage.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// 10 MB of Russian and Latin text in CR LF lines of about 60 bytes, as a document file holds it.
const std::string& FileBytes() {
  static const std::string bytes = [] {
    const std::string line = "\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xe5 \xfd\xf2\xe8\xf5 \xec\xff\xe3\xea\xe8\xf5 "
                             "\xe1\xf3\xeb\xee\xea, The quick brown fox 42.\r\n";
    std::string b;
    while (b.size() < 10'000'000) b += line;
    b.resize(10'000'000);
    return b;
  }();
  return bytes;
}

const std::u16string& Text() {
  static const std::u16string text = modDocument::DecodeFile(FileBytes()).text;
  return text;
}

// The floors: one table lookup per character into an output sized once.
double BareDecodeMilliseconds(const std::string& bytes) {
  const std::array<char16_t, 256>& table = vb::Windows1251Chars();
  const auto t0 = Clock::now();
  std::u16string out(bytes.size(), u'\0');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* o = out.data();
  for (std::size_t i = 0; i < bytes.size(); ++i) o[i] = table[in[i]];
  benchmark::DoNotOptimize(out.data());
  return Milliseconds(Clock::now() - t0);
}

double BareEncodeMilliseconds(const std::u16string& text) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  const auto t0 = Clock::now();
  std::string out(text.size(), '\0');
  const char16_t* in = text.data();
  char* o = out.data();
  for (std::size_t i = 0; i < text.size(); ++i) o[i] = static_cast<char>(table[in[i]]);
  benchmark::DoNotOptimize(out.data());
  return Milliseconds(Clock::now() - t0);
}

// The milliseconds `work` takes.
template <typename Work>
double Timed(Work work) {
  const auto t0 = Clock::now();
  work();
  return Milliseconds(Clock::now() - t0);
}

template <typename Work, typename Floor>
void Measure(benchmark::State& state, Work work, Floor floor) {
  RunAndFloor(state, [&] { return Timed(work); }, floor);
}

void DocumentBytesToText(benchmark::State& state) {
  Measure(
      state, [] { benchmark::DoNotOptimize(modDocument::DecodeFile(FileBytes()).text.data()); },
      [] { return BareDecodeMilliseconds(FileBytes()); });
}

void DocumentTextToBytes(benchmark::State& state) {
  const modDocument::DecodedFile file = modDocument::DecodeFile(FileBytes());
  Measure(
      state,
      [&] {
        bool lossy = false;
        benchmark::DoNotOptimize(modDocument::EncodeFile(file.text, file.tags, file.layout, &lossy).data());
      },
      [&] { return BareEncodeMilliseconds(file.text); });
}

void PlainBytesToText(benchmark::State& state) {
  Measure(
      state, [] { benchmark::DoNotOptimize(vb::FromWindows1251(FileBytes()).data()); },
      [] { return BareDecodeMilliseconds(FileBytes()); });
}

void PlainTextToBytes(benchmark::State& state) {
  Measure(
      state, [] { benchmark::DoNotOptimize(vb::ToWindows1251(Text()).data()); },
      [] { return BareEncodeMilliseconds(Text()); });
}

BENCHMARK(DocumentBytesToText)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();
BENCHMARK(DocumentTextToBytes)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();
BENCHMARK(PlainBytesToText)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();
BENCHMARK(PlainTextToBytes)->Unit(benchmark::kMillisecond)->Iterations(9)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  RunBenchmarks(argc, argv);
  return 0;
}
