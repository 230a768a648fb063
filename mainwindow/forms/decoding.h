// frmDecoding: the progress window a conversion run shows modeless while it works: the document's
// path, the pair being converted, the bar, and Cancel, which asks before it stops the run. The
// window's close box asks the same question. The run reaches the window through Services, which
// never loads a window that Cancel or Stop has unloaded: the run ends at its next step instead.
#pragma once

#include <string>

#include "core/main_window.h"
#include "mainwindow/forms/progress_window.h"

class frmDecoding : public ProgressWindow {
 public:
  vb::Label Label2{FrameProgress};
  vb::Label lblCode{FrameProgress};

  frmDecoding();

  // The window as the conversion run drives it.
  class Services : public DecodingWindowServices {
   public:
    explicit Services(frmDecoding& form) : form_(form) {}
    void Show() override;
    void Hide() override;
    bool Visible() override;
    void MousePointer(int pointer) override;
    void CodeCaption(const std::u16string& caption) override;
    void CalculatePercentage(bool on) override;
    void Value(float value) override;

   private:
    frmDecoding& form_;
  } services{*this};

  // The question of Cancel and of the close box; true when the user confirmed and the run was asked
  // to stop.
  static bool ConfirmCancel();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void cmdCancel_Click();
};

// The one progress window of the program, made on first use.
frmDecoding& DecodingWindow();
