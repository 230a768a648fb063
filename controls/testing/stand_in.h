// A stand-in for the main window and the conversion and open progress windows, built of real controls of the
// runtime, for the core's routines to act on in tests and benchmarks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/progress_bar.h"
#include "core/decode.h"
#include "core/edit_history.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "platform/vb/window_control.h"

namespace qmtest {

class StandInMain : public vb::Form {
 public:
  vb::WindowControl<vb::RichTextBox> RichTextBox{*this};
  vb::WindowControl<vb::RichTextBox> RichTextBoxImport{*this};
  vb::ComboBox Combo1{*this, vb::vbComboDropdownList};
  vb::ComboBox Combo2{*this, vb::vbComboDropdownList};
  vb::CommonDialog CommonDialog;
  int startDecodes = 0;

  StandInMain() {
    // As the main window's editor does: every change is recorded for undo while recording is on.
    RichTextBox.Connect = [](vb::RichTextBox& r) {
      r.Change = [&r] { modDocument::RecordChange(r); };
    };
  }

 protected:
  void Design() override {
    Move(0, 0, 9000, 6000);
    RichTextBox.Move(0, 0, 8000, 5000);
    RichTextBoxImport.Move(-5000, 0, 1000, 1000);
    Combo1.Move(-5000, 0, 1000, 300);
    Combo2.Move(-5000, 0, 1000, 300);
    for (int i = 0; i < modDecode::kCodePageCount; ++i) {
      Combo1.AddItem(std::u16string(modDecode::CodePageName(i)));
      Combo2.AddItem(std::u16string(modDecode::CodePageName(i)));
    }
  }
};

class StandInDecoding : public vb::Form {
 public:
  vb::Label lblCode{*this};
  ProgressBar Bar{*this};
  vb::CommandButton cmdCancel{*this};
  // Every value the run set, in order, and a hook that runs before each is shown.
  std::vector<float> values;
  std::function<void(std::size_t step)> beforeStep;

  StandInDecoding() {
    cmdCancel.Click = [this] {
      if (vb::MsgBox(u"Прервать перекодирование?", vb::vbYesNo | vb::vbQuestion, core::kProgramTitle) == vb::vbYes) {
        modDecode::CancelDecode();
        Unload();
      }
    };
  }

 protected:
  void Design() override {
    Move(0, 0, 5000, 2000);
    lblCode.Move(120, 120, 4000, 300);
    Bar.Move(120, 500, 4500, 400);
    cmdCancel.Move(1800, 1100, 1200, 400);
    cmdCancel.Caption(u"Отмена");
  }
};

class StandInOpening : public vb::Form {
 public:
  vb::Label lblPath{*this};
  ProgressBar Bar{*this};
  vb::CommandButton cmdCancel{*this};
  bool cancelled = false;
  // Every value the open set, in order, and a hook that runs before each is shown.
  std::vector<float> values;
  std::function<void(std::size_t step)> beforeStep;

  StandInOpening() {
    cmdCancel.Click = [this] { cancelled = true; };
  }

 protected:
  void Design() override {
    Move(0, 0, 5000, 2000);
    lblPath.Move(120, 120, 4000, 300);
    Bar.Move(120, 500, 4500, 400);
    cmdCancel.Move(1800, 1100, 1200, 400);
    cmdCancel.Caption(u"Отмена");
  }
};

// Selects a direction in the code-page selectors, as the conversion commands do; false for an index
// that is no direction.
inline bool SelectDirection(StandInMain& main, int direction) {
  const auto pages = modDecode::DirectionCodePages(direction);
  if (!pages) return false;
  main.Combo1.ListIndex(pages->sourceListIndex);
  main.Combo2.ListIndex(pages->targetListIndex);
  return true;
}

// The main window as the core sees it.
class MainAdapter : public MainWindowServices {
 public:
  explicit MainAdapter(StandInMain& main) : main(main) {}
  vb::RichTextBox& RichTextBox() override { return *main.RichTextBox; }
  vb::RichTextBox& RichTextBoxImport() override { return *main.RichTextBoxImport; }
  vb::ComboBox& Combo1() override { return main.Combo1; }
  vb::ComboBox& Combo2() override { return main.Combo2; }
  vb::CommonDialog& CommonDialog() override { return main.CommonDialog; }
  std::u16string Caption() override { return main.Caption(); }
  void Caption(const std::u16string& caption) override { main.Caption(caption); }
  void MousePointer(int pointer) override { main.MousePointer(pointer); }
  // Converts in the direction stored as "DefaultCode".
  void StartDecode() override {
    ++main.startDecodes;
    if (!SelectDirection(main, modDecode::StoredDefaultDirection())) return;
    modDecode::DecodeDocument();
  }
  StandInMain& main;
};

// The progress window as the core sees it.
class DecodingAdapter : public DecodingWindowServices {
 public:
  explicit DecodingAdapter(StandInDecoding& decoding) : decoding(decoding) {}
  void Show() override { decoding.Show(); }
  void Hide() override { decoding.Hide(); }
  bool Visible() override { return decoding.Visible(); }
  void MousePointer(int pointer) override { decoding.MousePointer(pointer); }
  void CodeCaption(const std::u16string& caption) override { decoding.lblCode.Caption(caption); }
  void CalculatePercentage(bool on) override { decoding.Bar.CalculatePercentage(on); }
  void Value(float value) override {
    if (decoding.beforeStep) decoding.beforeStep(decoding.values.size());
    decoding.values.push_back(value);
    decoding.Bar.Value(value);
  }
  StandInDecoding& decoding;
};

// The open progress window as the core sees it.
class OpeningAdapter : public OpeningWindowServices {
 public:
  explicit OpeningAdapter(StandInOpening& opening) : opening(opening) {}
  void Show(const std::u16string& path) override {
    opening.cancelled = false;
    opening.lblPath.Caption(path);
    opening.Show();
  }
  void Value(float percent) override {
    if (opening.beforeStep) opening.beforeStep(opening.values.size());
    opening.values.push_back(percent);
    opening.Bar.Value(percent);
  }
  bool Cancelled() override { return opening.cancelled; }
  void Hide() override { opening.Hide(); }
  StandInOpening& opening;
};

// The windows, handed to the core while the object lives.
class StandInServices {
 public:
  StandInMain main;
  StandInDecoding decoding;
  StandInOpening opening;
  MainAdapter mainAdapter{main};
  DecodingAdapter decodingAdapter{decoding};
  OpeningAdapter openingAdapter{opening};

  StandInServices() {
    core::SetMainWindow(&mainAdapter);
    core::SetDecodingWindow(&decodingAdapter);
    core::SetOpeningWindow(&openingAdapter);
  }
  ~StandInServices() {
    core::SetMainWindow(nullptr);
    core::SetDecodingWindow(nullptr);
    core::SetOpeningWindow(nullptr);
    opening.Terminate();
    decoding.Terminate();
    main.Terminate();
  }
  vb::RichTextBox& editor() { return *main.RichTextBox; }
};

inline void SelectDirection(StandInServices& w, int direction) { SelectDirection(w.main, direction); }

}  // namespace qmtest
