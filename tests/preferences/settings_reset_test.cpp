// Reset and the sound defaults with their questions, the folder and wave-file browses (a cancel
// leaves the box as it was), and the buttons that open the desktop's printer settings.
#include <cstdlib>
#include <string>

#include "controls/testing/stand_in.h"
#include "platform/script/script.h"
#include "platform/shell/shell.h"
#include "platform/vb/app.h"
#include "settings_support.h"

using platform::script::Answer;
using platform::script::Kind;
using qmtest::SettingsDialogTest;
using qmtest::StoredPref;
using qmtest::StoredText;
using qmtest::StorePref;
namespace pref = settings::preferences;

namespace {

void Answer(int button) { platform::script::Queue({Kind::MessageBox, button, {}}); }

std::u16string LastPrompt() {
  auto& log = platform::script::Log();
  return log.empty() ? u"" : log.back().prompt;
}

TEST_F(SettingsDialogTest, ResetAnsweredNoChangesNothing) {
  LoadAndSettle();
  Answer(vb::vbNo);
  form.cmdReset_Click();
  EXPECT_EQ(form.chkWrap.Value(), vb::vbUnchecked);
  EXPECT_EQ(StoredPref(pref::kViewMode), u"<none>");
  EXPECT_EQ(platform::script::Pending(), 0u);
}

TEST_F(SettingsDialogTest, ResetSetsTheDefaultsAppliesThemAndLeavesTheRestAsItStands) {
  StorePref(pref::kClipboardDetect, u"1");
  StorePref(pref::kDecodeClipboard, u"1");
  StorePref(pref::kDecodeAtCodeChange, u"1");
  StorePref(pref::kStyle, u"OfficeXP");
  StorePref(pref::kFolderDocuments, u"/docs");
  qmtest::StoreText(settings::kSoundsKey, settings::sounds::kFormLoad, u"1");
  qmtest::StoreText(settings::kSoundsKey, settings::sounds::kKeyDownPath, u"/keep.wav");
  LoadAndSettle();
  Answer(vb::vbYes);
  Answer(vb::vbYes);
  Answer(vb::vbOK);
  Answer(vb::vbOK);
  form.cmdReset_Click();
  const auto& log = platform::script::Log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[log.size() - 4].prompt,
            u"Вы действительно хотите сбросить текущие параметры и установить параметры по умолчанию?");
  EXPECT_EQ(log[log.size() - 3].prompt, u"Вы действительно хотите установить звуки по умолчанию?");
  EXPECT_EQ(log[log.size() - 2].prompt, u"Установлены звуки по умолчанию.");
  EXPECT_EQ(log.back().prompt, u"Установлены параметры по умолчанию.");
  EXPECT_EQ(log.back().title, u"Brannoch Quillmark 3.0 Preview");
  EXPECT_EQ(StoredPref(pref::kViewMode), u"1");
  EXPECT_EQ(StoredPref(pref::kTopMost), u"0");
  EXPECT_EQ(StoredPref(pref::kMessageOnExit), u"1");
  EXPECT_EQ(StoredPref(pref::kDefaultCode), u"0");
  EXPECT_EQ(StoredPref(pref::kShowInCaption), u"3");
  EXPECT_EQ(StoredPref(pref::kPrintQuality), u"vbPRPQHigh");
  EXPECT_EQ(StoredPref(pref::kColorMode), u"vbPRCMMonochrome");
  EXPECT_EQ(StoredPref(pref::kOrientation), u"vbPRORPortrait");
  EXPECT_EQ(StoredPref(pref::kPositionLeft), u"20");
  EXPECT_EQ(StoredPref(pref::kPositionHeight), u"5");
  EXPECT_EQ(StoredPref(pref::kCopies), u"1");
  EXPECT_EQ(StoredPref(pref::kPaperSize), u"A4 210 x 297 мм");
  EXPECT_EQ(StoredPref(pref::kTextExample), u"Example, Образец");
  EXPECT_EQ(StoredPref(pref::kFontName), u"MS Sans Serif");
  EXPECT_EQ(StoredPref(pref::kFontSize), u"8");
  EXPECT_EQ(qmtest::StoredNumber(settings::kLockedKey, settings::locked::kDoNotShowPassword), 1);
  EXPECT_EQ(qmtest::StoredNumber(settings::kDialogsKey, settings::dialogs::kWelcome), 1);
  // The unwatched clipboard took its two options off before anything was stored.
  EXPECT_EQ(StoredPref(pref::kClipboardDetect), u"0");
  EXPECT_EQ(StoredPref(pref::kDecodeClipboard), u"0");
  // What Reset does not set stays as the controls hold it.
  EXPECT_EQ(StoredPref(pref::kDecodeAtCodeChange), u"1");
  EXPECT_EQ(StoredPref(pref::kStyle), u"OfficeXP");
  EXPECT_EQ(StoredPref(pref::kFolderDocuments), u"/docs");
  // The sound defaults filled the ticked sound only.
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kFormLoadPath), vb::App.Path() + u"/Sounds/FormLoad.wav");
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kKeyDownPath), u"/keep.wav");
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, ResetWithTheSoundQuestionAnsweredNoKeepsThePathsAndStillSaysSo) {
  qmtest::StoreText(settings::kSoundsKey, settings::sounds::kFormLoad, u"1");
  qmtest::StoreText(settings::kSoundsKey, settings::sounds::kFormLoadPath, u"/mine.wav");
  LoadAndSettle();
  Answer(vb::vbYes);
  Answer(vb::vbNo);
  Answer(vb::vbOK);
  form.cmdReset_Click();
  EXPECT_EQ(StoredText(settings::kSoundsKey, settings::sounds::kFormLoadPath), u"/mine.wav");
  EXPECT_EQ(StoredPref(pref::kViewMode), u"1");
  EXPECT_EQ(LastPrompt(), u"Установлены параметры по умолчанию.");
}

