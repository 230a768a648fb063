// The command-bar controls of a host window driven as a user drives them: mouse and keys given
// through the layer's input hooks, timers ticked instead of waited for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command_bar_host.h"
#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/hooks.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "support.h"

using namespace cbtest;
namespace mCommandBars = commandbars::mCommandBars;
namespace input = platform::testing;

namespace {

class CommandBarControl : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    input::ShowAndWait(form.hWnd());
    form.txtEdit.SetFocus();
    vb::DoEvents();
  }
  void TearDown() override {
    mCommandBars::LeaveMenuMode();
    form.Unload();
  }

  // The centre of the item at index on a control.
  static win::POINT Centre(kestCommandBar& c, int index) {
    const commandbars::cDisplayButtonInfo& r = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
    return win::POINT{(r.left + r.Right) / 2, (r.tOp + r.Bottom) / 2};
  }
  static void ClickItem(kestCommandBar& c, int index) {
    const win::POINT p = Centre(c, index);
    input::Click(c.hwnd(), p.x, p.y);
  }
  static void HoverItem(kestCommandBar& c, int index) {
    const win::POINT p = Centre(c, index);
    input::MouseMove(c.hwnd(), p.x, p.y);
  }
  // The popup opened from the item, or null.
  static kestCommandBar* MenuOf(kestCommandBar& c, int index) { return mCommandBars::FindControl(c.MenuOfItem(index)); }
  static int Hot(kestCommandBar& c) {
    for (std::size_t i = 0; i < c.DisplayInfo().size(); ++i)
      if (c.DisplayInfo()[i].mouseOver) return static_cast<int>(i + 1);
    return 0;
  }
  void Key(int vk, int modifiers = 0, const std::u16string& text = {}) {
    input::KeyClick(form.txtEdit.hWnd(), vk, modifiers, text);
  }
  kestCommandBar& menu() { return form.cmdBar(0); }
  kestCommandBar& toolbar() { return form.cmdBar(1); }

  frmHost form;
};

}  // namespace

TEST_F(CommandBarControl, AClickIsPressAndReleaseOnOneItemThatMayBeChosen) {
  ClickItem(toolbar(), 1);
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_EQ(form.Count(u"click", u"TB:NEW"), 1);
  // Pressed on one button and released on another: nothing, and nothing stays pressed.
  form.events.clear();
  const win::POINT a = Centre(toolbar(), 1);
  const win::POINT b = Centre(toolbar(), 4);
  input::MouseDown(toolbar().hwnd(), a.x, a.y);
  input::MouseMove(toolbar().hwnd(), b.x, b.y, 1);
  EXPECT_FALSE(toolbar().DisplayInfo()[3].mouseOver) << "a button not pressed does not turn hot while the button is held";
  input::MouseUp(toolbar().hwnd(), b.x, b.y);
  EXPECT_EQ(form.Count(u"click"), 0);
  for (const auto& r : toolbar().DisplayInfo()) EXPECT_FALSE(r.mouseDown || r.MouseDownSplit);
  // A check button toggles on its click; a disabled one is never chosen.
  ClickItem(toolbar(), 4);
  EXPECT_TRUE(toolbar().Buttons().Item(u"TB:WRAP").Checked());
  toolbar().Buttons().Item(u"TB:WRAP").Enabled(false);
  form.events.clear();
  ClickItem(toolbar(), 4);
  EXPECT_EQ(form.Count(u"click"), 0);
  EXPECT_TRUE(toolbar().Buttons().Item(u"TB:WRAP").Checked());
}

