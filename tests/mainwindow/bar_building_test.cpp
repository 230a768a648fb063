// The bars built from the command table on a host window like the main window (three command-bar
// controls, the direction list, the icon lists): the 21 bars with their buttons in order, the
// buttons that open sub-menus, the properties set on a few buttons; the popup hosts loaded on
// request and the toolbars menu on a right click; the toolbar timers applying the preferences.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/bar_building.h"
#include "mainwindow/command_bar_events.h"
#include "mainwindow/command_buttons.h"
#include "mainwindow/command_icons.h"
#include "mainwindow/command_table.h"
#include "mainwindow/toolbar_timers.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/vb/timer.h"
#include "platform/win/window.h"
#include "support.h"
#include "support_menus.h"

using namespace mainwindow;
using commandbars::cButton;
using commandbars::cCommandBar;
using commandbars::kestCommandBar;

namespace {

const std::u16string kProgramFolder = (std::filesystem::path(QM_BINARY_DIR) / "bin").u16string();

// A window laid out as the main window is: its bars built as its load builds them.
class frmHost : public vb::Form {
 public:
  vb::ControlArray<kestCommandBar> cmdBar{*this};
  vb::ComboBox cmbDecode{*this, vb::vbComboDropdownList};
  vb::Timer TimerCommandBars{*this};
  vb::Timer TimerLoadToolBarButtons{*this};
  CommandImageLists lists;
  std::vector<std::u16string> menusShown;

 protected:
  void Design() override {
    Move(0, 0, 12000, 6000);
    cmdBar.Connect = [this](kestCommandBar& c) {
      c.RequestNewInstance = [this](kestCommandBar*& ctl) { ctl = &LoadPopupHost(cmdBar); };
      c.RightClick = [this, &c](const cButton*, std::int32_t x, std::int32_t y) { ShowToolbarsMenu(cmdBar, c, x, y); };
      c.BeforeShowMenu = [this](const cCommandBar& bar) { menusShown.push_back(bar.Key()); };
    };
    cmdBar.Load(0).Move(0, 0, 12000, 330);
    cmdBar.Load(1).Move(0, 330, 12000, 375);
    cmdBar.Load(2).Move(0, 705, 12000, 375);
    for (int i = 0; i <= 2; ++i) cmdBar(i).Visible(true);
    cmbDecode.Move(0, 0, 2500, 315);
    TimerCommandBars.Interval(1);
    TimerCommandBars.Enabled(true);
    TimerLoadToolBarButtons.Interval(1);
  }
  void Form_Load() override {
    LoadMenuImageList(lists, kProgramFolder);
    LoadToolbarImageLists(lists, kProgramFolder);
    LoadDecodeToolbarImageLists(lists, kProgramFolder);
    CreateCommandButtons(cmdBar(0), cmbDecode);
    BuildCommandBars(cmdBar(0));
    cmdBar(0).MenuImageList(lists.ilMenu->hIml());
    cmdBar(0).MainMenu(true);
    const cCommandBar menu = cmdBar(0).CommandBars().Item(u"MENU");
    const cCommandBar toolbar = cmdBar(1).CommandBars().Item(u"TOOLBAR");
    const cCommandBar toolbar2 = cmdBar(2).CommandBars().Item(u"TOOLBAR2");
    cmdBar(0).Toolbar(&menu);
    cmdBar(1).Toolbar(&toolbar);
    cmdBar(2).Toolbar(&toolbar2);
  }
};

class BarBuilding : public ::testing::Test {
 protected:
  void SetUp() override { form.Load(); }
  void TearDown() override { form.Terminate(); }
  std::vector<std::u16string> BarKeys(std::u16string_view bar) {
    std::vector<std::u16string> keys;
    const auto buttons = form.cmdBar(0).CommandBars().Item(bar).Buttons();
    for (int i = 1; i <= buttons.count(); ++i) keys.push_back(buttons.Item(i).Key());
    return keys;
  }
  cButton Button(std::u16string_view key) { return form.cmdBar(0).Buttons().Item(key); }
  qmtest::FreshSettings fresh;
  frmHost form;
};

const std::vector<std::pair<std::u16string, int>> kBars = {
    {u"MENU", 9},
    {u"MENU:FILE", 14},
    {u"MENU:FILE:IMPORT", 1},
    {u"MENU:EDIT", 10},
    {u"MENU:FIND", 5},
    {u"MENU:VIEW", 5},
    {u"MENU:VIEW:TOOLBARS", 4},
    {u"MENU:INSERT", 2},
    {u"MENU:FORMAT", 8},
    {u"MENU:FORMAT:ALLTEXTCASE", 2},
    {u"MENU:FORMAT:SELTEXTCASE", 2},
    {u"MENU:SERVICE", 3},
    {u"MENU:DECODE", 11},
    {u"MENU:DECODE:DOS", 4},
    {u"MENU:DECODE:WIN", 4},
    {u"MENU:DECODE:KOI", 4},
    {u"MENU:DECODE:ISO", 4},
    {u"MENU:DECODE:MAC", 4},
    {u"MENU:HELP", 6},
    {u"TOOLBAR", 40},
    {u"TOOLBAR2", 8},
};

}  // namespace

