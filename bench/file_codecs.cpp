// The Windows-1251 codecs on 10 MB: a document file's bytes into the editor's text and back (the
// open and save paths, line breaks and their tags included), and the runtime's plain conversions
// that the rich edit control's LoadFile and SaveFile and the file statements use. The floor of each
// is one table lookup per character into an output of the right size, measured in the same
// iteration; the ratio to it is the counter `ratio`. Both run on memory the process has touched
// before (freed blocks stay with the process): a first touch of fresh pages costs this machine more
// than the conversion itself, and as much to the floor as to the work.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

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
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
  benchmark::DoNotOptimize(out.data());
  return Milliseconds(Clock::now() - t0);
}

double BareEncodeMilliseconds(const std::u16string& text) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  const auto t0 = Clock::now();
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(table[text[i]]);
  benchmark::DoNotOptimize(out.data());
  return Milliseconds(Clock::now() - t0);
}

template <typename Work, typename Floor>
void Measure(benchmark::State& state, Work work, Floor floor) {
  work();
  floor();
  double spent = 0;
  double floorSpent = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    work();
    const double ms = Milliseconds(Clock::now() - t0);
    state.SetIterationTime(ms / 1000);
    spent += ms;
    floorSpent += floor();
  }
  state.counters["floor_ms"] = floorSpent / static_cast<double>(state.iterations());
  state.counters["ratio"] = spent / floorSpent;
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

BENCHMARK(DocumentBytesToText)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(DocumentTextToBytes)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(PlainBytesToText)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(PlainTextToBytes)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