TEST_F(CommandBarControl, AMenuOpensBesideItsButtonOnTheScreenAndItsItemReachesTheHost) {
  ClickItem(menu(), 1);
  kestCommandBar* file = MenuOf(menu(), 1);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(form.instancesAsked, 1) << "the empty pool asked the host for an instance";
  EXPECT_TRUE(mCommandBars::InMenuMode());
  EXPECT_EQ(file->ToolbarKey(), u"FILE");
  EXPECT_TRUE(win::IsWindowVisible(file->hwnd()));
  EXPECT_EQ(form.Count(u"dropdown", u"MENU:FILE"), 1);
  EXPECT_EQ(form.Count(u"before", u"FILE"), 1);
  // Style 1: one pixel right of the button's left edge, two above its bottom.
  const commandbars::cDisplayButtonInfo& r = menu().DisplayInfo()[0];
  win::POINT corner{r.left, r.Bottom};
  win::ClientToScreen(menu().hwnd(), &corner);
  win::RECT w;
  win::GetWindowRect(file->hwnd(), &w);
  EXPECT_EQ(w.left, corner.x + 1);
  EXPECT_EQ(w.top, corner.y - 2);
  EXPECT_EQ(win::GetForegroundWindow(), form.hWnd()) << "the menu never takes activation";
  EXPECT_EQ(win::GetFocus(), form.txtEdit.hWnd());
  EXPECT_FALSE(toolbar().Enabled()) << "the other bars wait while the menu is open";

  form.events.clear();
  HoverItem(*file, 2);
  ClickItem(*file, 2);
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_EQ(form.Count(u"click", u"FILE:OPEN"), 1);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_FALSE(win::IsWindowVisible(file->hwnd()));
  EXPECT_EQ(form.Count(u"after", u"FILE"), 1);
  EXPECT_TRUE(toolbar().Enabled());
  // The instance goes back to the pool: the next menu asks the host for nothing.
  ClickItem(menu(), 2);
  EXPECT_EQ(form.instancesAsked, 1);
  EXPECT_NE(MenuOf(menu(), 2), nullptr);
}

TEST_F(CommandBarControl, ASubMenuOpensAfterTheHoverTimerAndAClickOutsideClosesEverything) {
  ClickItem(menu(), 1);
  kestCommandBar* file = MenuOf(menu(), 1);
  ASSERT_NE(file, nullptr);
  HoverItem(*file, 3);  // "Последние"
  EXPECT_TRUE(file->MenuPopupTimerOn());
  EXPECT_EQ(MenuOf(*file, 3), nullptr) << "nothing opens before the timer";
  HoverItem(*file, 2);
  HoverItem(*file, 3);
  EXPECT_TRUE(file->MenuPopupTimerOn()) << "a new hover starts the timer again";
  input::FireTimer(file->hwnd(), 1);
  kestCommandBar* recent = MenuOf(*file, 3);
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->ToolbarKey(), u"RECENT");
  win::RECT fileRect, recentRect;
  win::GetWindowRect(file->hwnd(), &fileRect);
  win::GetWindowRect(recent->hwnd(), &recentRect);
  EXPECT_GE(recentRect.left, fileRect.right - 2) << "to the right of its menu";
  // A click outside the menus (in the text) leaves menu mode and closes every popup.
  input::Click(form.txtEdit.hWnd(), 560, 240);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_FALSE(win::IsWindowVisible(recent->hwnd()));
  EXPECT_FALSE(win::IsWindowVisible(file->hwnd()));
  EXPECT_EQ(form.Count(u"click"), 0);
}

TEST_F(CommandBarControl, TheKeyboardWalksTheMenusLevelByLevel) {
  Key(win::VK_MENU);
  EXPECT_TRUE(mCommandBars::InMenuMode()) << "a clean Alt tap";
  EXPECT_EQ(Hot(menu()), 1);
  EXPECT_EQ(MenuOf(menu(), 1), nullptr) << "the first item is hot, its menu still closed";
  Key(win::VK_RIGHT);
  EXPECT_EQ(Hot(menu()), 2);
  Key(win::VK_LEFT);
  EXPECT_EQ(Hot(menu()), 1);
  Key(win::VK_DOWN);
  kestCommandBar* file = MenuOf(menu(), 1);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Hot(*file), 1) << "opened from the keyboard: its first item is hot";
  Key(win::VK_UP);
  EXPECT_EQ(Hot(*file), 7) << "up from the first wraps to the last, over the separator";
  Key(win::VK_HOME);
  Key(win::VK_DOWN);
  Key(win::VK_DOWN);
  EXPECT_EQ(Hot(*file), 3);
  Key(win::VK_RIGHT);
  kestCommandBar* recent = MenuOf(*file, 3);
  ASSERT_NE(recent, nullptr);
  // Escape steps back one level at a time.
  Key(win::VK_ESCAPE);
  EXPECT_FALSE(win::IsWindowVisible(recent->hwnd()));
  EXPECT_TRUE(win::IsWindowVisible(file->hwnd()));
  Key(win::VK_ESCAPE);
  EXPECT_FALSE(win::IsWindowVisible(file->hwnd()));
  EXPECT_TRUE(mCommandBars::InMenuMode());
  Key(win::VK_ESCAPE);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_EQ(form.Count(u"click"), 0);
  // Enter chooses.
  Key(win::VK_MENU);
  Key(win::VK_DOWN);
  file = MenuOf(menu(), 1);
  ASSERT_NE(file, nullptr);
  Key(win::VK_DOWN);
  Key(win::VK_RETURN);
  EXPECT_EQ(form.Count(u"click", u"FILE:OPEN"), 1);
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  // Alt tapped again while the menu is open leaves it.
  Key(win::VK_MENU);
  EXPECT_TRUE(mCommandBars::InMenuMode());
  Key(win::VK_MENU);
  EXPECT_FALSE(mCommandBars::InMenuMode());
}

