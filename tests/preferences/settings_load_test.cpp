// The settings dialog's pages and loading: the tabs and pages, a fresh profile, every stored value
// into its control, values the controls cannot hold, the switch between pages, and a picture of
// every page in the build tree.
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/vb.h"
#include "platform/vb/printer.h"
#include "platform/vb/strings.h"
#include "settings_support.h"
#include "support_gdi.h"

namespace pref = settings::preferences;
using qmtest::SettingsDialogTest;
using qmtest::StoreNumber;
using qmtest::StorePref;
using qmtest::StoreText;

namespace {

std::u16string VisiblePages(frmSettings& f) {
  std::u16string shown;
  for (int tab = 1; tab <= 8; ++tab) {
    if (f.Page(tab)->Visible()) shown += static_cast<char16_t>(u'0' + tab);
  }
  return shown;
}

TEST_F(SettingsDialogTest, EightTabsInOrderWithTheirKeysDataAndOnlyTheFirstPageShown) {
  form.Load();
  EXPECT_EQ(form.Caption(), u"Параметры программы");
  ASSERT_EQ(form.tabSettings.TabCount(), 8);
  const char16_t* captions[] = {u"Общие", u"Перекодирование", u"Вид", u"Сохранение",
                                u"Шрифт", u"Печать", u"Блокировка", u"Звуки"};
  const char16_t* keys[] = {u"GENERAL", u"DECODE", u"VIEW", u"SAVING", u"FONT", u"PRINT", u"LOCKED", u"SOUNDS"};
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(form.tabSettings.TabText(n), captions[n - 1]);
    EXPECT_EQ(form.tabSettings.TabKey(n), keys[n - 1]);
    EXPECT_EQ(form.tabSettings.TabItemData(n), n * 1000);
  }
  EXPECT_EQ(form.tabSettings.SelectedTab(), 1);
  EXPECT_EQ(VisiblePages(form), u"1");
  ASSERT_EQ(form.cmbCode.ListCount(), 20);
  EXPECT_EQ(form.cmbCode.List(0), u"DOS 866 -> Windows 1251");
  EXPECT_EQ(form.cmbCode.List(4), u"Windows 1251 -> DOS 866");
  EXPECT_EQ(form.cmbCode.List(19), u"MAC Apple -> ISO 8859-5");
  ASSERT_EQ(form.cmbPaperSize.ListCount(), 5);
  EXPECT_EQ(form.cmbPaperSize.List(1), u"A4 210 x 297 мм");
  ASSERT_EQ(form.cboFontSize.ListCount(), 12);
  EXPECT_EQ(form.cboFontSize.List(11), u"36");
}

