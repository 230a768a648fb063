// Replace All of one letter in a 1 MB (and a 10 MB) Russian document, as the replace window runs it
// on the main window's editor with its edit history recording. The floor, measured in the same run,
// is the least such a run must cost: one pass over the text building the new text, and handing
// that text to the editor. The counter `ratio` is the run against its floor, medians of five each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/edit_history.h"
#include "mainwindow/replace_all.h"
#include "platform/application.h"
#include "platform/richedit/rich_text_box.h"

namespace {

qmtest::StandInServices* windows = nullptr;

// About `megabytes` million characters of Russian text in lines of some 55 characters.
std::u16string RussianText(std::size_t megabytes) {
  const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n";
  std::u16string t;
  t.reserve(megabytes * 1024u * 1024u + line.size());
  while (t.size() < megabytes * 1024u * 1024u) t += line;
  return t;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Every "е" (and "Е": the case is ignored, as the window's default options do) becomes "ё", in a
// document of state.range(0) MB. One run and one floor go before the measured ones, so that neither
// meets memory the process has not touched yet while the other finds it ready; then run and floor
// take turns.
void ReplaceAllOneLetter(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  const std::u16string document = RussianText(static_cast<std::size_t>(state.range(0)));
  std::vector<double> runs;
  std::vector<double> floors;
  std::int64_t count = 0;
  const auto run = [&] {
    modDocument::UndoRecording = false;
    editor.Text(document);
    modDocument::UndoStack.clear();
    modDocument::RedoStack.clear();
    modDocument::UndoRecording = true;
    modDocument::RecordChange(editor);  // the base snapshot
    const auto t0 = std::chrono::steady_clock::now();
    count = mainwindow::ReplaceAll(editor, u"е", u"ё", 0);
    const double ms = Milliseconds(std::chrono::steady_clock::now() - t0);
    if (modDocument::UndoStack.size() != 2) state.SkipWithError("not one step of the history");
    return ms;
  };
  const auto floor = [&] {
    modDocument::UndoRecording = false;
    editor.Text(document);
    const auto t0 = std::chrono::steady_clock::now();
    std::u16string next;
    next.reserve(document.size());
    for (char16_t c : document) next.push_back(c == u'е' || c == u'Е' ? u'ё' : c);
    editor.Text(next);
    return Milliseconds(std::chrono::steady_clock::now() - t0);
  };
  run();
  floor();
  for (auto _ : state) {
    runs.push_back(run());
    floors.push_back(floor());
  }
  state.counters["replacements"] = static_cast<double>(count);
  state.counters["run_ms"] = Median(runs);
  state.counters["floor_ms"] = Median(floors);
  state.counters["ratio"] = Median(runs) / std::max(Median(floors), 1e-6);
}
BENCHMARK(ReplaceAllOneLetter)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "replace-all", windows); }