TEST_F(BarBuilding, TwentyOneBarsHoldEveryButtonOnceInTableOrder) {
  std::map<std::u16string, int> onBars;
  std::vector<std::u16string> madeInOrder;
  const auto bars = form.cmdBar(0).CommandBars();
  for (int i = 1; i <= bars.count(); ++i) {
    const std::u16string key = bars.Item(i).Key();
    if (key.starts_with(u"MENU") || key.starts_with(u"TOOLBAR")) madeInOrder.push_back(key);
  }
  std::vector<std::u16string> expectedOrder;
  for (const auto& [bar, count] : kBars) {
    expectedOrder.push_back(bar);
    const auto keys = BarKeys(bar);
    EXPECT_EQ(static_cast<int>(keys.size()), count) << qmtest::U8(bar);
    EXPECT_EQ(form.cmdBar(0).CommandBars().Item(bar).Title(), bar);
    for (const auto& k : keys) {
      ++onBars[k];
      EXPECT_TRUE(k.starts_with(bar + u":")) << qmtest::U8(k) << " on " << qmtest::U8(bar);
    }
  }
  EXPECT_EQ(madeInOrder, expectedOrder);
  EXPECT_EQ(onBars.size(), 150u);
  for (const auto& [k, n] : onBars) EXPECT_EQ(n, 1) << qmtest::U8(k);
  // A bar's buttons stand in the table's order.
  std::vector<std::u16string> file;
  for (const CommandRow& r : CommandTable())
    if (r.key.starts_with(u"MENU:FILE:") && r.key != u"MENU:FILE:IMPORT:RTF") file.emplace_back(r.key);
  EXPECT_EQ(BarKeys(u"MENU:FILE"), file);
}

TEST_F(BarBuilding, OnlyMenuEntriesAndSubMenuItemsOpenBars) {
  std::set<std::u16string> openers;
  for (const CommandRow& r : CommandTable()) {
    const cCommandBar bar = Button(r.key).Bar();
    if (bar.IsNull()) continue;
    EXPECT_EQ(bar.Key(), r.key);
    openers.insert(std::u16string(r.key));
  }
  std::set<std::u16string> expected = {u"MENU:FILE:IMPORT", u"MENU:VIEW:TOOLBARS", u"MENU:FORMAT:ALLTEXTCASE",
                                       u"MENU:FORMAT:SELTEXTCASE", u"MENU:DECODE:DOS", u"MENU:DECODE:WIN",
                                       u"MENU:DECODE:KOI", u"MENU:DECODE:ISO", u"MENU:DECODE:MAC"};
  for (const auto& key : BarKeys(u"MENU")) expected.insert(key);
  EXPECT_EQ(openers, expected);
}

