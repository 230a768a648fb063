// Opening and saving large documents in the rich edit control, and the position arithmetic of its
// CR LF units on them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/run_benchmarks.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/strings.h"

namespace {

const std::filesystem::path& SampleFile() {
  static const std::filesystem::path path = [] {
    const auto p = std::filesystem::temp_directory_path() / "qm-bench-document.txt";
    std::ofstream out(p, std::ios::binary);
    // About 4 MB of Windows-1251 text in lines of 60 characters.
    const std::string line = "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! The quick brown fox jumps over the lazy dog.\r\n";
    for (std::size_t size = 0; size < 4u * 1024 * 1024; size += line.size()) out << line;
    return p;
  }();
  return path;
}

std::u16string U16(const std::filesystem::path& p) { return vb::FromUtf8(p.string()); }

void OpenDocument(benchmark::State& state) {
  vb::RichTextBox box;
  for (auto _ : state) {
    state.PauseTiming();
    box.Text(u"");  // loading the text the control already holds would change nothing
    state.ResumeTiming();
    box.LoadFile(U16(SampleFile()), vb::rtfText);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(SampleFile())));
}
BENCHMARK(OpenDocument)->Unit(benchmark::kMillisecond);

void SaveDocument(benchmark::State& state) {
  vb::RichTextBox box;
  box.LoadFile(U16(SampleFile()), vb::rtfText);
  const auto out = std::filesystem::temp_directory_path() / "qm-bench-saved.txt";
  for (auto _ : state) box.SaveFile(U16(out));
  std::filesystem::remove(out);
}
BENCHMARK(SaveDocument)->Unit(benchmark::kMillisecond);

void SelectNearTheEnd(benchmark::State& state) {
  vb::RichTextBox box;
  box.LoadFile(U16(SampleFile()), vb::rtfText);
  const std::int32_t length = static_cast<std::int32_t>(box.Text().size());
  for (auto _ : state) {
    box.SelStart(length - 100);
    box.SelLength(50);
    benchmark::DoNotOptimize(box.SelStart());
  }
}
BENCHMARK(SelectNearTheEnd);

}  // namespace

int main(int argc, char** argv) {
  const int status = RunInApplication(argc, argv);
  std::filesystem::remove(SampleFile());
  return status;
}
