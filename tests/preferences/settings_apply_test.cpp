// Apply, OK and Cancel of the settings dialog: every control written back in its type and subkey,
// the values an empty box or an unchosen group keep, the printer made current only on Apply, the
// editor font pushed to the main window, one write of the settings file for all of it, and a
// settings file only its owner can read.
#include <sys/stat.h>

#include "controls/testing/stand_in.h"
#include "platform/registry/store.h"
#include "platform/vb/printer.h"
#include "settings_support.h"

using qmtest::SettingsDialogTest;
using qmtest::StoredNumber;
using qmtest::StoredPref;
using qmtest::StoredText;
using qmtest::StorePref;
using qmtest::StoreText;
namespace pref = settings::preferences;

namespace {

TEST_F(SettingsDialogTest, ApplyWritesEveryControlInItsTypeAndSubkey) {
  LoadAndSettle();
  form.chkWrap.Value(vb::vbChecked);
  form.chkClipboardDetect.Value(vb::vbChecked);
  form.chkDecodeClipboard.Value(vb::vbChecked);
  form.cmbCode.ListIndex(19);
  form.optStyleOfficeXP.Value(true);
  form.chkShowWelcomeDialog.Value(vb::vbChecked);
  form.optShowNothing.Value(true);
  form.optQDraft.Value(true);
  form.optPortrait.Value(true);
  form.optCMMonochrome.Value(true);
  form.cmbPaperSize.Text(u"A5 148 x 210 мм");
  form.txtLeft.Text(u"25");
  form.txtCopies.Text(u"3");
  form.chkCreateBackup.Value(vb::vbChecked);
  Settle();
  form.optCreateBackupInOriginalFileFolder.Value(true);
  form.txtPathBackupFolder.Text(u"/копии");
  form.cboFontName.Text(u"DejaVu Serif");
  form.cboFontSize.Text(u"18");
  form.txtExample.Text(u"Образец");
  form.txtUser.Text(u"Анна");
  form.txtPassword.Text(u"Пароль1");
  form.chkDoNotShowPassword.Value(vb::vbChecked);
  form.chkKeyDown.Value(vb::vbChecked);
  form.txtKeyDown.Text(u"/snd/key.wav");
  form.cmdApply_Click();

  EXPECT_EQ(StoredPref(pref::kViewMode), u"1");
  EXPECT_EQ(StoredPref(pref::kTopMost), u"0");
  EXPECT_EQ(StoredPref(pref::kClipboardDetect), u"1");
  EXPECT_EQ(StoredPref(pref::kDecodeClipboard), u"1");
  EXPECT_EQ(StoredPref(pref::kDefaultCode), u"19");
  EXPECT_EQ(StoredPref(pref::kStyle), u"OfficeXP");
  EXPECT_EQ(StoredNumber(settings::kDialogsKey, settings::dialogs::kWelcome), 1);
  EXPECT_EQ(StoredNumber(settings::kDialogsKey, settings::dialogs::kSplash), 0);
  EXPECT_EQ(StoredPref(pref::kShowInCaption), u"3");
  EXPECT_EQ(StoredPref(pref::kPrintQuality), u"vbPRPQDraft");
  EXPECT_EQ(StoredPref(pref::kOrientation), u"vbPRORPortrait");
  EXPECT_EQ(StoredPref(pref::kColorMode), u"vbPRCMMonochrome");
  EXPECT_EQ(StoredPref(pref::kPrinters), u"0");
  EXPECT_EQ(StoredPref(pref::kPrinterName), form.lstPrinters.List(0));
  EXPECT_EQ(StoredPref(pref::kPaperSize), u"A5 148 x 210 мм");
  EXPECT_EQ(StoredPref(pref::kPositionLeft), u"25");
  EXPECT_EQ(StoredPref(pref::kCopies), u"3");
  EXPECT_EQ(StoredPref(pref::kCreateBackup), u"1");
  EXPECT_EQ(StoredPref(pref::kCreateBackupIn), u"1");
  EXPECT_EQ(StoredPref(pref::kBackupFolder), u"/копии");
  EXPECT_EQ(StoredPref(pref::kFontName), u"DejaVu Serif");
  EXPECT_EQ(StoredPref(pref::kFontSize), u"18");
  EXPECT_EQ(StoredPref(pref::kTextExample), u"Образец");
  EXPECT_EQ(StoredText(settings::kLockedKey, settings::locked::kUser), u"Анна");
  EXPECT_EQ(StoredText(settings::kLockedKey, settings::locked::kPassword), u"Пароль1");
  EXPECT_EQ(StoredText(settings::kLockedKey, settings::locked::kTip), u"");
  EXPECT_EQ(StoredNumber(settings::kLockedKey, settings::locked::kDoNotShowPassword), 1);
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kKeyDown), u"1");
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kFormLoad), u"0");
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kKeyDownPath), u"/snd/key.wav");
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kFormLoadPath), u"");
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, EmptyBoxesAndUnchosenGroupsKeepWhatIsStored) {
  StorePref(pref::kPositionLeft, u"20");
  StorePref(pref::kCopies, u"2");
  StorePref(pref::kStyle, u"Классика");
  StorePref(pref::kShowInCaption, u"7");
  StorePref(pref::kFontName, u"DejaVu Sans");
  LoadAndSettle();
  form.txtLeft.Text(u"");
  form.txtCopies.Text(u"");
  form.cboFontName.Text(u"");
  form.cmdApply_Click();
  EXPECT_EQ(StoredPref(pref::kPositionLeft), u"20");
  EXPECT_EQ(StoredPref(pref::kCopies), u"2");
  EXPECT_EQ(StoredPref(pref::kStyle), u"Классика");
  EXPECT_EQ(StoredPref(pref::kShowInCaption), u"7");
  EXPECT_EQ(StoredPref(pref::kFontName), u"DejaVu Sans");
  EXPECT_EQ(StoredPref(pref::kPositionTop), u"<none>");
  // The backups are off, so neither backup place is chosen and none is written.
  EXPECT_EQ(StoredPref(pref::kCreateBackupIn), u"<none>");
}

