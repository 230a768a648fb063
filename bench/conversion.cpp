// Letter mapping of a large text against a plain copy of the same text, the ceiling any conversion
// that builds a new text can reach. Both report characters per second.
#include <benchmark/benchmark.h>

#include <string>

#include "core/decode.h"

namespace {

// Ten million characters of Russian words in their KOI-8 rendering, mixed with Latin words,
// digits, punctuation and line breaks.
const std::u16string& MixedText() {
  static const std::u16string text = [] {
    const std::u16string line =
        u"Съешь же ещё этих мягких французских булок, да выпей чаю. "
        u"The quick brown fox, 1234567890; Широкая электрификация южных губерний.\r\n";
    std::u16string russian;
    while (russian.size() < 10'000'000) russian += line;
    russian.resize(10'000'000);
    return modDecode::ConvertText(russian, 2, 3);
  }();
  return text;
}

void SetCharsPerSecond(benchmark::State& state, std::size_t size) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
}

void BM_ConvertText(benchmark::State& state) {
  const std::u16string& text = MixedText();
  for (auto _ : state) {
    std::u16string out = modDecode::ConvertText(text, 3, 2);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetCharsPerSecond(state, text.size());
}

void BM_CopyText(benchmark::State& state) {
  const std::u16string& text = MixedText();
  for (auto _ : state) {
    std::u16string out = text;
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  SetCharsPerSecond(state, text.size());
}

// Medians of several runs, so a busy machine disturbs the figures less.
BENCHMARK(BM_ConvertText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