TEST_F(CommandBarControl, AltWithAMnemonicOpensItsMenuAndLayoutSwitchesNeverTouchTheMenus) {
  // Alt+Ф (the key of A): the "Файл" menu, whatever layout types it.
  const win::HWND edit = form.txtEdit.hWnd();
  input::KeyDown(edit, win::VK_MENU);
  input::KeyClick(edit, 'A', input::kAlt, u"ф");
  input::KeyUp(edit, win::VK_MENU);
  EXPECT_TRUE(mCommandBars::InMenuMode());
  EXPECT_NE(MenuOf(menu(), 1), nullptr);
  mCommandBars::LeaveMenuMode();
  // Alt with a letter no menu item has: no menu mode.
  input::KeyDown(edit, win::VK_MENU);
  input::KeyClick(edit, 'Q', input::kAlt);
  input::KeyUp(edit, win::VK_MENU);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  // Alt+Shift and Ctrl+Shift switch layouts: no menu, and the keys are not taken from the text.
  form.txtEdit.Text(u"");
  std::vector<int> seen;
  form.txtEdit.KeyDown = [&](int& k, int) { seen.push_back(k); };
  input::KeyDown(edit, win::VK_MENU);
  input::KeyDown(edit, win::VK_SHIFT, input::kAlt);
  input::KeyUp(edit, win::VK_SHIFT, input::kAlt);
  input::KeyUp(edit, win::VK_MENU);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  input::KeyDown(edit, win::VK_CONTROL);
  input::KeyDown(edit, win::VK_SHIFT, 0x0008);
  input::KeyUp(edit, win::VK_SHIFT, 0x0008);
  input::KeyUp(edit, win::VK_CONTROL);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  // AltGr types a character and leaves the menus alone.
  input::KeyDown(edit, win::VK_RMENU);
  input::KeyClick(edit, 'E', 0, u"€");
  input::KeyUp(edit, win::VK_RMENU);
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_EQ(form.txtEdit.Text(), u"€");
  EXPECT_NE(std::find(seen.begin(), seen.end(), win::VK_SHIFT), seen.end());
  EXPECT_EQ(form.Count(u"click"), 0);
}

TEST_F(CommandBarControl, ShortcutsReachTheirButtonWhateverTheLayoutButNeverADisabledOne) {
  Key('S', 0x0008, u"ы");  // Ctrl+S typed with a Russian layout
  EXPECT_EQ(form.Count(u"click", u"FILE:SAVE"), 1);
  EXPECT_EQ(form.Count(u"click"), 1);
  form.cmdBar(0).Buttons().Item(u"FILE:SAVE").Enabled(false);
  Key('S', 0x0008);
  EXPECT_EQ(form.Count(u"click"), 1);
  // Disabled: not by the mouse, Enter or its mnemonic either.
  ClickItem(menu(), 1);
  kestCommandBar* file = MenuOf(menu(), 1);
  ASSERT_NE(file, nullptr);
  ClickItem(*file, 5);
  Key('C', 0, u"с");  // the mnemonic of "&Сохранить"
  Key(win::VK_HOME);
  for (int i = 0; i < 3; ++i) Key(win::VK_DOWN);
  EXPECT_EQ(Hot(*file), 5) << "a disabled item may be hot";
  Key(win::VK_RETURN);
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_TRUE(mCommandBars::InMenuMode());
}