TEST_F(BarBuilding, ButtonsCarryTheirTableRowAndTheFewExtras) {
  for (const CommandRow& r : CommandTable()) {
    const cButton b = Button(r.key);
    EXPECT_EQ(b.IconIndex(), r.icon);
    EXPECT_EQ(b.Caption(), r.caption);
    EXPECT_EQ(b.ToolTip(), r.toolTip);
    EXPECT_EQ(b.ShortcutKey(), r.shortcutKey);
    EXPECT_EQ(b.ShortcutModifiers(), r.shortcutModifiers);
    EXPECT_EQ(b.ShowCaptionInToolbar(), r.showCaptionInToolbar) << qmtest::U8(std::u16string(r.key));
    EXPECT_TRUE(b.Enabled());
    EXPECT_TRUE(b.Visible());
    EXPECT_FALSE(b.Checked());
  }
  EXPECT_EQ(Button(u"TOOLBAR2:DECODE").PanelWidth(), 168);
  EXPECT_EQ(Button(u"TOOLBAR2:DECODE").PanelControl(), &form.cmbDecode);
  EXPECT_EQ(Button(u"TOOLBAR2:START").PanelWidth(), 16);
}

TEST_F(BarBuilding, PopupHostsAreLoadedAboveTheHighestElement) {
  EXPECT_EQ(LoadPopupHost(form.cmdBar).Index(), 3);
  EXPECT_EQ(LoadPopupHost(form.cmdBar).Index(), 4);
  EXPECT_TRUE(form.cmdBar.Exists(4));
}

TEST_F(BarBuilding, ARightClickOnEitherToolbarShowsTheToolbarsMenu) {
  ShowToolbarsMenu(form.cmdBar, form.cmdBar(0), 5, 5);
  EXPECT_TRUE(form.menusShown.empty());
  ShowToolbarsMenu(form.cmdBar, form.cmdBar(1), 5, 5);
  EXPECT_EQ(form.menusShown, std::vector<std::u16string>{u"MENU:VIEW:TOOLBARS"});
  commandbars::mCommandBars::LeaveMenuMode();
  ShowToolbarsMenu(form.cmdBar, form.cmdBar(2), 5, 5);
  EXPECT_EQ(form.menusShown.size(), 2u);
  commandbars::mCommandBars::LeaveMenuMode();
}

TEST_F(BarBuilding, TheCommandBarsTimerAppliesTheToolbarPreferencesOnce) {
  using namespace settings;
  // Nothing stored: tooltips stay, infrequent items hidden, small icons.
  TimerCommandBars_Timer(form.TimerCommandBars, form.cmdBar, form.lists);
  EXPECT_FALSE(form.TimerCommandBars.Enabled());
  EXPECT_EQ(Button(u"TOOLBAR:NEW").ToolTip(), u"Создать документ");
  EXPECT_TRUE(form.cmdBar(0).HideInfrequentlyUsed());
  EXPECT_EQ(form.cmdBar(1).Height(), kSmallToolbarHeight);
  EXPECT_EQ(form.cmdBar(2).Height(), kSmallToolbarHeight);

  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, kToolBarsKey, toolbars::kShowToolTips, u"0");
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, kToolBarsKey, toolbars::kHideInfrequently, u"1");
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, kToolBarsKey, toolbars::kUseLargeIcons, u"1");
  form.TimerCommandBars.Enabled(true);
  TimerCommandBars_Timer(form.TimerCommandBars, form.cmdBar, form.lists);
  EXPECT_FALSE(form.TimerCommandBars.Enabled());
  for (const CommandRow& r : CommandTable())
    if (r.key.starts_with(u"TOOLBAR")) EXPECT_EQ(Button(r.key).ToolTip(), u"");
  EXPECT_EQ(Button(u"MENU:FILE:NEW").Caption(), u"Создать");
  EXPECT_FALSE(form.cmdBar(0).HideInfrequentlyUsed());
  EXPECT_EQ(form.cmdBar(1).Height(), kLargeToolbarHeight);
  EXPECT_EQ(form.cmdBar(2).Height(), kLargeToolbarHeight);

  // Tips switched on again stay off until the buttons are made again.
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, kToolBarsKey, toolbars::kShowToolTips, u"1");
  TimerCommandBars_Timer(form.TimerCommandBars, form.cmdBar, form.lists);
  EXPECT_EQ(Button(u"TOOLBAR:NEW").ToolTip(), u"");
}

