// Replace All as the user runs it: the replace window's Replace All pressed on the real main
// window's document, its question answered Yes, its count read; the edit history records the run as
// one step. The paint that follows is `paint_ms`, beside the run.
// - sparse: 867 matches of a word spread over a 50 MB document. The floor is the toolkit's own find
//   and insert of every match over a text document of the same text, in one edit block (one undo
//   step).
// - dense: every "е" and "Е" (the case is ignored, as the window's default options do) of a Russian
//   document of 1 and 10 MB, 71,000 and 711,000 matches. The floor is the least such a run must do:
//   one pass over the text that writes the new text into room sized once and notes every place it
//   replaced with the letter that stood there (what the one undo step keeps).
// Run and floor take turns (bench/run_and_floor.h). Each run is taken back by the Undo command, whose
// median is `undo_ms`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/main_window_main.h"
#include "bench/opened_document.h"
#include "bench/run_and_floor.h"
#include "core/edit_history.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/forms/replace.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/script/script.h"
#include "platform/testing/richedit.h"
#include "platform/testing/win.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/runtime.h"

namespace {

using Clock = std::chrono::steady_clock;

frmMain* window = nullptr;

const std::u16string kLine = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n";

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// About `megabytes` million characters of Russian text in lines of some 60 characters; every
// `every`-th line, when `every` is not 0, ends in `marked` instead of the usual ending.
std::u16string RussianText(std::size_t megabytes, std::size_t every = 0, const std::u16string& marked = {}) {
  const std::u16string usual = u"чаю.\r\n";
  const std::u16string other = kLine.substr(0, kLine.size() - usual.size()) + marked;
  std::u16string t;
  t.reserve(megabytes * 1024u * 1024u + other.size());
  for (std::size_t line = 1; t.size() < megabytes * 1024u * 1024u; ++line) t += every != 0 && line % every == 0 ? other : kLine;
  return t;
}

std::u16string WithLf(const std::u16string& crlf) {
  std::u16string lf = crlf;
  std::erase(lf, u'\r');
  return lf;
}

// The main window holds `document` as an opened one, with a history of its base alone.
void Load(const std::u16string& document) {
  vb::RichTextBox& editor = *window->RichTextBox;
  OpenAsDocument(editor, document);
  modDocument::RecordChange(editor);  // the base snapshot
  editor.SelStart(0);
  vb::DoEvents();
}

// The count the last message box gave: "Поиск завершен! Было сделано N замен(ы).".
std::int64_t CountShown() {
  const std::u16string said = u"Поиск завершен! Было сделано ";
  const std::u16string shown = platform::script::Log().empty() ? u"" : platform::script::Log().back().prompt;
  std::int64_t count = 0;
  for (std::size_t i = said.size(); shown.starts_with(said) && i < shown.size() && shown[i] >= u'0' && shown[i] <= u'9'; ++i)
    count = count * 10 + (shown[i] - u'0');
  return count;
}

// What a run leaves besides its own time: the replacements counted, the paint after it and the Undo.
struct Aside {
  std::int64_t count = 0;
  std::vector<double> paints;
  std::vector<double> undos;
};

// One Replace All of the document, pressed in the replace window until its count is read; its
// milliseconds. Then the editor is painted, and the Undo command brings the document back.
double RunOnce(benchmark::State& state, const std::u16string& what, const std::u16string& with, Aside& aside) {
  vb::RichTextBox& editor = *window->RichTextBox;
  const std::int32_t length = editor.TextLength();
  editor.SelStart(0);  // else the window would take the selection the last Undo left as its search text
  window->CmdFindReplace();
  frmReplace& replace = ReplaceWindow();
  replace.cboFind.Text(what);
  replace.cboReplace.Text(with);
  platform::script::Log().clear();
  platform::script::Queue({platform::script::Kind::MessageBox, vb::vbYes, {}});
  platform::script::Queue({platform::script::Kind::MessageBox, vb::vbOK, {}});
  const auto t0 = Clock::now();
  replace.cmdReplaceAll.Value(true);
  const double ms = Milliseconds(Clock::now() - t0);
  const auto painted = Clock::now();
  vb::DoEvents();
  aside.paints.push_back(Milliseconds(Clock::now() - painted));
  replace.Unload();
  aside.count = CountShown();
  if (modDocument::UndoStack.size() != 2) state.SkipWithError("not one step of the history");
  const auto t1 = Clock::now();
  window->UndoEdit();
  vb::DoEvents();
  aside.undos.push_back(Milliseconds(Clock::now() - t1));
  if (editor.TextLength() != length) state.SkipWithError("the undo did not bring the document back");
  modDocument::RedoStack.clear();
  return ms;
}

// The counters of what the runs left besides their own time.
void Report(benchmark::State& state, const Aside& aside) {
  state.counters["replacements"] = static_cast<double>(aside.count);
  state.counters["paint_ms"] = Median(aside.paints);
  state.counters["undo_ms"] = Median(aside.undos);
}

void ReplaceAllSparseFiftyMegabytes(benchmark::State& state) {
  const std::u16string what = u"кваса.";
  const std::u16string with = u"клюквенного морса.";
  const std::u16string document = RussianText(50, 1024, what + u"\r\n");
  Load(document);
  platform::testing::BareTextDocument bare(WithLf(document));
  Aside aside;
  std::int64_t bareCount = 0;
  RunAndFloor(
      state, [&] { return RunOnce(state, what, with, aside); },
      [&] {
        double ms = 0;
        bareCount = bare.ReplaceAll(what, with, ms);
        bare.Undo();
        return ms;
      });
  Report(state, aside);
  if (aside.count != bareCount) state.SkipWithError("the toolkit found other matches");
}
BENCHMARK(ReplaceAllSparseFiftyMegabytes)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// The least a Replace All of the letters `lower` and `upper` by `with` must do.
double OnePassMilliseconds(const std::u16string& text, char16_t lower, char16_t upper, char16_t with) {
  const auto t0 = Clock::now();
  std::u16string next(text.size(), u'\0');
  std::vector<std::int32_t> places;
  std::u16string held;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == lower || c == upper) {
      places.push_back(static_cast<std::int32_t>(i));
      held.push_back(c);
      next[i] = with;
    } else {
      next[i] = c;
    }
  }
  benchmark::DoNotOptimize(next.data());
  benchmark::DoNotOptimize(places.data());
  benchmark::DoNotOptimize(held.data());
  return Milliseconds(Clock::now() - t0);
}

void ReplaceAllOneLetter(benchmark::State& state) {
  const std::u16string document = RussianText(static_cast<std::size_t>(state.range(0)));
  Load(document);
  Aside aside;
  RunAndFloor(
      state, [&] { return RunOnce(state, u"е", u"ё", aside); }, [&] { return OnePassMilliseconds(document, u'е', u'Е', u'ё'); });
  Report(state, aside);
}
BENCHMARK(ReplaceAllOneLetter)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  return RunOnMainWindow(argc, argv, "replace-all", window, [] { platform::script::SetActive(true); });
}
