#include "mainwindow/forms/opening.h"

#include "mainwindow/forms/main.h"
#include "mainwindow/forms/quiet_main_window.h"
#include "mainwindow/window_placement.h"

frmOpening::frmOpening() {
  cmdCancel.Click = [this] { cancelled_ = true; };
}

void frmOpening::Design() { DesignProgress(u"Загрузка документа...", 2835, 675); }

void frmOpening::Form_Load() {
  mainwindow::CentreOver(*this, MainWindow());
  ProgressWindow::Form_Load();
}

// The close box cancels the open; the window stays until the open has stopped and hides it.
void frmOpening::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == vb::vbFormControlMenu) {
    cancelled_ = true;
    cancel = 1;
  }
}

void frmOpening::Form_Unload(int& cancel) {
  ProgressWindow::Form_Unload(cancel);
  WakeMain();
}

void frmOpening::WakeMain() {
  if (quieted_) mainwindow::WakeMainWindow(MainWindow());
  quieted_ = false;
}

void frmOpening::Services::Show(const std::u16string& path) {
  form_.cancelled_ = false;
  form_.txtPath.Text(path);  // loads the window
  if (!form_.quieted_) mainwindow::QuietMainWindow(MainWindow(), form_.hWnd());
  form_.quieted_ = true;
  form_.ProgressBar.Value(0);
  mainwindow::ShowOwnedByMainWindow(form_);
}

void frmOpening::Services::Value(float percent) {
  if (form_.IsLoaded()) form_.ProgressBar.Value(percent);
}

void frmOpening::Services::Hide() {
  if (!form_.IsLoaded()) return;
  form_.Hide();
  form_.WakeMain();
}

frmOpening& OpeningWindow() {
  static frmOpening* window = new frmOpening;
  return *window;
}