TEST_F(CommandBarControl, AShortcutGivenWhileTheBarsShowReachesItsButtonAndKeysNoButtonHasTypeOn) {
  Key('Q', 0, u"q");
  EXPECT_EQ(form.txtEdit.Text(), u"q");
  EXPECT_EQ(form.Count(u"click"), 0);
  // A button of a submenu takes the plain letter as its shortcut: the letter now runs it, and no
  // longer types.
  commandbars::cButton save = form.cmdBar(0).Buttons().Item(u"FILE:SAVE");
  save.ShortcutKey('Q');
  save.ShortcutModifiers(0);
  Key('Q', 0, u"q");
  EXPECT_EQ(form.Count(u"click", u"FILE:SAVE"), 1);
  EXPECT_EQ(form.txtEdit.Text(), u"q");
  // Its old chord has no button now: it neither runs one nor disturbs the text.
  Key('S', 0x0008);
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_EQ(form.txtEdit.Text(), u"q");
}

TEST_F(CommandBarControl, TheChevronListsTheHiddenButtonsAndItsListShowsAndHidesThem) {
  toolbar().Width(900);  // room for the first buttons only
  vb::DoEvents();
  int hidden = 0;
  for (const auto& r : toolbar().DisplayInfo()) hidden += r.Hidden ? 1 : 0;
  ASSERT_GT(hidden, 0);
  win::POINT at{10, 10};
  win::ClientToScreen(toolbar().hwnd(), &at);
  toolbar().ShowChevronMenu(at.x, at.y);
  ASSERT_TRUE(mCommandBars::InMenuMode());
  EXPECT_EQ(mCommandBars::ButtonItem(u"CHEVRON:ADDORREMOVEBAR").Caption(), u"Стандартная");
  // The list holds the toolbar's buttons (not its separator), then its own separator and "Reset".
  commandbars::cCommandBarInt& list = mCommandBars::BarItem(u"CHEVRON:ADDORREMOVE");
  ASSERT_EQ(list.Count(), 4 + 2);
  EXPECT_EQ(list.Item(1)->Key(), u"TB:NEW");
  EXPECT_EQ(list.Item(1)->State(), 1);
  // Open the chevron's menus down to the list and click "Новый" twice.
  kestCommandBar* chevron = nullptr;
  for (win::HWND h : mCommandBars::LiveControls())
    if (auto* c = mCommandBars::FindControl(h); c && c->IsPopupInstance() && c->ToolbarKey() == u"CHEVRON") chevron = c;
  ASSERT_NE(chevron, nullptr);
  HoverItem(*chevron, 1);
  input::FireTimer(chevron->hwnd(), 1);
  kestCommandBar* bar = MenuOf(*chevron, 1);
  ASSERT_NE(bar, nullptr);
  HoverItem(*bar, 1);
  input::FireTimer(bar->hwnd(), 1);
  kestCommandBar* entries = MenuOf(*bar, 1);
  ASSERT_NE(entries, nullptr);
  EXPECT_EQ(entries->ToolbarKey(), u"CHEVRON:ADDORREMOVE");
  form.events.clear();
  ClickItem(*entries, 1);
  EXPECT_FALSE(toolbar().Buttons().Item(u"TB:NEW").Visible());
  EXPECT_EQ(form.Count(u"click"), 0) << "the host does not run the command being hidden";
  EXPECT_TRUE(mCommandBars::InMenuMode()) << "the list stays open";
  ClickItem(*entries, 1);
  EXPECT_TRUE(toolbar().Buttons().Item(u"TB:NEW").Visible());
  EXPECT_EQ(form.Count(u"click"), 0);
}

TEST_F(CommandBarControl, RightClicksAndCancelledDropDownsAndTheLostApplication) {
  input::Click(toolbar().hwnd(), 2, 2, 2);
  ASSERT_EQ(form.Count(u"right"), 1);
  form.cancelDropDowns = true;
  ClickItem(menu(), 1);
  EXPECT_EQ(form.Count(u"dropdown"), 1);
  EXPECT_EQ(MenuOf(menu(), 1), nullptr) << "the handler cancelled it";
  form.cancelDropDowns = false;
  ClickItem(menu(), 1);
  ASSERT_NE(MenuOf(menu(), 1), nullptr);
  input::SetApplicationActive(false);
  EXPECT_FALSE(mCommandBars::InMenuMode()) << "no menu stays open behind another application";
  input::SetApplicationActive(true);
}

