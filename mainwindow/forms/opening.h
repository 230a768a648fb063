// frmOpening: the progress window of an open that takes long: the document's path, the bar, and
// Cancel, which stops the open at once (nothing is lost by it: the editor keeps the document it
// had). The window's close box is Cancel too. While it shows, the main window and the windows it
// owns take no input.
#pragma once

#include <string>

#include "core/main_window.h"
#include "mainwindow/forms/progress_window.h"

class frmOpening : public ProgressWindow {
 public:
  frmOpening();

  // The window as the open drives it.
  class Services : public OpeningWindowServices {
   public:
    explicit Services(frmOpening& form) : form_(form) {}
    void Show(const std::u16string& path) override;
    void Value(float percent) override;
    bool Cancelled() override { return form_.cancelled_; }
    void Hide() override;

   private:
    frmOpening& form_;
  } services{*this};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

 private:
  // Gives the main window back its input, when this window took it.
  void WakeMain();

  bool cancelled_ = false;
  bool quieted_ = false;
};

// The one open progress window of the program, made on first use.
frmOpening& OpeningWindow();
