// The settings dialog's dependent controls: every edit enables Apply, and the one-shot refreshes set
// the backup-place, clipboard, sound and password controls from their governing control.
#include "settings_support.h"

using qmtest::SettingsDialogTest;
using qmtest::StorePref;
namespace pref = settings::preferences;

namespace {

TEST_F(SettingsDialogTest, EveryEditEnablesApplyTheBackupFolderAndKeySoundToo) {
  LoadAndSettle();
  for (vb::TextBox* t : {&form.txtPathBackupFolder, &form.txtKeyDown, &form.txtFolderDoc, &form.txtCopies,
                         &form.txtLeft, &form.txtPassword, &form.txtUser, &form.txtFormLoad, &form.txtExample}) {
    form.cmdApply.Enabled(false);
    t->Text(u"x");
    EXPECT_TRUE(form.cmdApply.Enabled());
  }
  for (vb::CheckBox* c : {&form.chkWrap, &form.chkShowSplash, &form.chkDoNotShowPassword, &form.chkKeyDown,
                          &form.chkClipboardDetect, &form.chkCreateBackup}) {
    form.cmdApply.Enabled(false);
    c->Value(vb::vbChecked);
    EXPECT_TRUE(form.cmdApply.Enabled());
  }
  for (vb::OptionButton* o : {&form.optStyleSystem, &form.optShowNothing, &form.optQLow, &form.optLandscape,
                              &form.optCMColor, &form.optCreateBackupInOriginalFileFolder}) {
    form.cmdApply.Enabled(false);
    o->Value(true);
    EXPECT_TRUE(form.cmdApply.Enabled());
  }
  form.cmdApply.Enabled(false);
  form.cmbCode.ListIndex(3);
  EXPECT_TRUE(form.cmdApply.Enabled());
  form.cmdApply.Enabled(false);
  form.lstPrinters.ListIndex(0);
  form.lstPrinters.ListIndex(-1);
  EXPECT_TRUE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, TheBackupPlaceFollowsTheBackupSwitch) {
  StorePref(pref::kCreateBackup, u"1");
  LoadAndSettle();
  EXPECT_TRUE(form.optCreateBackupInCustomFolder.Value());
  EXPECT_TRUE(form.txtPathBackupFolder.Enabled());
  form.chkCreateBackup.Value(vb::vbUnchecked);
  // Nothing changes inside the handler; the refresh comes after it.
  EXPECT_TRUE(form.optCreateBackupInCustomFolder.Enabled());
  Settle();
  for (vb::OptionButton* o : {&form.optCreateBackupInCustomFolder, &form.optCreateBackupInOriginalFileFolder}) {
    EXPECT_FALSE(o->Enabled());
    EXPECT_FALSE(o->Value());
  }
  EXPECT_FALSE(form.txtPathBackupFolder.Enabled());
  EXPECT_FALSE(form.cmdBrowseBackupFolder.Enabled());
  form.chkCreateBackup.Value(vb::vbChecked);
  Settle();
  EXPECT_TRUE(form.optCreateBackupInCustomFolder.Enabled());
  EXPECT_FALSE(form.optCreateBackupInCustomFolder.Value());
  EXPECT_FALSE(form.txtPathBackupFolder.Enabled());
  form.optCreateBackupInCustomFolder.Value(true);
  EXPECT_TRUE(form.txtPathBackupFolder.Enabled());
  EXPECT_TRUE(form.cmdBrowseBackupFolder.Enabled());
  form.optCreateBackupInOriginalFileFolder.Value(true);
  EXPECT_FALSE(form.txtPathBackupFolder.Enabled());
}

TEST_F(SettingsDialogTest, TheClipboardOptionsFollowTheClipboardWatch) {
  StorePref(pref::kClipboardDetect, u"1");
  StorePref(pref::kDecodeClipboard, u"1");
  StorePref(pref::kClipboardText, u"1");
  LoadAndSettle();
  EXPECT_TRUE(form.chkDecodeClipboard.Enabled());
  form.chkClipboardDetect.Value(vb::vbUnchecked);
  Settle();
  EXPECT_FALSE(form.chkDecodeClipboard.Enabled());
  EXPECT_FALSE(form.chkClipboardText.Enabled());
  EXPECT_EQ(form.chkDecodeClipboard.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.chkClipboardText.Value(), vb::vbUnchecked);
  EXPECT_TRUE(form.cmdApply.Enabled());
  form.chkClipboardDetect.Value(vb::vbChecked);
  Settle();
  EXPECT_TRUE(form.chkDecodeClipboard.Enabled());
  EXPECT_EQ(form.chkDecodeClipboard.Value(), vb::vbUnchecked);
}

TEST_F(SettingsDialogTest, EachSoundsPathAndBrowseFollowItsSwitchAndTheDefaultsButtonAnyOfThem) {
  LoadAndSettle();
  for (vb::Control* c : std::initializer_list<vb::Control*>{&form.txtButtonMouseMove, &form.cmdBrowseKeyDown,
                                                            &form.txtFormUnload, &form.cmdSoundsDefault}) {
    EXPECT_FALSE(c->Enabled());
  }
  form.chkFormUnload.Value(vb::vbChecked);
  Settle();
  EXPECT_TRUE(form.txtFormUnload.Enabled());
  EXPECT_TRUE(form.cmdBrowseFormUnload.Enabled());
  EXPECT_FALSE(form.txtFormLoad.Enabled());
  EXPECT_TRUE(form.cmdSoundsDefault.Enabled());
  form.chkFormUnload.Value(vb::vbUnchecked);
  Settle();
  EXPECT_FALSE(form.cmdSoundsDefault.Enabled());
}

TEST_F(SettingsDialogTest, ThePasswordMaskFollowsItsSwitchOnlyAtApply) {
  LoadAndSettle();
  form.chkDoNotShowPassword.Value(vb::vbChecked);
  Settle();
  EXPECT_EQ(form.txtPassword.PasswordChar(), 0);
  form.cmdApply_Click();
  Settle();
  EXPECT_EQ(form.txtPassword.PasswordChar(), u'*');
}

TEST_F(SettingsDialogTest, ThePickedFontShowsInTheSampleAndTypingKeepsIt) {
  LoadAndSettle();
  ASSERT_GT(form.cboFontName.ListCount(), 0);
  form.cboFontSize.ListIndex(11);
  EXPECT_EQ(form.lblExample.Font().Size, 36);
  EXPECT_TRUE(form.cmdApply.Enabled());
  form.cboFontName.ListIndex(0);
  EXPECT_EQ(form.lblExample.Font().Name, form.cboFontName.List(0));
  form.txtExample.Text(u"Съешь ещё этих мягких булок");
  EXPECT_EQ(form.lblExample.Caption(), u"Съешь ещё этих мягких булок");
  EXPECT_EQ(form.lblExample.Font().Size, 36);
  // Typing a size is no pick.
  form.cmdApply.Enabled(false);
  form.cboFontSize.Text(u"11");
  EXPECT_EQ(form.lblExample.Font().Size, 36);
}

}  // namespace