TEST_F(SettingsDialogTest, AFreshProfileLoadsEverythingEmptyWithApplyDisabled) {
  LoadAndSettle();
  for (vb::CheckBox* c : {&form.chkWrap, &form.chkTopMost, &form.chkManyCopies, &form.chkMessageOnExit,
                          &form.chkClipboardDetect, &form.chkShowSplash, &form.chkSaveChange, &form.chkCreateBackup,
                          &form.chkDoNotShowPassword, &form.chkKeyDown}) {
    EXPECT_EQ(c->Value(), vb::vbUnchecked);
  }
  for (vb::OptionButton* o : {&form.optStyleSystem, &form.optStyleOfficeXP, &form.optShowNameOpenFile,
                              &form.optShowPathOpenFile, &form.optShowNothing, &form.optQDraft, &form.optQHigh,
                              &form.optPortrait, &form.optLandscape, &form.optCMColor, &form.optCMMonochrome}) {
    EXPECT_FALSE(o->Value());
  }
  // Backups are off, so the backup-place refresh has cleared the custom-folder option load chose.
  EXPECT_FALSE(form.optCreateBackupInCustomFolder.Enabled());
  EXPECT_EQ(form.cmbCode.Text(), u"DOS 866 -> Windows 1251");
  EXPECT_EQ(form.lstPrinters.ListIndex(), 0);
  EXPECT_EQ(form.lblDefaultPrinter.Caption(), u"Принтер по умолчанию: " + form.lstPrinters.List(0));
  for (vb::TextBox* t : {&form.txtLeft, &form.txtCopies, &form.txtFolderDoc, &form.txtUser, &form.txtPassword}) {
    EXPECT_EQ(t->Text(), u"");
  }
  EXPECT_EQ(form.txtPassword.PasswordChar(), 0);
  EXPECT_EQ(form.cboFontName.Text(), u"");
  EXPECT_GT(form.cboFontName.ListCount(), 0);
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, LoadingBeforeTheRefreshesChoosesTheCustomBackupFolder) {
  form.Load();
  EXPECT_TRUE(form.optCreateBackupInCustomFolder.Value());
  EXPECT_FALSE(form.optCreateBackupInOriginalFileFolder.Value());
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, EveryStoredValueLoadsIntoItsControl) {
  for (auto name : {pref::kTopMost, pref::kViewMode, pref::kStartAtStartup, pref::kStartAtOpen, pref::kStartAtImport,
                    pref::kClearClipboard, pref::kManyCopies, pref::kSaveWindowPositionAndSize, pref::kClipboardDetect,
                    pref::kDecodeClipboard, pref::kDecodeAtCodeChange, pref::kClipboardText, pref::kMessageOnExit,
                    pref::kToolBarStandart, pref::kToolBarDecode, pref::kSaveChange, pref::kCreateBackup}) {
    StorePref(name, u"1");
  }
  StorePref(pref::kDefaultCode, u"13");
  StorePref(pref::kStyle, u"OfficeXP");
  StorePref(pref::kShowInCaption, u"2");
  StorePref(pref::kPrintQuality, u"vbPRPQMedium");
  StorePref(pref::kOrientation, u"vbPRORLandscape");
  StorePref(pref::kColorMode, u"vbPRCMColor");
  StorePref(pref::kPaperSize, u"свой размер");
  StorePref(pref::kPositionLeft, u"20");
  StorePref(pref::kPositionWidth, u"5");
  StorePref(pref::kPositionTop, u"7,5");
  StorePref(pref::kPositionHeight, u"0");
  StorePref(pref::kCopies, u"99");
  StorePref(pref::kFolderDocuments, u"/home/анна/Документы");
  StorePref(pref::kCreateBackupIn, u"1");
  StorePref(pref::kBackupFolder, u"/tmp/копии");
  StorePref(pref::kFontSize, u"14");
  StorePref(pref::kFontName, u"DejaVu Sans");
  StorePref(pref::kTextExample, u"Пример, Example");
  StoreNumber(settings::kDialogsKey, settings::dialogs::kPrinting, 1);
  StoreNumber(settings::kDialogsKey, settings::dialogs::kSplash, 1);
  StoreText(settings::kLockedKey, settings::locked::kUser, u"Анна");
  StoreText(settings::kLockedKey, settings::locked::kPassword, u"Секрет");
  StoreText(settings::kLockedKey, settings::locked::kTip, u"кот");
  StoreNumber(settings::kLockedKey, settings::locked::kDoNotShowPassword, 1);
  StoreText(settings::kSoundsKey, settings::sounds::kFormLoad, u"1");
  StoreText(settings::kSoundsKey, settings::sounds::kKeyDownPath, u"/snd/key.wav");
  LoadAndSettle();

  for (vb::CheckBox* c : {&form.chkTopMost, &form.chkWrap, &form.chkStartAtStartup, &form.chkStartAtOpen,
                          &form.chkStartAtImport, &form.chkClearClipboard, &form.chkManyCopies,
                          &form.chkSaveWindowPositionAndSize, &form.chkClipboardDetect, &form.chkDecodeClipboard,
                          &form.chkDecodeAtCodeChange, &form.chkClipboardText, &form.chkMessageOnExit,
                          &form.chkToolBarStandart, &form.chkToolBarDecode, &form.chkSaveChange, &form.chkCreateBackup,
                          &form.chkShowPrintingDialog, &form.chkShowSplash, &form.chkDoNotShowPassword,
                          &form.chkFormLoad}) {
    EXPECT_EQ(c->Value(), vb::vbChecked);
  }
  EXPECT_EQ(form.chkShowWelcomeDialog.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.chkKeyDown.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.cmbCode.ListIndex(), 13);
  EXPECT_EQ(form.cmbCode.Text(), u"ISO 8859-5 -> Windows 1251");
  EXPECT_TRUE(form.optStyleOfficeXP.Value());
  EXPECT_TRUE(form.optShowPathOpenFile.Value());
  EXPECT_TRUE(form.optQMedium.Value());
  EXPECT_FALSE(form.optQHigh.Value());
  EXPECT_TRUE(form.optLandscape.Value());
  EXPECT_TRUE(form.optCMColor.Value());
  EXPECT_EQ(form.cmbPaperSize.Text(), u"свой размер");
  EXPECT_EQ(form.txtLeft.Text(), u"20");
  EXPECT_EQ(form.txtWidth.Text(), u"5");
  EXPECT_EQ(form.txtTop.Text(), u"7,5");
  EXPECT_EQ(form.txtHeight.Text(), u"0");
  EXPECT_EQ(form.txtCopies.Text(), u"99");
  EXPECT_EQ(form.txtFolderDoc.Text(), u"/home/анна/Документы");
  EXPECT_TRUE(form.optCreateBackupInOriginalFileFolder.Value());
  EXPECT_FALSE(form.txtPathBackupFolder.Enabled());
  EXPECT_EQ(form.txtPathBackupFolder.Text(), u"/tmp/копии");
  EXPECT_EQ(form.cboFontSize.Text(), u"14");
  EXPECT_EQ(form.cboFontName.Text(), u"DejaVu Sans");
  EXPECT_EQ(form.txtExample.Text(), u"Пример, Example");
  EXPECT_EQ(form.lblExample.Caption(), u"Пример, Example");
  EXPECT_EQ(form.lblExample.Font().Size, 14);
  EXPECT_EQ(form.txtUser.Text(), u"Анна");
  EXPECT_EQ(form.txtPassword.Text(), u"Секрет");
  EXPECT_EQ(form.txtPassword.PasswordChar(), u'*');
  EXPECT_EQ(form.txtTip.Text(), u"кот");
  EXPECT_EQ(form.txtKeyDown.Text(), u"/snd/key.wav");
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, ValuesTheControlsCannotHoldLoadAsTheirDefaults) {
  StorePref(pref::kDefaultCode, u"25");
  StorePref(pref::kShowInCaption, u"4");
  StorePref(pref::kStyle, u"system");
  StorePref(pref::kTopMost, u"2");
  StorePref(pref::kViewMode, u"да");
  StorePref(pref::kFontSize, u"большой");
  StorePref(pref::kFontName, std::u16string(pref::kLongestFontName + 1, u'x'));
  StorePref(pref::kCopies, u"100");
  StorePref(pref::kPositionLeft, u"-3");
  StorePref(pref::kPositionWidth, u"пять");
  StorePref(pref::kPrinters, u"7");
  StoreNumber(settings::kDialogsKey, settings::dialogs::kSplash, 2);
  StoreNumber(settings::kLockedKey, settings::locked::kDoNotShowPassword, 2);
  LoadAndSettle();
  EXPECT_EQ(form.cmbCode.ListIndex(), 0);
  EXPECT_FALSE(form.optShowNameOpenFile.Value() || form.optShowPathOpenFile.Value() || form.optShowNothing.Value());
  EXPECT_FALSE(form.optStyleSystem.Value() || form.optStyleOfficeXP.Value());
  EXPECT_EQ(form.chkTopMost.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.chkWrap.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.chkShowSplash.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.chkDoNotShowPassword.Value(), vb::vbUnchecked);
  EXPECT_EQ(form.txtPassword.PasswordChar(), 0);
  EXPECT_EQ(form.cboFontSize.Text(), u"");
  EXPECT_EQ(form.cboFontName.Text(), u"");
  EXPECT_EQ(form.txtCopies.Text(), u"");
  EXPECT_EQ(form.txtLeft.Text(), u"");
  EXPECT_EQ(form.txtWidth.Text(), u"");
  // A printer index beyond the list selects the system's default printer.
  EXPECT_EQ(form.lstPrinters.Text(), platform::printing::DefaultPrinterName());
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(SettingsDialogTest, AStoredPrinterIsFoundByNameAndAGoneOneGivesTheDefault) {
  StorePref(pref::kPrinters, u"0");
  StorePref(pref::kPrinterName, u"Принтер, которого нет");
  form.Load();
  EXPECT_EQ(form.lstPrinters.Text(), platform::printing::DefaultPrinterName());
  form.Unload();
  const std::u16string last = vb::Printers.Item(vb::Printers.Count() - 1).DeviceName;
  StorePref(pref::kPrinters, u"0");
  StorePref(pref::kPrinterName, last);
  form.Load();
  EXPECT_EQ(form.lstPrinters.ListIndex(), vb::Printers.Count() - 1);
  EXPECT_EQ(vb::Printer.DeviceName(), last);
}

TEST_F(SettingsDialogTest, ATabShowsItsPageAndTheOpenersSetTheBoxesThemselves) {
  form.Load();
  form.tabSettings.SelectTab(6);
  EXPECT_EQ(VisiblePages(form), u"6");
  // Another window set the boxes differently: a click on a tab still shows its page alone.
  form.picSounds.Visible(true);
  form.tabSettings.SelectTab(5);
  EXPECT_EQ(VisiblePages(form), u"5");
  form.tabSettings.SelectTab(1);
  EXPECT_EQ(VisiblePages(form), u"1");
  form.ShowPage(3);
  EXPECT_EQ(VisiblePages(form), u"3");
  form.ShowPage(9);
  EXPECT_EQ(VisiblePages(form), u"3");
}

// The icons beside the direction list, the lock page's two notes and the default printer are drawn
// where they stand, not left as empty gaps.
TEST_F(SettingsDialogTest, TheIconsBesideTheListTheNotesAndThePrinterShow) {
  form.Show();
  Settle();
  for (auto [tab, image] : {std::pair{2, &form.Image1}, {7, &form.Image5}, {7, &form.Image6}, {6, &form.imgDefaultPrinter}}) {
    form.tabSettings.SelectTab(tab);
    ASSERT_NE(image->Picture(), nullptr);
    EXPECT_NE(image->Picture()->Handle(), 0);
    int ink = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        ink += vb::testing::WindowPicturePixel(image->hWnd(), x, y) != win::GetSysColor(win::COLOR_BTNFACE);
    EXPECT_GT(ink, 40) << "tab " << tab;
  }
}

// Each page's picture shows its own tab raised and its own panel: the stored clipboard watch ticked
// alone on the first page, the sample text larger in the sample than where it is typed, the unload
// sound ticked with its browse button the only one live.
TEST_F(SettingsDialogTest, EveryPageIsDrawnIntoTheBuildTree) {
  StorePref(pref::kTextExample, u"Образец, Example");
  StorePref(pref::kFontSize, u"12");
  StorePref(pref::kClipboardDetect, u"1");
  StoreText(settings::kSoundsKey, settings::sounds::kFormUnload, u"1");
  form.Show();
  Settle();
  vb::PictureBox* const pages[] = {&form.picGeneral, &form.picDecode, &form.picView,   &form.picSave,
                                   &form.picFont,    &form.picPrint,  &form.picLocked, &form.picSounds};
  std::vector<platform::testing::Picture> pictures;
  for (int tab = 1; tab <= 8; ++tab) {
    form.tabSettings.SelectTab(tab);
    const std::u16string path = vb::FromUtf8(QM_BINARY_DIR) + u"/settings_page_" +
                                static_cast<char16_t>(u'0' + tab) + u".png";
    pictures.push_back(vb::testing::WindowPicture(form.hWnd()));
    EXPECT_TRUE(platform::testing::SavePicture(pictures.back(), path));
    for (int other = 1; other <= 8; ++other)
      EXPECT_EQ(qmtest::TabStandsOut(pictures.back(), form.hWnd(), form.tabSettings.TabCtrlhWnd(), other - 1), other == tab)
          << "page " << tab << ", tab " << other;
    const win::RECT panel = qmtest::RectIn(pages[tab - 1]->hWnd(), form.hWnd());
    EXPECT_GT(pictures.back().Count(panel, qmtest::DarkInk), 0) << "page " << tab;
    if (tab > 1) {
      EXPECT_NE(pictures.back().Count(panel, qmtest::DarkInk), pictures[tab - 2].Count(panel, qmtest::DarkInk))
          << "page " << tab << " shows a panel of its own";
    }
  }
  const auto place = [&](vb::Control& c) { return qmtest::RectIn(c.hWnd(), form.hWnd()); };
  const platform::testing::Picture& general = pictures[0];
  for (vb::CheckBox* c : {&form.chkWrap, &form.chkTopMost, &form.chkManyCopies, &form.chkSaveWindowPositionAndSize,
                          &form.chkMessageOnExit, &form.chkStartAtStartup, &form.chkDecodeClipboard,
                          &form.chkClearClipboard, &form.chkClipboardDetect, &form.chkClipboardText})
    EXPECT_EQ(qmtest::ShowsTick(general, place(*c)), c == &form.chkClipboardDetect);
  const platform::testing::Picture& font = pictures[4];
  const win::RECT typed = font.Bounds(place(form.txtExample), qmtest::DarkInk);
  const win::RECT sample = font.Bounds(place(form.lblExample), qmtest::DarkInk);
  EXPECT_GT(sample.bottom - sample.top, typed.bottom - typed.top);
  EXPECT_GT(sample.right - sample.left, typed.right - typed.left);
  const platform::testing::Picture& sounds = pictures[7];
  for (auto [box, browse] : {std::pair{&form.chkButtonMouseMove, &form.cmdBrowseButtonMouseMove},
                             {&form.chkButtonMouseClick, &form.cmdBrowseButtonMouseClick},
                             {&form.chkFormLoad, &form.cmdBrowseFormLoad}, {&form.chkFormUnload, &form.cmdBrowseFormUnload}}) {
    EXPECT_EQ(qmtest::ShowsTick(sounds, place(*box)), box == &form.chkFormUnload);
    EXPECT_EQ(sounds.Count(place(*browse), qmtest::DarkInk) > 0, box == &form.chkFormUnload);
  }
}

}  // namespace
