// Replace All of one letter in a 1 MB (and a 10 MB) Russian document, as the replace window runs it
// on the main window's editor with its edit history recording. The floor, measured in the same run,
// is the least such a run must cost: one pass over the text building the new text, and handing
// that text to the editor. The counter `ratio` is the run against its floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

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

// Every "е" (and "Е": the case is ignored, as the window's default options do) becomes "ё", in a
// document of state.range(0) MB.
void ReplaceAllOneLetter(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  const std::u16string document = RussianText(static_cast<std::size_t>(state.range(0)));
  double run = 0;
  double floor = 0;
  std::int64_t count = 0;
  for (auto _ : state) {
    state.PauseTiming();
    modDocument::UndoRecording = false;
    editor.Text(document);
    modDocument::UndoStack.clear();
    modDocument::RedoStack.clear();
    modDocument::UndoRecording = true;
    modDocument::RecordChange(editor);  // the base snapshot
    state.ResumeTiming();

    auto t0 = std::chrono::steady_clock::now();
    count = mainwindow::ReplaceAll(editor, u"е", u"ё", 0);
    run = Milliseconds(std::chrono::steady_clock::now() - t0);

    state.PauseTiming();
    if (modDocument::UndoStack.size() != 2) state.SkipWithError("not one step of the history");
    modDocument::UndoRecording = false;
    editor.Text(document);
    t0 = std::chrono::steady_clock::now();
    std::u16string next;
    next.reserve(document.size());
    for (char16_t c : document) next.push_back(c == u'е' || c == u'Е' ? u'ё' : c);
    editor.Text(next);
    floor = Milliseconds(std::chrono::steady_clock::now() - t0);
    state.ResumeTiming();
  }
  state.counters["replacements"] = static_cast<double>(count);
  state.counters["run_ms"] = run;
  state.counters["floor_ms"] = floor;
  state.counters["ratio"] = run / std::max(floor, 1e-6);
}
BENCHMARK(ReplaceAllOneLetter)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "replace-all", windows); }
