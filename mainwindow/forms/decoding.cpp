#include "mainwindow/forms/decoding.h"

#include "core/decode.h"
#include "core/main_window.h"
#include "mainwindow/window_placement.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/vb/msgbox.h"

frmDecoding::frmDecoding() {
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmDecoding::Design() {
  DesignProgress(u"Перекодирование...", 3240, 1035);
  mainwindow::CentreOverMainWindow(*this);
  Label2.Move(120, 660, 1000, 255);
  Label2.Caption(u"Кодировка:");
  lblCode.Move(1200, 660, 3675, 255);
}

void frmDecoding::Form_Load() {
  ProgressWindow::Form_Load();
  const std::u16string path = core::frmMain().CommonDialog().FileName;
  txtPath.Text(path.empty() ? std::u16string(u"Документ не сохранен") : path);
}

bool frmDecoding::ConfirmCancel() {
  if (vb::MsgBox(u"Вы действительно хотите отменить перекодирование?", vb::vbYesNo | vb::vbQuestion,
                 core::kProgramTitle) != vb::vbYes) {
    return false;
  }
  modDecode::CancelDecode();
  return true;
}

void frmDecoding::cmdCancel_Click() {
  if (ConfirmCancel()) Unload();
}

// The close box is the window's Cancel: the same question, and No keeps the run and the window.
void frmDecoding::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == vb::vbFormControlMenu && !ConfirmCancel()) cancel = 1;
}

void frmDecoding::Services::Show() { form_.Show(); }

void frmDecoding::Services::Hide() {
  if (form_.IsLoaded()) form_.Hide();
}

bool frmDecoding::Services::Visible() { return form_.IsLoaded() && form_.Visible(); }

// Setting the busy pointer loads the window, as setting any of its properties does (the run sets it
// before it shows the window); going back to the default pointer leaves an unloaded window unloaded.
void frmDecoding::Services::MousePointer(int pointer) {
  if (pointer != vb::vbDefault || form_.IsLoaded()) form_.MousePointer(pointer);
}

void frmDecoding::Services::CodeCaption(const std::u16string& caption) { form_.lblCode.Caption(caption); }

void frmDecoding::Services::CalculatePercentage(bool on) {
  if (form_.IsLoaded()) form_.ProgressBar.CalculatePercentage(on);
}

// A window unloaded by Cancel or Stop is not loaded again to show a step: the run sees the cancel
// request at its next step.
void frmDecoding::Services::Value(float value) {
  if (form_.IsLoaded()) form_.ProgressBar.Value(value);
}

frmDecoding& DecodingWindow() {
  static frmDecoding* window = new frmDecoding;
  return *window;
}
