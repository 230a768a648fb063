// What users wait for in the real main window: a keystroke on a 10 MB document with every handler
// (the key events, the change record, the command-state refresh and the clipboard watch ticking
// between keys), and a conversion of 1 M and of 10 M characters chosen from the Decode menu,
// progress window included. Each figure stands beside a floor measured in the same run (a bare
// editor taking the same key; the bare letter mapping and text assignment), reported as the counter
// `ratio`. Start-up and idle cost are measured on the running program from outside:
// bench/main_window_process.sh.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/main_window_main.h"
#include "bench/opened_document.h"
#include "bench/repeated_text.h"
#include "bench/run_and_floor.h"
#include "core/decode.h"
#include "core/edit_history.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/decoding.h"
#include "mainwindow/forms/main.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/testing/win.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/window_control.h"

namespace {

frmMain* window = nullptr;

const std::u16string kLine = u"Съешь же еще этих мягких французских булок, да выпей чаю.\r\n";

std::u16string TextOf(std::size_t size) { return Repeated(kLine, size); }

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// A form holding nothing but an editor: the floor of a keystroke.
class frmBare : public vb::Form {
 public:
  vb::WindowControl<vb::RichTextBox> Editor{*this};

 protected:
  void Design() override {
    Move(0, 0, 9000, 6000);
    Editor.Move(0, 0, 8000, 5000);
  }
};

// Loads `text` into the main window's editor as a document opened from a file is: no history of
// the load itself.
void LoadDocument(const std::u16string& text) {
  vb::RichTextBox& editor = *window->RichTextBox;
  OpenAsDocument(editor, text);
  editor.SelStart(static_cast<std::int32_t>(text.size() / 2));
  editor.SetFocus();
  vb::DoEvents();
}

// One character typed in the middle of a 10 MB document, 100 times; the window's timers tick
// between the keys as they would. The floor is the same key typed into a bare editor.
void KeystrokeInTheMainWindow(benchmark::State& state) {
  const std::u16string text = TextOf(10u * 1024 * 1024);
  frmBare bare;
  bare.Show();
  platform::testing::ShowAndWait(bare.hWnd());
  bare.Editor->Text(text);
  bare.Editor->SelStart(static_cast<std::int32_t>(text.size() / 2));
  LoadDocument(text);
  const win::HWND editor = window->RichTextBox->hWnd();
  const win::HWND floor = bare.Editor->hWnd();
  // The first key of a freshly loaded document sets the editor up for editing: left out of both.
  platform::testing::KeyClick(editor, 'F', 0, u"а");
  platform::testing::KeyClick(floor, 'F', 0, u"а");
  std::vector<double> with;
  std::vector<double> without;
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      auto t0 = std::chrono::steady_clock::now();
      platform::testing::KeyClick(editor, 'F', 0, u"а");
      window->TimerEdit_Timer();
      window->TimerClipboardDetect_Timer();
      with.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
      t0 = std::chrono::steady_clock::now();
      platform::testing::KeyClick(floor, 'F', 0, u"а");
      without.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
  }
  state.counters["median_ms"] = Median(with);
  state.counters["worst_ms"] = *std::max_element(with.begin(), with.end());
  state.counters["floor_median_ms"] = Median(without);
  state.counters["ratio"] = Median(with) / std::max(Median(without), 1e-6);
  bare.Unload();
}
BENCHMARK(KeystrokeInTheMainWindow)->Unit(benchmark::kMillisecond)->Iterations(1);

// A Decode-menu direction on a document of 1 M or 10 M characters, from the command to the converted
// text in the editor with the progress window shown and hidden again. The floor is the letter
// mapping of the same text and its handing over to the editor (its cheapest assignment).
void DecodeMenuConversion(benchmark::State& state) {
  const std::u16string text = TextOf(static_cast<std::size_t>(state.range(0)));
  std::vector<double> with;
  std::vector<double> without;
  for (auto _ : state) {
    LoadDocument(text);
    auto t0 = std::chrono::steady_clock::now();
    window->ConvertDirection(4);  // "Windows 1251 -> DOS 866"
    with.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    if (window->RichTextBox->TextLength() != static_cast<std::int64_t>(text.size()))
      state.SkipWithError("the conversion did not run in full");
    LoadDocument(text);
    t0 = std::chrono::steady_clock::now();
    window->RichTextBox->TakeText(modDecode::ConvertText(window->RichTextBox->Text(), 2, 1));
    without.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
  }
  state.counters["median_ms"] = Median(with);
  state.counters["floor_median_ms"] = Median(without);
  state.counters["ratio"] = Median(with) / std::max(Median(without), 1e-6);
}
BENCHMARK(DecodeMenuConversion)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  // The clipboard watch on, as in the figures the program is held to.
  return RunOnMainWindow(argc, argv, "main-window", window, [] {
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey,
                                     settings::preferences::kClipboardDetect, u"1");
  });
}