TEST_F(SettingsDialogTest, AFolderBrowseFillsItsBoxAndACancelLeavesItAsItWas) {
  LoadAndSettle();
  form.txtFolderDoc.Text(u"/было");
  platform::script::Queue({Kind::Folder, 0, {}});
  form.cmdBrowse.Value(true);
  EXPECT_EQ(form.txtFolderDoc.Text(), u"/было");
  EXPECT_EQ(platform::script::Log().back().prompt, u"Выберите папку для хранения документов ...");
  platform::script::Queue({Kind::Folder, 1, u"/tmp"});
  form.cmdBrowseBackupFolder.Value(true);
  EXPECT_EQ(form.txtPathBackupFolder.Text(), u"/tmp");
  platform::script::Queue({Kind::Folder, 0, {}});
  form.cmdBrowse.Value(true);
  EXPECT_EQ(form.txtFolderDoc.Text(), u"/было");
}

TEST_F(SettingsDialogTest, AWaveBrowseFillsItsBoxAndACancelKeepsTheBoxAndTheSharedFile) {
  qmtest::StandInServices windows;
  LoadAndSettle();
  windows.main.CommonDialog.FileName = u"/docs/письмо.txt";
  form.txtKeyDown.Text(u"/было.wav");
  platform::script::Queue({Kind::OpenFile, 0, {}});
  form.cmdBrowseKeyDown.Value(true);
  EXPECT_EQ(form.txtKeyDown.Text(), u"/было.wav");
  EXPECT_EQ(windows.main.CommonDialog.FileName, u"/docs/письмо.txt");
  platform::script::Queue({Kind::OpenFile, 1, u"/snd/новый.wav"});
  form.cmdBrowseFormLoad.Value(true);
  EXPECT_EQ(form.txtFormLoad.Text(), u"/snd/новый.wav");
  EXPECT_EQ(platform::script::Log().back().title, u"Выберите файл...");
}

TEST_F(SettingsDialogTest, PrinterSettingsFallBackToThePrintServersPageAndElseSaySo) {
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  qmtest::TempDir empty;
  setenv("PATH", empty.path().c_str(), 1);
  std::u16string opened;
  bool opens = true;
  platform::testing::SetOpenHandler([&](const std::u16string& url) {
    opened = url;
    return opens;
  });
  LoadAndSettle();
  form.cmdPrintersAndFaxs.Value(true);
  EXPECT_EQ(opened, u"http://localhost:631/printers/");
  form.cmdPrinterSetup.Value(true);
  EXPECT_EQ(opened, u"http://localhost:631/admin/");
  opens = false;
  Answer(vb::vbOK);
  form.cmdPrinterSetup.Value(true);
  EXPECT_NE(LastPrompt().find(u"system-config-printer"), std::u16string::npos);
  platform::testing::SetOpenHandler({});
  setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace
