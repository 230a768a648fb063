// The View menu's toggles (what they store and show, and the one layout after them), the settings
// dialog's openers as the main window calls them, and the Help menu's two links.
#include "main_window_support.h"
#include "preference_windows_stand_in.h"
#include "platform/shell/shell.h"
#include "platform/win/window.h"

using namespace qmtest;
namespace prefs = settings::preferences;

namespace {

class ViewCommands : public MainWindowTest {
 protected:
  ~ViewCommands() override { platform::testing::SetOpenHandler({}); }
  // What the toolkit does before the click reaches the window: the item's check toggles.
  void Toggle(std::u16string_view key) {
    const commandbars::cButton item = w().cmdBar(0).Buttons().Item(key);
    item.Checked(!item.Checked());
    mainwindow::RouteButtonClick(key, w());
  }
};

TEST_F(ViewCommands, OnTopIsStoredAndAppliedAtOnce) {
  auto topmost = [&] { return (win::GetWindowLongA(w().hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0; };
  EXPECT_FALSE(topmost());
  Toggle(u"MENU:VIEW:ONTOP");
  EXPECT_EQ(Pref(prefs::kTopMost), u"1");
  EXPECT_TRUE(topmost());
  Toggle(u"MENU:VIEW:ONTOP");
  EXPECT_EQ(Pref(prefs::kTopMost), u"0");
  EXPECT_FALSE(topmost());
}

TEST_F(ViewCommands, ToolbarTogglesStoreShowAndLayOutOnce) {
  SetPref(prefs::kToolBarStandart, u"1");
  SetPref(prefs::kToolBarDecode, u"1");
  const float editorTop = w().picEditor.Top();
  Toggle(u"MENU:VIEW:TOOLBARS:TBSTANDART");
  EXPECT_EQ(Pref(prefs::kToolBarStandart), u"0");
  EXPECT_FALSE(w().cmdBar(1).Visible());
  EXPECT_FALSE(w().picLineToolBarStandart.Visible());
  EXPECT_TRUE(w().TimerUpdate.Enabled());
  w().TimerUpdate.Tick();
  EXPECT_FALSE(w().TimerUpdate.Enabled());
  EXPECT_LT(w().picEditor.Top(), editorTop);

  Toggle(u"MENU:VIEW:TOOLBARS:TBDECODE");
  EXPECT_EQ(Pref(prefs::kToolBarDecode), u"0");
  EXPECT_FALSE(w().cmdBar(2).Visible());
  EXPECT_FALSE(w().picLineToolBarDecode.Visible());
  Toggle(u"MENU:VIEW:TOOLBARS:TBSTANDART");
  EXPECT_EQ(Pref(prefs::kToolBarStandart), u"1");
  EXPECT_TRUE(w().cmdBar(1).Visible());
  EXPECT_TRUE(w().picLineToolBarStandart.Visible());
}

TEST_F(ViewCommands, SettingsOpenersGetTheirPages) {
  // Without the preferences room (tests of this window alone) they do nothing.
  w().CmdServiceSettings();
  w().CmdFormatFont();
  PreferenceWindowsStandIn windows;
  for (const char16_t* key : {u"MENU:FILE:PRINTSETTINGS", u"TOOLBAR:PRINTSETTINGS", u"MENU:FORMAT:FONT", u"TOOLBAR:FONT",
                              u"MENU:VIEW:CUSTOMIZE", u"MENU:SERVICE:SETTINGS", u"TOOLBAR:SETTINGS"}) {
    mainwindow::RouteButtonClick(key, w());
  }
  EXPECT_EQ(windows.pages, (std::vector<int>{6, 6, 5, 5, 3}));
  EXPECT_EQ(windows.settingsOpenings, 2);
}

TEST_F(ViewCommands, HelpLinksOpenTheMailProgramAndTheBrowser) {
  std::vector<std::u16string> opened;
  platform::testing::SetOpenHandler([&](const std::u16string& url) {
    opened.push_back(url);
    return true;
  });
  mainwindow::RouteButtonClick(u"MENU:HELP:AUTHORMAIL", w());
  mainwindow::RouteButtonClick(u"MENU:HELP:VISITHOMEPAGE", w());
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].rfind(u"mailto:quillmark@example.org?subject=Brannoch", 0), 0u) << vb::ToUtf8(opened[0]);
  EXPECT_NE(opened[0].find(u"Quillmark"), std::u16string::npos);
  EXPECT_NE(opened[0].find(u"3.0.0"), std::u16string::npos);
  EXPECT_EQ(opened[1], u"https://quillmark.example.org/");
}

}  // namespace
