// What users wait for while they edit a large document: one keystroke with its history record, one
// undo, and the first jump to the end of a shown document. Each figure stands beside a floor
// measured in the same run, reported as the counter `ratio`.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/stand_in_main.h"
#include "controls/testing/stand_in.h"
#include "core/edit_history.h"
#include "platform/application.h"
#include "platform/richedit/rich_text_box.h"
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

// Types one character in the middle of a 10 MB document, 100 times, recording each change; the
// floor is the same keystroke with no change handler. Reports the median and the worst.
void KeystrokeTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  modDocument::UndoRecording = false;
  editor.Text(TenMegabyteText());
  modDocument::UndoStack.clear();
  modDocument::RedoStack.clear();
  modDocument::UndoRecording = true;
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
    for (int i = 0; i < 100; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      editor.SelText(u"ж");
      with.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
    auto handler = std::move(editor.Change);
    editor.Change = nullptr;
    for (int i = 0; i < 100; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      editor.SelText(u"ж");
      without.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
    editor.Change = std::move(handler);
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

// Memory growth per recorded keystroke on the 10 MB document, and one undo of a keystroke.
void UndoAndMemoryTenMegabytes(benchmark::State& state) {
  vb::RichTextBox& editor = windows->editor();
  modDocument::UndoRecording = false;
  editor.Text(TenMegabyteText());
  modDocument::UndoStack.clear();
  modDocument::RedoStack.clear();
  modDocument::UndoRecording = true;
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
