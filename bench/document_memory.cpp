// The memory a document takes while it is open, with backups on, as a multiple of its file's size:
// what the process holds more after the Open command than before it (the editor's text and its
// tables, the body of the next backup, what the layout keeps). The floor, measured in the same run,
// is the least a document with backups must hold: its text at a byte a character and the backup's
// bytes, the file's bytes twice. Beside them, for comparison, the toolkit's bare plain-text editor
// shown with the same text. `ratio` is the document's memory against the floor.
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

void OpenDocumentMemory(benchmark::State& state) {
  const auto path = Windows1251SampleFile("qm-bench-memory-" + std::to_string(state.range(0)) + "mb.txt",
                                          static_cast<std::size_t>(state.range(0)));
  const double size = static_cast<double>(std::filesystem::file_size(path));
  namespace prefs = settings::preferences;
  modRegistry::WritePreference(prefs::kCreateBackup, u"1");
  modRegistry::WritePreference(prefs::kCreateBackupIn, u"1");
  windows->main.Show();
  for (auto _ : state) {
    windows->editor().Text(u"");
    modDocument::Reset();
    double before = ResidentBytes();
    platform::script::Queue(Answer{Kind::OpenFile, 1, vb::FromUtf8(path.string())});
    modDocument::OpenDocument();
    vb::DoEvents();  // shown and painted, as the user sees it
    const double open = ResidentBytes() - before;
    windows->editor().Text(u"");
    modDocument::Reset();

    // The floor: the file's bytes held twice.
    before = ResidentBytes();
    double floor = 0;
    {
      const std::string text = vb::ReadAllBytes(vb::FromUtf8(path.string()));
      const std::string backup = vb::ReadAllBytes(vb::FromUtf8(path.string()));
      floor = ResidentBytes() - before;
      benchmark::DoNotOptimize(text.data());
      benchmark::DoNotOptimize(backup.data());
    }

    // The peer: the bare editor shown with the same text.
    std::u16string lf = vb::FromWindows1251(vb::ReadAllBytes(vb::FromUtf8(path.string())));
    std::erase(lf, u'\r');
    before = ResidentBytes();
    double peer = 0;
    {
      platform::testing::BarePlainTextEditor bare(lf, 533, 333);
      peer = ResidentBytes() - before;
    }
    state.counters["times_size"] = open / size;
    state.counters["floor_times_size"] = floor / size;
    state.counters["plain_text_edit_times_size"] = peer / size;
    state.counters["ratio"] = open / floor;
  }
  windows->main.Hide();
  modRegistry::WritePreference(prefs::kCreateBackup, u"0");
  std::filesystem::remove(path);
}
BENCHMARK(OpenDocumentMemory)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "document-memory", windows); }
