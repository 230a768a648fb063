// The full-screen view: frmFScreen, a maximised window whose own editor FSRTB holds a copy of the
// document, and frmFScreenB, a small bar kept above everything with the one button that returns to
// the normal view. The text is copied in when the view opens and copied back, as one change of the
// main editor (one step of its edit history), when it closes.
//
// While the view is open the main window and the windows it owns are disabled, and the main window
// cannot be closed: the document lives in the view, so nothing can be edited in the main window only
// to be overwritten when the view closes, and the program cannot end with the text in the view. The view closes by
// the bar's button or by its own window's close box; either way the text comes back, the bar goes
// (remembering where it stood) and the main window is enabled again. The bar itself cannot be
// closed: its window menu has no Close.
//
// The bar's place ("FullScreenLeft", "FullScreenTop", twips) is kept between openings and runs; a
// stored place that is off every screen, or that is no number, brings the bar back onto the nearest
// screen's work area.
#pragma once

#include "platform/richedit/rich_text_box.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/window_control.h"

class frmFScreen : public vb::Form {
 public:
  vb::Shape ShapeRichTextBox{*this};
  vb::WindowControl<vb::RichTextBox> FSRTB{*this};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
};

class frmFScreenB : public vb::Form {
 public:
  vb::CommandButton cmdExit{*this};

  frmFScreenB();

  // The bar's inner size in twips.
  static constexpr float kClientWidth = 2535;
  static constexpr float kClientHeight = 495;

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void PlaceFromSettings();
  void cmdExit_Click();
};

// The program's full-screen window and its bar, made on first use.
frmFScreen& FullScreenWindow();
frmFScreenB& FullScreenBar();
// Whether the full-screen view is open (its window is loaded).
bool FullScreenViewOpen();
