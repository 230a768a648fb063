// What users wait for in the document core: a whole conversion run with its progress and event
// pumping on a large document, and opening and saving a large document through the open and save
// commands (dialogs answered by script).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/decode.h"
#include "core/document.h"
#include "core/testing/stand_in.h"
#include "platform/application.h"
#include "platform/script/script.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"

namespace {

using platform::script::Answer;
using platform::script::Kind;

qmtest::StandInServices* windows = nullptr;

std::u16string MixedText(std::size_t length) {
  const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю. The quick brown fox 42.\r\n";
  std::u16string text;
  text.reserve(length + line.size());
  while (text.size() < length) text += line;
  text.resize(length);
  return text;
}

void DecodeDocumentMillion(benchmark::State& state) {
  const std::u16string text = MixedText(1'000'000);
  qmtest::SelectDirection(*windows, 4);
  for (auto _ : state) {
    state.PauseTiming();
    windows->editor().Text(text);
    windows->decoding.values.clear();
    state.ResumeTiming();
    modDecode::DecodeDocument();
  }
  state.counters["steps"] = static_cast<double>(windows->decoding.values.size());
}
BENCHMARK(DecodeDocumentMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

std::filesystem::path TenMegabyteFile() {
  const auto path = std::filesystem::temp_directory_path() / "qm-bench-10mb.txt";
  std::ofstream out(path, std::ios::binary);
  const std::string line = "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! The quick brown fox jumps over the lazy dog.\r\n";
  for (std::size_t size = 0; size < 10u * 1024 * 1024; size += line.size()) out << line;
  return path;
}

void OpenDocumentTenMegabytes(benchmark::State& state) {
  const auto path = TenMegabyteFile();
  for (auto _ : state) {
    state.PauseTiming();
    windows->editor().Text(u"");
    platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
    state.ResumeTiming();
    modDocument::OpenDocument();
  }
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

void SaveDocumentTenMegabytes(benchmark::State& state) {
  const auto path = TenMegabyteFile();
  platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
  modDocument::OpenDocument();
  const auto saved = vb::FromUtf8((std::filesystem::temp_directory_path() / "qm-bench-10mb-saved.txt").string());
  for (auto _ : state) {
    platform::script::Queue(Answer{Kind::SaveFile, 1, saved});
    modDocument::SaveDocumentAs();
  }
  std::filesystem::remove(path);
  std::filesystem::remove(vb::NativePath(saved));
}
BENCHMARK(SaveDocumentTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  const auto settings = std::filesystem::temp_directory_path() / "qm-bench-settings";
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  platform::Application app(argc, argv);
  platform::script::SetActive(true);
  qmtest::StandInServices stand;
  windows = &stand;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  windows = nullptr;
  std::filesystem::remove_all(settings);
  return 0;
}
