#include "mainwindow/forms/opening.h"

#include "mainwindow/forms/main.h"
#include "mainwindow/forms/quiet_main_window.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"

frmOpening::frmOpening() {
  chrome::AddButtonSounds(cmdCancel);
  cmdCancel.Click = [this] { cancelled_ = true; };
}

void frmOpening::Design() {
  Caption(u"Загрузка документа...");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5340, 2835);
  Frame1.Move(120, 60, 4995, 855);
  Frame1.Caption(u"Выполнено:");
  ProgressBar.Move(120, 300, 4755, 375);
  FrameProgress.Move(120, 1000, 4995, 675);
  FrameProgress.Caption(u"Подробности:");
  Label1.Move(120, 300, 1000, 255);
  Label1.Caption(u"Файл:");
  txtPath.Move(1200, 270, 3675, 285);
  txtPath.Locked(true);
  txtPath.BackColor(vb::vbButtonFace);
  picLine.Move(0, 1800, 5400, 30);
  picLine.BorderStyle(1);
  cmdCancel.Move(3900, 1920, 1215, 375);
  cmdCancel.Caption(u"Отмена");
  cmdCancel.Default(true);
  cmdCancel.Cancel(true);
}

void frmOpening::Form_Load() {
  mainwindow::CentreOver(*this, MainWindow());
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

// The close box cancels the open; the window stays until the open has stopped and hides it.
void frmOpening::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == vb::vbFormControlMenu) {
    cancelled_ = true;
    cancel = 1;
  }
}

void frmOpening::Form_Unload(int&) {
  chrome::PlaySoundEvent(chrome::kFormUnload);
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