TEST_F(CommandBarControl, OnlyAMouseHoverWatchesForTheLostMouseAndNothingPaintsWithRedrawOff) {
  HoverItem(toolbar(), 1);
  EXPECT_TRUE(toolbar().LostMouseTimerOn()) << "a hover by the mouse starts the watch";
  toolbar().TrackMenu(0, 0, false, false);
  // The pointer goes elsewhere: the tick clears what is hot and stops the watch.
  input::MouseMove(form.txtEdit.hWnd(), 560, 240);
  HoverItem(toolbar(), 2);
  input::MouseMove(form.txtEdit.hWnd(), 560, 240);
  input::FireTimer(toolbar().hwnd(), 2);
  EXPECT_EQ(Hot(toolbar()), 0);
  EXPECT_FALSE(toolbar().LostMouseTimerOn());
  // A keyboard move does not start it.
  Key(win::VK_MENU);
  Key(win::VK_RIGHT);
  EXPECT_FALSE(menu().LostMouseTimerOn());
  mCommandBars::LeaveMenuMode();

  // With Redraw off the bar's picture stays as it was until Redraw comes back.
  const win::HWND bar = toolbar().hwnd();
  const win::COLORREF before = vb::testing::WindowPicturePixel(bar, 3, 3);
  toolbar().Redraw(false);
  toolbar().CustomColor(29, 0x0000FF);
  toolbar().CustomColor(30, 0x0000FF);
  EXPECT_EQ(vb::testing::WindowPicturePixel(bar, 3, 3), before);
  toolbar().Redraw(true);
  EXPECT_EQ(vb::testing::WindowPicturePixel(bar, 3, 3), 0x0000FFu) << "a custom colour repaints every bar";
  EXPECT_EQ(vb::testing::WindowPicturePixel(menu().hwnd(), 596, 2), 0x0000FFu) << "the menu bar too";
}

// A bar whose window is hidden is laid out and painted when it is shown again: what the user then
// sees is its last state, the same as a bar changed while it was on the screen.
TEST_F(CommandBarControl, ABarChangedWhileItsWindowIsHiddenShowsItsLastStateWhenShown) {
  const win::HWND bar = toolbar().hwnd();
  const qmtest::TempDir folder;
  const auto picture = [&](const char* name) {
    const std::filesystem::path file = folder.path() / name;
    EXPECT_TRUE(vb::testing::SaveWindowPicture(bar, file.u16string()));
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const auto places = [&] {
    std::vector<int> p;
    for (const auto& r : toolbar().DisplayInfo()) p.insert(p.end(), {r.left, r.Right, r.Hidden ? 1 : 0});
    return p;
  };
  const std::string before = picture("before.png");
  const cButton open = toolbar().Buttons().Item(u"TB:OPEN");
  const cButton wrap = toolbar().Buttons().Item(u"TB:WRAP");
  form.Hide();
  vb::DoEvents();
  for (int i = 0; i < 3; ++i) {
    open.Caption(u"Открыть документ " + std::u16string(1, static_cast<char16_t>(u'1' + i)));
    wrap.Visible(i % 2 == 0);
  }
  form.Show();
  input::ShowAndWait(form.hWnd());
  const std::string shown = picture("shown.png");
  const std::vector<int> shownPlaces = places();
  EXPECT_NE(shown, before) << "the changes made while hidden are there";
  // The same state laid out and painted while on the screen.
  wrap.Visible(false);
  wrap.Visible(true);
  vb::DoEvents();
  EXPECT_EQ(places(), shownPlaces);
  EXPECT_EQ(picture("again.png"), shown);
}

TEST_F(CommandBarControl, DesktopChangesLayTheBarsOutAgainAndLosingTheirFormLeavesNothingOpen) {
  int resized = 0;
  toolbar().Resize = [&] { ++resized; };
  input::ChangeDesktopSettings();
  EXPECT_EQ(resized, 1);
  // The form goes with a menu open: menu mode ends with it and the hooks go.
  ClickItem(menu(), 1);
  ASSERT_TRUE(mCommandBars::InMenuMode());
  form.Unload();
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_FALSE(mCommandBars::StoresLive());
  EXPECT_FALSE(commandbars::mHooks::KeyboardHookInstalled());
  EXPECT_FALSE(commandbars::mHooks::MouseHookInstalled());
}
