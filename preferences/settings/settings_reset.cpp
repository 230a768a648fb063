// Reset puts the built-in defaults into the controls and applies them; the sound defaults fill the
// ticked sounds' paths with the program's own wave files.
#include "core/main_window.h"
#include "platform/vb/app.h"
#include "platform/vb/msgbox.h"
#include "preferences/settings/settings.h"

namespace {

bool Confirmed(std::u16string_view question) {
  return vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion, core::kProgramTitle) == vb::vbYes;
}

}  // namespace

void frmSettings::cmdReset_Click() {
  if (!Confirmed(u"Вы действительно хотите сбросить текущие параметры и установить параметры по умолчанию?")) return;
  chkTopMost.Value(vb::vbUnchecked);
  chkWrap.Value(vb::vbChecked);
  chkClearClipboard.Value(vb::vbUnchecked);
  chkClipboardDetect.Value(vb::vbUnchecked);
  chkSaveWindowPositionAndSize.Value(vb::vbChecked);
  chkManyCopies.Value(vb::vbUnchecked);
  chkMessageOnExit.Value(vb::vbChecked);
  chkStartAtStartup.Value(vb::vbUnchecked);
  chkStartAtOpen.Value(vb::vbUnchecked);
  chkStartAtImport.Value(vb::vbUnchecked);
  cmbCode.ListIndex(0);
  chkToolBarStandart.Value(vb::vbChecked);
  chkToolBarDecode.Value(vb::vbChecked);
  optShowNothing.Value(true);
  chkShowPrintingDialog.Value(vb::vbChecked);
  chkShowWelcomeDialog.Value(vb::vbChecked);
  chkSaveChange.Value(vb::vbChecked);
  chkCreateBackup.Value(vb::vbChecked);
  // With no printer at all the list is empty and keeps no selection.
  if (lstPrinters.ListCount() > 0) lstPrinters.ListIndex(0);
  optQHigh.Value(true);
  optCMMonochrome.Value(true);
  optPortrait.Value(true);
  txtLeft.Text(u"20");
  txtWidth.Text(u"5");
  txtTop.Text(u"5");
  txtHeight.Text(u"5");
  txtCopies.Text(u"1");
  cmbPaperSize.Text(u"A4 210 x 297 мм");
  txtExample.Text(u"Example, Образец");
  cboFontName.Text(u"MS Sans Serif");
  cboFontSize.Text(u"8");
  chkDoNotShowPassword.Value(vb::vbChecked);
  // The refreshes these changes asked for run before anything is stored, so Apply stores the
  // dependents as they settle (unwatched clipboard: its two options off).
  RunPendingRefreshes();
  cmdSoundsDefault_Click();
  cmdApply_Click();
  vb::MsgBox(u"Установлены параметры по умолчанию.", vb::vbInformation, core::kProgramTitle);
}

void frmSettings::cmdSoundsDefault_Click() {
  if (!Confirmed(u"Вы действительно хотите установить звуки по умолчанию?")) return;
  const std::u16string base = vb::App.Path() + u"/Sounds/";
  struct Sound {
    vb::CheckBox& check;
    vb::TextBox& path;
    const char16_t* file;
  };
  const Sound sounds[] = {{chkButtonMouseMove, txtButtonMouseMove, u"ButtonMove.wav"},
                          {chkButtonMouseClick, txtButtonMouseClick, u"ButtonClick.wav"},
                          {chkFormLoad, txtFormLoad, u"FormLoad.wav"},
                          {chkFormUnload, txtFormUnload, u"FormUnload.wav"},
                          {chkKeyDown, txtKeyDown, u"KeyDown.wav"}};
  for (const Sound& s : sounds) {
    if (s.check.Value() == vb::vbChecked) s.path.Text(base + s.file);
  }
  cmdApply_Click();
  vb::MsgBox(u"Установлены звуки по умолчанию.", vb::vbInformation, core::kProgramTitle);
}

void frmSettings::RunPendingRefreshes() {
  if (TimerBackup.Enabled()) TimerBackup_Timer();
  if (TimerClipboard.Enabled()) TimerClipboard_Timer();
  if (TimerSounds.Enabled()) TimerSounds_Timer();
}
