// What users wait for while they edit a large document: one keystroke with its history record, a
// key typed into a paragraph of a hundred thousand and of a million characters, a key at the end of
// a 10 MB document, one undo, and the first jump to the end of a shown document. Each figure stands
// beside a floor measured in the same run, its keys taken in turn with the figure's, reported as
// the counter `ratio`.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <cstdio>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/opened_document.h"
#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/edit_history.h"
#include "platform/application.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/testing/richedit.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace {

qmtest::StandInServices* windows = nullptr;

// About 10 MB of Russian text in lines of some 55 characters.
const std::u16string& TenMegabyteText() {
  static const std::u16string text = [] {
    const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n";
    std::u16string t;
    t.reserve(10u * 1024 * 1024 + line.size());
    while (t.size() < 10u * 1024 * 1024) t += line;
    return t;
  }();
  return text;
}

// The memory the process holds now, in bytes.
double ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The processor time the process has taken, in milliseconds.
double CpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return sum / static_cast<double>(v.size());
}

// A control of its own, shown at the size of the main window's editor, holding `text`.
struct ShownEditor {
  vb::RichTextBox box;
  explicit ShownEditor(const std::u16string& text) {
    win::MoveWindow(box.hWnd(), 0, 0, kWidth, kHeight, win::TRUE);
    platform::testing::ShowAndWait(box.hWnd());
    box.Text(text);
  }
  // One character typed, as the key is pressed and released, and the editor painted.
  void Type() {
    platform::testing::KeyClick(box.hWnd(), 'F', 0, u"а");
    vb::DoEvents();
  }
  static constexpr int kWidth = 533;
  static constexpr int kHeight = 333;
};

