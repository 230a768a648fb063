// The memory a document takes while it is open, as a multiple of its file's size: what the process
// holds more after the Open command than before it (the editor's text and its tables, the body of
// the next backup when backups are on, what the layout keeps), counted from an editor that is empty
// and holds nothing of earlier texts. The floor, measured in the same run, is the least an open
// document must hold: its text at a byte a character, and with backups on the backup's bytes
// beside it: the file's bytes once or twice. `ratio` is the document's memory against the floor.
// After them, for comparison, the toolkit's bare plain-text editor shown with the same text.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/sample_file.h"
#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/document.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/testing/richedit.h"
#include "platform/vb/file_system.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"

namespace {

qmtest::StandInServices* windows = nullptr;
using platform::script::Answer;
using Kind = platform::script::Kind;

// The memory the process holds now, in bytes, once what it freed has gone back.
double ResidentBytes() {
  malloc_trim(0);
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) * 1024;
  return 0;
}

// The editor empty, its last change holding no earlier text, and no document open.
void Empty() {
  windows->editor().Text(u" ");
  windows->editor().Text(u"");
  modDocument::Reset();
}

// A document of state.range(0) MB, with backups on when state.range(1) is 1.
void OpenDocumentMemory(benchmark::State& state) {
  const auto path = Windows1251SampleFile("qm-bench-memory-" + std::to_string(state.range(0)) + "mb.txt",
                                          static_cast<std::size_t>(state.range(0)));
  const double size = static_cast<double>(std::filesystem::file_size(path));
  const bool backups = state.range(1) == 1;
  namespace prefs = settings::preferences;
  modRegistry::WritePreference(prefs::kCreateBackup, backups ? u"1" : u"0");
  modRegistry::WritePreference(prefs::kCreateBackupIn, u"1");
  windows->main.Show();
  for (auto _ : state) {
    Empty();
    double before = ResidentBytes();
    platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
    modDocument::OpenDocument();
    vb::DoEvents();  // shown and painted, as the user sees it
    const double open = ResidentBytes() - before;
    Empty();

    // The floor: the file's bytes held once, or twice with backups.
    before = ResidentBytes();
    double floor = 0;
    {
      const std::string text = vb::ReadAllBytes(vb::FromUtf8(path.string()));
      const std::string backup = backups ? vb::ReadAllBytes(vb::FromUtf8(path.string())) : std::string();
      floor = ResidentBytes() - before;
      benchmark::DoNotOptimize(text.data());
      benchmark::DoNotOptimize(backup.data());
    }

    state.counters["times_size"] = open / size;
    state.counters["floor_times_size"] = floor / size;
    state.counters["ratio"] = open / floor;
  }
  windows->main.Hide();
  modRegistry::WritePreference(prefs::kCreateBackup, u"0");
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentMemory)
    ->ArgsProduct({{10, 50, 200}, {1, 0}})
    ->ArgNames({"mb", "backups"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The peer, once for each size: the toolkit's bare plain-text editor shown with the same text.
void PlainTextEditMemory(benchmark::State& state) {
  const auto path = Windows1251SampleFile("qm-bench-memory-" + std::to_string(state.range(0)) + "mb.txt",
                                          static_cast<std::size_t>(state.range(0)));
  const double size = static_cast<double>(std::filesystem::file_size(path));
  for (auto _ : state) {
    std::u16string lf = vb::FromWindows1251(vb::ReadAllBytes(vb::FromUtf8(path.string())));
    std::erase(lf, u'\r');
    const double before = ResidentBytes();
    platform::testing::BarePlainTextEditor bare(lf, 533, 333);
    state.counters["times_size"] = (ResidentBytes() - before) / size;
  }
  std::filesystem::remove(path);
}
BENCHMARK(PlainTextEditMemory)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "document-memory", windows); }
