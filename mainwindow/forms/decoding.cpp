#include "mainwindow/forms/decoding.h"

#include "core/decode.h"
#include "core/main_window.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/vb/msgbox.h"

frmDecoding::frmDecoding() {
  chrome::AddButtonSounds(cmdCancel);
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmDecoding::Design() {
  Caption(u"Перекодирование...");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 5340, 3240);
  mainwindow::CentreOverMainWindow(*this);
  Frame1.Move(120, 60, 4995, 855);
  Frame1.Caption(u"Выполнено:");
  ProgressBar.Move(120, 300, 4755, 375);
  FrameProgress.Move(120, 1000, 4995, 1035);
  FrameProgress.Caption(u"Подробности:");
  Label1.Move(120, 300, 1000, 255);
  Label1.Caption(u"Файл:");
  txtPath.Move(1200, 270, 3675, 285);
  txtPath.Locked(true);
  txtPath.BackColor(vb::vbButtonFace);
  Label2.Move(120, 660, 1000, 255);
  Label2.Caption(u"Кодировка:");
  lblCode.Move(1200, 660, 3675, 255);
  picLine.Move(0, 2160, 5400, 30);
  picLine.BorderStyle(1);
  cmdCancel.Move(3900, 2280, 1215, 375);
  cmdCancel.Caption(u"Отмена");
  cmdCancel.Default(true);
  cmdCancel.Cancel(true);
}

void frmDecoding::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
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

void frmDecoding::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

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