TEST_F(SettingsDialogTest, OkWritesOnlyPendingChangesAndCancelDropsThem) {
  LoadAndSettle();
  form.cmdOK_Click();
  EXPECT_EQ(StoredPref(pref::kViewMode), u"<none>");
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.IsLoaded());
  form.txtKeyDown.Text(u"/snd/typed.wav");
  form.cmdOK_Click();
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kKeyDownPath), u"/snd/typed.wav");
  form.chkTopMost.Value(vb::vbChecked);
  form.cmdCancel_Click();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(StoredPref(pref::kTopMost), u"0");
  EXPECT_EQ(form.chkTopMost.Value(), vb::vbUnchecked);
}

TEST_F(SettingsDialogTest, TheChosenPrinterBecomesCurrentOnApplyOnly) {
  LoadAndSettle();
  const std::u16string before = vb::Printer.DeviceName();
  form.lstPrinters.ListIndex(-1);
  form.cmdCancel_Click();
  EXPECT_EQ(vb::Printer.DeviceName(), before);
  LoadAndSettle();
  const int last = form.lstPrinters.ListCount() - 1;
  form.lstPrinters.ListIndex(last);
  form.cmdApply_Click();
  EXPECT_EQ(vb::Printer.DeviceName(), form.lstPrinters.List(last));
  EXPECT_EQ(form.lblDefaultPrinter.Caption(), u"Принтер по умолчанию: " + form.lstPrinters.List(last));
}

TEST_F(SettingsDialogTest, ApplyGivesTheEditorTheFontAndASizeOnlyWhenItIsOne) {
  qmtest::StandInServices windows;
  LoadAndSettle();
  form.cboFontName.Text(u"DejaVu Serif");
  form.cboFontSize.Text(u"20");
  form.cmdApply_Click();
  EXPECT_EQ(windows.editor().FontSize(), 20);
  form.cboFontSize.Text(u"огромный");
  form.cmdApply_Click();
  EXPECT_EQ(StoredPref(pref::kFontSize), u"огромный");
  EXPECT_EQ(windows.editor().FontSize(), 20);
}

// Apply writes every control, yet the settings file is replaced once, beside a big remembered
// clipboard text; OK with nothing pending replaces it not at all.
TEST_F(SettingsDialogTest, ApplyReachesTheSettingsFileInOneWrite) {
  StoreText(settings::kClipboardKey, settings::clipboard::kClipboardText, std::u16string(1'000'000, u'ё'));
  LoadAndSettle();
  qmtest::FileReplacements replaced(platform::registry::FilePath());
  form.chkTopMost.Value(vb::vbChecked);
  form.txtUser.Text(u"Анна");
  form.cmdApply_Click();
  EXPECT_EQ(replaced.Count(), 1);
  EXPECT_EQ(StoredPref(pref::kTopMost), u"1");
  EXPECT_EQ(StoredText(settings::kLockedKey, settings::locked::kUser), u"Анна");
  EXPECT_EQ(StoredPref(pref::kViewMode), u"0");
  form.chkTopMost.Value(vb::vbUnchecked);
  form.cmdOK_Click();
  EXPECT_EQ(replaced.Count(), 2);
  form.cmdOK_Click();
  EXPECT_EQ(replaced.Count(), 2);
  EXPECT_EQ(StoredText(settings::kClipboardKey, settings::clipboard::kClipboardText), std::u16string(1'000'000, u'ё'));
}

TEST_F(SettingsDialogTest, TheSettingsFileIsReadableByItsOwnerOnlyWhateverTheUmask) {
  const mode_t old = umask(0);
  LoadAndSettle();
  form.txtPassword.Text(u"тайна");
  form.cmdApply_Click();
  umask(old);
  struct stat st {};
  ASSERT_EQ(stat(platform::registry::FilePath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