TEST_F(BarBuilding, TheLayoutTimerShowsTheStoredItemsAndTheDirectionList) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kToolBarsStandartKey, u"01", -1);
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kToolBarsDecodeKey, u"01", 1);
  form.cmbDecode.Visible(false);
  CommandButtons buttons(form.cmdBar(0), form.cmbDecode);
  form.TimerLoadToolBarButtons.Enabled(true);
  TimerLoadToolBarButtons_Timer(form.TimerLoadToolBarButtons, buttons);
  EXPECT_FALSE(form.TimerLoadToolBarButtons.Enabled());
  EXPECT_TRUE(Button(u"TOOLBAR:NEW").Visible());
  EXPECT_FALSE(Button(u"TOOLBAR:OPEN").Visible());
  EXPECT_FALSE(Button(u"TOOLBAR:SEP1").Visible());
  EXPECT_TRUE(Button(u"TOOLBAR2:DECODE").Visible());
  EXPECT_TRUE(form.cmbDecode.Visible());
  EXPECT_FALSE(Button(u"TOOLBAR2:START").Visible());
  EXPECT_TRUE(Button(u"MENU:FILE:NEW").Visible());  // menus are not the toolbars' affair
  modDocument::EnableSearchCommands(buttons);
  EXPECT_FALSE(Button(u"MENU:FIND:FINDNEXT").Enabled());
  EXPECT_TRUE(Button(u"MENU:FILE:PRINT").Enabled());
}

// A picture of the built bars with the Decode menu and its DOS sub-menu open, in each of the
// toolkit's four drawing styles (main_window_bars_style<N>.png in the build tree), for a person to
// look at and checked for what it must show: the menu below its title and joined to it, the
// sub-menu beside its item, every item captioned. The profile reaches three of the styles, style 2
// only the toolkit.
TEST_F(BarBuilding, APictureOfTheBarsWithTheDecodeMenuOpen) {
  namespace input = platform::testing;
  form.Show();
  input::ShowAndWait(form.hWnd());
  TimerCommandBars_Timer(form.TimerCommandBars, form.cmdBar, form.lists);
  for (int style : {0, 1, 2, 3}) {
    form.cmdBar(0).Style(style);
    kestCommandBar& menu = form.cmdBar(0);
    const auto& decode = menu.DisplayInfo().at(7);  // "Перекодирование"
    input::Click(menu.hwnd(), (decode.left + decode.Right) / 2, (decode.tOp + decode.Bottom) / 2);
    kestCommandBar* drop = commandbars::mCommandBars::FindControl(menu.MenuOfItem(8));
    ASSERT_NE(drop, nullptr);
    const auto& dos = drop->DisplayInfo().at(0);
    input::MouseMove(drop->hwnd(), (dos.left + dos.Right) / 2, (dos.tOp + dos.Bottom) / 2);
    input::FireTimer(drop->hwnd(), 1);
    kestCommandBar* sub = commandbars::mCommandBars::FindControl(drop->MenuOfItem(1));
    ASSERT_NE(sub, nullptr);
    // Taken before the event loop runs: the offscreen platform activates every window it shows,
    // the menus' shadows too, and a form that loses activation closes its menus.
    qmtest::ScreenShot shot{{}, {}};
    win::GetWindowRect(form.hWnd(), &shot.area);
    shot.area.bottom += 200;
    shot.picture = input::ScreenPicture(shot.area);
    const std::string name = std::string(QM_BINARY_DIR) + "/main_window_bars_style" + std::to_string(style) + ".png";
    EXPECT_TRUE(input::SavePicture(shot.picture, vb::FromUtf8(name)));
    SCOPED_TRACE("style " + std::to_string(style));
    qmtest::ExpectDropDownBelow(shot, menu, 8, *drop);
    qmtest::ExpectItemsCaptioned(shot, *drop);
    qmtest::ExpectBeside(shot, *drop, 1, *sub);
    qmtest::ExpectItemsCaptioned(shot, *sub);
    commandbars::mCommandBars::LeaveMenuMode();
  }
}
