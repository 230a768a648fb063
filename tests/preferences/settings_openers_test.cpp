// The settings dialog as the main window's commands open it: modal from Service, without blocking
// at the view, font and printing pages, always owned by the main window, one dialog whose typed
// values survive being opened again.
#include "handed_preference_windows.h"
#include "mainwindow/main_window_support.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"
#include "preferences/settings/settings.h"

using namespace qmtest;

namespace {

class SettingsOpeners : public MainWindowTest {
 protected:
  ~SettingsOpeners() override {
    if (dialog().IsLoaded()) dialog().Terminate();
  }
  frmSettings& dialog() { return SettingsDialog(); }
  HandedPreferenceWindows preferenceWindows_;
  // Exactly the box of `tab` is visible.
  void ExpectPage(int tab) {
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(dialog().Page(t)->Visible(), t == tab) << "tab " << t << " for " << tab;
    EXPECT_EQ(dialog().tabSettings.SelectedTab(), tab);
  }
};

TEST_F(SettingsOpeners, PagesOpenWithoutBlockingOverTheMainWindow) {
  const std::pair<const char16_t*, int> opened[] = {
      {u"MENU:FORMAT:FONT", 5}, {u"TOOLBAR:PRINTSETTINGS", 6}, {u"MENU:VIEW:CUSTOMIZE", 3}, {u"TOOLBAR:FONT", 5}};
  for (const auto& [key, tab] : opened) {
    mainwindow::RouteButtonClick(key, w());
    EXPECT_TRUE(dialog().Visible());
    ExpectPage(tab);
  }
  EXPECT_EQ(win::GetWindowLongA(dialog().hWnd(), win::GWL_HWNDPARENT), static_cast<win::LONG_PTR>(w().hWnd()));
  EXPECT_EQ(dialog().Caption(), u"Параметры программы");
}

TEST_F(SettingsOpeners, ServiceOpensItModalEvenWhenAPageIsAlreadyOpen) {
  bool seen = false;
  vb::testing::QueueModalAction([&] {
    seen = dialog().Visible();
    dialog().cmdCancel.Value(true);
  });
  mainwindow::RouteButtonClick(u"MENU:SERVICE:SETTINGS", w());
  EXPECT_TRUE(seen);
  EXPECT_FALSE(dialog().IsLoaded() && dialog().Visible());

  // Opened at the printing page, a copies count typed, then Service: the same dialog, modal, with
  // the typed value, and no error for showing a shown window modally.
  w().CmdFilePrintSettings();
  dialog().txtCopies.Text(u"7");
  std::u16string copies;
  vb::testing::QueueModalAction([&] {
    copies = dialog().txtCopies.Text();
    dialog().Hide();
  });
  w().CmdServiceSettings();
  EXPECT_EQ(copies, u"7");
  EXPECT_EQ(vb::testing::PendingModalActions(), 0u);
}

// Closed by OK, the dialog stays loaded; a direction chosen on the conversion toolbar meanwhile is
// what it shows when opened again, and its next Apply keeps it. A direction applied in the dialog is
// what the toolbar's list shows at once.
TEST_F(SettingsOpeners, ADialogOpenedAgainShowsWhatWasStoredMeanwhile) {
  vb::testing::QueueModalAction([&] {
    dialog().chkTopMost.Value(vb::vbChecked);
    dialog().cmdOK.Value(true);
  });
  mainwindow::RouteButtonClick(u"MENU:SERVICE:SETTINGS", w());
  ASSERT_TRUE(dialog().IsLoaded());
  ASSERT_FALSE(dialog().Visible());

  w().cmbDecode.ListIndex(9);
  ASSERT_EQ(Pref(settings::preferences::kDefaultCode), u"9");
  int shown = -1;
  vb::testing::QueueModalAction([&] {
    shown = dialog().cmbCode.ListIndex();
    dialog().chkTopMost.Value(vb::vbUnchecked);
    dialog().cmdApply.Value(true);
    dialog().cmdOK.Value(true);
  });
  mainwindow::RouteButtonClick(u"MENU:SERVICE:SETTINGS", w());
  EXPECT_EQ(shown, 9);
  EXPECT_EQ(Pref(settings::preferences::kDefaultCode), u"9");
  EXPECT_EQ(Pref(settings::preferences::kTopMost), u"0");

  w().CmdViewCustomize();  // the same dialog, without blocking
  dialog().tabSettings.SelectTab(2);
  dialog().cmbCode.ListIndex(4);
  dialog().cmdApply.Value(true);
  EXPECT_EQ(w().cmbDecode.ListIndex(), 4);
  EXPECT_EQ(Pref(settings::preferences::kDefaultCode), u"4");
}

// On a new profile the font page shows the font the editor writes in, not empty boxes; a stored
// font is shown as stored.
TEST_F(SettingsOpeners, TheFontPageShowsTheEditorsFontUntilOneIsStored) {
  editor().FontName(u"DejaVu Serif");
  editor().FontSize(14);
  mainwindow::RouteButtonClick(u"MENU:FORMAT:FONT", w());
  platform::testing::FireTimer(dialog().TimerFonts.hWnd(), 1);
  EXPECT_EQ(dialog().cboFontName.Text(), u"DejaVu Serif");
  EXPECT_EQ(dialog().cboFontSize.Text(), u"14");
  EXPECT_EQ(dialog().lblExample.Font().Name, u"DejaVu Serif");
  EXPECT_EQ(dialog().lblExample.Font().Size, 14);
  EXPECT_FALSE(dialog().cmdApply.Enabled());
  dialog().Terminate();
  SetPref(settings::preferences::kFontName, u"DejaVu Sans Mono");
  SetPref(settings::preferences::kFontSize, u"10");
  mainwindow::RouteButtonClick(u"MENU:FORMAT:FONT", w());
  platform::testing::FireTimer(dialog().TimerFonts.hWnd(), 1);
  EXPECT_EQ(dialog().cboFontName.Text(), u"DejaVu Sans Mono");
  EXPECT_EQ(dialog().cboFontSize.Text(), u"10");
}

}  // namespace
