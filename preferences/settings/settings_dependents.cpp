// The controls' change handlers and the one-shot refreshes of the controls that depend on others.
// Every edit enables Apply; a governing control starts its timer, whose tick (after the handler
// has returned) sets the dependents from the governing control as it then stands and stops itself.
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/vb/screen.h"
#include "preferences/settings/settings.h"
#include "preferences/settings/stored_values.h"

void frmSettings::ConnectChecks() {
  for (vb::CheckBox* c : {&chkClearClipboard, &chkClipboardText, &chkDecodeAtCodeChange, &chkDecodeClipboard,
                          &chkDoNotShowPassword, &chkManyCopies, &chkMessageOnExit, &chkSaveChange,
                          &chkSaveWindowPositionAndSize, &chkShowPrintingDialog, &chkShowSplash,
                          &chkShowWelcomeDialog, &chkShowWorkBeginDialog, &chkStartAtImport, &chkStartAtOpen,
                          &chkStartAtStartup, &chkToolBarDecode, &chkToolBarStandart, &chkTopMost, &chkWrap}) {
    c->Click = [this] { EnableApply(); };
  }
  for (vb::CheckBox* c : {&chkButtonMouseMove, &chkButtonMouseClick, &chkFormLoad, &chkFormUnload, &chkKeyDown}) {
    c->Click = [this] {
      EnableApply();
      TimerSounds.Enabled(true);
    };
  }
  chkClipboardDetect.Click = [this] {
    EnableApply();
    TimerClipboard.Enabled(true);
  };
  chkCreateBackup.Click = [this] {
    EnableApply();
    TimerBackup.Enabled(true);
  };
  cmbCode.Click = [this] { EnableApply(); };
  cmbPaperSize.Click = [this] { EnableApply(); };
}

void frmSettings::ConnectPlainEdits() {
  for (vb::OptionButton* o : {&optCMColor, &optCMMonochrome, &optLandscape, &optPortrait, &optQDraft, &optQHigh,
                              &optQLow, &optQMedium, &optShowNameOpenFile, &optShowNothing, &optShowPathOpenFile,
                              &optStyleOfficeXP, &optStyleSystem}) {
    o->Click = [this] { EnableApply(); };
  }
  optCreateBackupInCustomFolder.Click = [this] {
    EnableApply();
    txtPathBackupFolder.Enabled(true);
    cmdBrowseBackupFolder.Enabled(true);
  };
  optCreateBackupInOriginalFileFolder.Click = [this] {
    EnableApply();
    txtPathBackupFolder.Enabled(false);
    cmdBrowseBackupFolder.Enabled(false);
  };
  // Every box enables Apply, the backup folder and the key-press sound too: OK writes only when
  // Apply is enabled, so a box without this would lose what was typed into it.
  for (vb::TextBox* t : {&txtButtonMouseClick, &txtButtonMouseMove, &txtCopies, &txtFolderDoc, &txtFormLoad,
                         &txtFormUnload, &txtHeight, &txtLeft, &txtPassword, &txtTip, &txtTop, &txtUser, &txtWidth,
                         &txtPathBackupFolder, &txtKeyDown}) {
    t->Change = [this] { EnableApply(); };
  }
}

void frmSettings::cboFontName_Click() {
  lblExample.FontName(cboFontName.Text());
  EnableApply();
}

void frmSettings::cboFontSize_Click() {
  if (const auto points = stored_values::FontPoints(cboFontSize.Text())) lblExample.FontSize(*points);
  EnableApply();
}

void frmSettings::txtExample_Change() {
  // The sample keeps the chosen font: taking the text box's own font here would show the sample
  // in the dialog's font as soon as the user types.
  lblExample.Caption(txtExample.Text());
  EnableApply();
}

void frmSettings::TimerBackup_Timer() {
  if (chkCreateBackup.Value() == vb::vbUnchecked) {
    optCreateBackupInOriginalFileFolder.Enabled(false);
    optCreateBackupInOriginalFileFolder.Value(false);
    optCreateBackupInCustomFolder.Enabled(false);
    optCreateBackupInCustomFolder.Value(false);
    txtPathBackupFolder.Enabled(false);
    cmdBrowseBackupFolder.Enabled(false);
  } else {
    optCreateBackupInOriginalFileFolder.Enabled(true);
    optCreateBackupInCustomFolder.Enabled(true);
  }
  TimerBackup.Enabled(false);
}

void frmSettings::TimerClipboard_Timer() {
  if (chkClipboardDetect.Value() == vb::vbUnchecked) {
    chkDecodeClipboard.Enabled(false);
    chkClipboardText.Enabled(false);
    chkDecodeClipboard.Value(vb::vbUnchecked);
    chkClipboardText.Value(vb::vbUnchecked);
  } else {
    chkDecodeClipboard.Enabled(true);
    chkClipboardText.Enabled(true);
  }
  TimerClipboard.Enabled(false);
}

void frmSettings::TimerSounds_Timer() {
  struct Row {
    vb::CheckBox& check;
    vb::TextBox& path;
    vb::CommandButton& browse;
  };
  const Row rows[] = {{chkButtonMouseMove, txtButtonMouseMove, cmdBrowseButtonMouseMove},
                      {chkButtonMouseClick, txtButtonMouseClick, cmdBrowseButtonMouseClick},
                      {chkFormLoad, txtFormLoad, cmdBrowseFormLoad},
                      {chkFormUnload, txtFormUnload, cmdBrowseFormUnload},
                      {chkKeyDown, txtKeyDown, cmdBrowseKeyDown}};
  bool any = false;
  for (const Row& row : rows) {
    const bool on = row.check.Value() == vb::vbChecked;
    row.path.Enabled(on);
    row.browse.Enabled(on);
    any = any || on;
  }
  cmdSoundsDefault.Enabled(any);
  TimerSounds.Enabled(false);
}

void frmSettings::TimerLocked_Timer() {
  txtPassword.PasswordChar(chkDoNotShowPassword.Value() == vb::vbChecked ? u'*' : 0);
  TimerLocked.Enabled(false);
}

void frmSettings::TimerFonts_Timer() {
  vb::Screen.MousePointer(vb::vbHourglass);
  cboFontName.Clear();
  for (int i = 0; i < vb::Screen.FontCount(); ++i) cboFontName.AddItem(vb::Screen.Fonts(i));
  vb::Screen.MousePointer(vb::vbDefault);
  cboFontName.Text(FontNameShown());
  TimerFonts.Enabled(false);
}