// Types one character in the middle of a 10 MB document, 100 times, recording each change; the
// floor is the same keystroke with no change handler, the two in turn. Reports the median and the
// worst.
void KeystrokeTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  OpenAsDocument(editor, TenMegabyteText());
  editor.SelText(u"");  // nothing: the base snapshot comes with the first keystroke
  const std::int32_t middle = static_cast<std::int32_t>(TenMegabyteText().size() / 2);
  editor.SelStart(middle);
  std::vector<double> with;
  std::vector<double> without;
  for (auto _ : state) {
    with.clear();
    without.clear();
    // The first edit of a freshly loaded document sets the editor up for editing: it is left out of
    // both series, and reported with the same first edit of a bare control.
    {
      auto t0 = std::chrono::steady_clock::now();
      editor.SelText(u"ж");
      state.counters["first_ms"] = Milliseconds(std::chrono::steady_clock::now() - t0);
      vb::RichTextBox bare;
      bare.Text(TenMegabyteText());
      bare.SelStart(static_cast<std::int32_t>(TenMegabyteText().size() / 2));
      t0 = std::chrono::steady_clock::now();
      bare.SelText(u"ж");
      state.counters["floor_first_ms"] = Milliseconds(std::chrono::steady_clock::now() - t0);
    }
    // The keys with the history record and without it in turn, so that both meet the editor alike.
    auto handler = editor.Change;
    for (int i = 0; i < 100; ++i) {
      editor.Change = handler;
      auto t0 = std::chrono::steady_clock::now();
      editor.SelText(u"ж");
      with.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
      editor.Change = nullptr;
      t0 = std::chrono::steady_clock::now();
      editor.SelText(u"ж");
      without.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
    editor.Change = handler;
  }
  std::sort(with.begin(), with.end());
  std::sort(without.begin(), without.end());
  state.counters["median_ms"] = with[with.size() / 2];
  state.counters["worst_ms"] = with.back();
  state.counters["floor_median_ms"] = without[without.size() / 2];
  state.counters["floor_worst_ms"] = without.back();
  state.counters["ratio"] = with[with.size() / 2] / std::max(without[without.size() / 2], 1e-6);
}
BENCHMARK(KeystrokeTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// A key typed in the middle of one paragraph of state.range(0) characters, shown, painted: the
// processor time per key. The floor is the same key typed into a line of 60 characters, in turn.
void KeyInALongParagraph(benchmark::State& state) {
  ShownEditor paragraph(platform::testing::RussianProse(static_cast<std::size_t>(state.range(0))));
  ShownEditor line(platform::testing::RussianProse(60));
  paragraph.box.SelStart(static_cast<std::int32_t>(state.range(0) / 2));
  line.box.SelStart(30);
  // The first key of each sets it up for editing (lays out the paragraph around the caret).
  paragraph.Type();
  line.Type();
  std::vector<double> with;
  std::vector<double> without;
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      double t0 = CpuMilliseconds();
      paragraph.Type();
      with.push_back(CpuMilliseconds() - t0);
      t0 = CpuMilliseconds();
      line.Type();
      without.push_back(CpuMilliseconds() - t0);
    }
  }
  state.counters["cpu_ms"] = Median(with);
  state.counters["mean_cpu_ms"] = Mean(with);
  state.counters["worst_ms"] = *std::max_element(with.begin(), with.end());
  state.counters["floor_cpu_ms"] = Median(without);
  state.counters["floor_mean_cpu_ms"] = Mean(without);
  state.counters["ratio"] = Median(with) / std::max(Median(without), 1e-6);
}
BENCHMARK(KeyInALongParagraph)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A key typed at the end of the main window's 10 MB document, its history recorded, painted: the
// processor time per key. The floor is the least a key needs whatever the document's size: the same
// key typed at the end of the same editor holding one line of the document (the key lands after its
// line break, on a line of its own, as at the end of the document). The two take turns, 20 keys at a
// time. Beside them, the toolkit's bare plain-text editor holding the 10 MB takes the same
// keys (`plain_text_edit_cpu_ms`).
void KeyAtTheEndOfTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  windows->main.Show();
  platform::testing::ShowAndWait(windows->main.hWnd());
  const auto type = [&] {
    editor.SetFocus();
    platform::testing::KeyClick(editor.hWnd(), 'F', 0, u"а");
    vb::DoEvents();
  };
  // `text` in the editor, its history recording, the caret at its end; then 20 keys timed.
  const auto typeAtTheEndOf = [&](const std::u16string& text, std::vector<double>& into) {
    OpenAsDocument(editor, text);
    editor.SelStart(editor.TextLength());
    type();  // the first key sets the editor up for editing there
    for (int i = 0; i < 20; ++i) {
      const double t0 = CpuMilliseconds();
      type();
      into.push_back(CpuMilliseconds() - t0);
    }
    if (editor.TextLength() != static_cast<std::int32_t>(text.size()) + 21) state.SkipWithError("keys lost");
  };
  std::u16string lf;
  lf.reserve(TenMegabyteText().size());
  for (char16_t c : TenMegabyteText())
    if (c != u'\r') lf.push_back(c);
  platform::testing::BarePlainTextEditor bare(lf, ShownEditor::kWidth, ShownEditor::kHeight);
  bare.Type(u'а');
  std::vector<double> with;
  std::vector<double> without;
  std::vector<double> peer;
  for (auto _ : state) {
    for (int round = 0; round < 5; ++round) {
      typeAtTheEndOf(TenMegabyteText(), with);
      typeAtTheEndOf(TenMegabyteText().substr(0, TenMegabyteText().find(u'\n') + 1), without);
      for (int i = 0; i < 20; ++i) {
        const double t0 = CpuMilliseconds();
        bare.Type(u'а');
        peer.push_back(CpuMilliseconds() - t0);
      }
    }
  }
  state.counters["cpu_ms"] = Median(with);
  state.counters["mean_cpu_ms"] = Mean(with);
  state.counters["floor_cpu_ms"] = Median(without);
  state.counters["floor_mean_cpu_ms"] = Mean(without);
  state.counters["plain_text_edit_cpu_ms"] = Median(peer);
  state.counters["ratio"] = Median(with) / std::max(Median(without), 1e-6);
  windows->main.Hide();
}
BENCHMARK(KeyAtTheEndOfTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// Memory growth per recorded keystroke on the 10 MB document, and one undo of a keystroke.
void UndoAndMemoryTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  OpenAsDocument(editor, TenMegabyteText());
  editor.SelStart(static_cast<std::int32_t>(TenMegabyteText().size() / 3));
  editor.SelText(u"a");
  const double before = ResidentBytes();
  constexpr int kKeys = 200;
  for (int i = 0; i < kKeys; ++i) editor.SelText(u"ы");
  const double perKey = (ResidentBytes() - before) / kKeys;
  std::vector<double> undo;
  for (auto _ : state) {
    // Only undos that have a keystroke to take back count.
    const std::size_t undoable = std::min<std::size_t>(50, modDocument::UndoStack.size() - 1);
    for (std::size_t i = 0; i < undoable; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      modDocument::UndoEdit();
      undo.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
  }
  std::sort(undo.begin(), undo.end());
  state.counters["undos"] = static_cast<double>(undo.size());
  state.counters["bytes_per_keystroke"] = perKey;
  state.counters["undo_median_ms"] = undo[undo.size() / 2];
  state.counters["undo_worst_ms"] = undo.back();
}
BENCHMARK(UndoAndMemoryTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// The first jump to the end of a shown 10 MB document, until the window has painted.
void JumpToTheEndTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  modDocument::UndoRecording = false;
  windows->main.Show();
  platform::testing::ShowAndWait(windows->main.hWnd());
  for (auto _ : state) {
    state.PauseTiming();
    editor.Text(u"");
    editor.Text(TenMegabyteText());
    state.ResumeTiming();
    platform::testing::KeyClick(editor.hWnd(), win::VK_END, win::MK_CONTROL);
    vb::DoEvents();
    if (editor.SelStart() != static_cast<std::int32_t>(TenMegabyteText().size())) state.SkipWithError("not at the end");
    state.counters["visible"] = win::IsWindowVisible(editor.hWnd()) ? 1 : 0;
  }
}
BENCHMARK(JumpToTheEndTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunWithStandIns(argc, argv, "editing", windows); }
