// The tab strip on a window: tabs by key and position, the selection events, the user's clicks and
// keys, persistence, and the ends of its ranges (its drawing: tab_control_drawing_test.cpp).
#include "controls/tab_control.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "controls/tab_strip.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/testing/vb.h"
#include "platform/win/keys.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"
#include "support_gdi.h"
#include "tab_control_fixture.h"

using namespace win;
using qmtest::frmTabs;
using qmtest::TabControlTest;
using qmtest::kKeys;
using qmtest::kPages;

TEST_F(TabControlTest, TabsAreFoundByPositionAndKeyAndKeepTheirData) {
  form.tabs.AddTab(u"General", -1, 1, u"GENERAL", 1000);
  EXPECT_EQ(form.tabs.TabCount(), 1);
  EXPECT_EQ(form.tabs.TabText(1), u"General");
  EXPECT_EQ(form.tabs.TabKey(1), u"GENERAL");
  EXPECT_EQ(form.tabs.TabItemData(1), 1000);
  EXPECT_EQ(form.tabs.IndexForTab(u"GENERAL"), 1);
  form.tabs.RemoveAllTabs();

  AddEight();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(form.tabs.TabText(i + 1), kPages[i]);
    EXPECT_EQ(form.tabs.TabKey(i + 1), kKeys[i]);
    EXPECT_EQ(form.tabs.TabItemData(std::u16string(kKeys[i])), (i + 1) * 1000);
  }
  // A tab put in front moves the keys with the tabs; so does one put before a key.
  form.tabs.AddTab(u"Первая", -1, 1, u"FIRST", 1);
  form.tabs.AddTab(u"Перед видом", -1, std::u16string(u"VIEW"), u"BEFOREVIEW", 2);
  EXPECT_EQ(form.tabs.TabCount(), 10);
  EXPECT_EQ(form.tabs.TabKey(1), u"FIRST");
  EXPECT_EQ(form.tabs.TabText(2), u"Общие");
  EXPECT_EQ(form.tabs.IndexForTab(u"BEFOREVIEW"), 4);
  EXPECT_EQ(form.tabs.IndexForTab(u"VIEW"), 5);
  EXPECT_EQ(form.tabs.TabText(u"DECODE"), u"Перекодировка");
  // Numbers beyond the end append; keys follow their tab.
  form.tabs.AddTab(u"Последняя", -1, 99, u"LAST", 3);
  EXPECT_EQ(form.tabs.TabKey(11), u"LAST");
  // Removing keeps the keys in step.
  form.tabs.RemoveTab(u"FIRST");
  EXPECT_EQ(form.tabs.TabKey(1), u"GENERAL");
  EXPECT_EQ(form.tabs.IndexForTab(u"LAST"), 10);

  form.tabs.TabImage(1, 3);
  EXPECT_EQ(form.tabs.TabImage(u"GENERAL"), 3);
  form.tabs.TabItemData(2, -7);
  EXPECT_EQ(form.tabs.TabItemData(2), -7);
  EXPECT_FALSE(form.tabs.TabHot(1));
  // Keys compare with exact case; text handed to a tab keeps its length limit of 254.
  std::u16string description, source;
  EXPECT_EQ(ErrorOf([&] { form.tabs.IndexForTab(u"general"); }, &description, &source), -2147220455);
  EXPECT_EQ(description, u"TabIndex general does not exist");
  EXPECT_EQ(source.substr(source.size() - 9), u".cTabCtrl");
  EXPECT_EQ(ErrorOf([&] { form.tabs.TabText(0); }, &description), -2147220455);
  EXPECT_EQ(description, u"TabIndex 0 does not exist");
  EXPECT_EQ(ErrorOf([&] { form.tabs.TabKey(11); }), -2147220455);
  EXPECT_EQ(ErrorOf([&] { form.tabs.TabItemData(u"NONE", 1); }), -2147220455);
  EXPECT_EQ(ErrorOf([&] { form.tabs.AddTab(u"x", -1, std::u16string(u"NONE"), u"X", 0); }), -2147220455);
  EXPECT_EQ(form.tabs.TabCount(), 10);
  EXPECT_EQ(ErrorOf([&] { form.tabs.ImageList(std::u16string(u"list")); }, &description), -2147220452);
  EXPECT_EQ(description, u"Invalid Image List.");
}

TEST_F(TabControlTest, SelectingRaisesBeforeClickWithItsCancelThenTabClick) {
  form.tabs.AddTab(u"General", -1, 1, u"GENERAL", 1000);
  form.tabs.SelectTab(1);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 1", "click 1"}));
  for (int i = 1; i < 8; ++i) form.tabs.AddTab(kPages[i], -1, i + 1, kKeys[i], 0);
  form.events.clear();
  form.tabs.SelectTab(6);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 1", "click 6"}));
  EXPECT_EQ(form.tabs.SelectedTab(), 6);

  form.events.clear();
  form.tabs.SelectTab(u"VIEW", true);
  EXPECT_TRUE(form.events.empty());
  EXPECT_EQ(form.tabs.SelectedTab(), 3);

  form.cancel = true;
  form.tabs.SelectTab(5);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 3"}));
  EXPECT_EQ(form.tabs.SelectedTab(), 3);
  form.cancel = false;

  // Removing the selected last tab selects the new last one; removing the only tab clears the keys.
  form.tabs.SelectTab(8, true);
  form.events.clear();
  form.tabs.RemoveTab(8);
  EXPECT_EQ(form.events, (std::vector<std::string>{"click 7"}));
  EXPECT_EQ(form.tabs.SelectedTab(), 7);
  // Removing a tab that is not selected keeps the selection on its tab.
  form.tabs.RemoveTab(1);
  EXPECT_EQ(form.tabs.SelectedTab(), 6);
  EXPECT_EQ(form.tabs.TabKey(6), u"SOUNDS");
  while (form.tabs.TabCount() > 1) form.tabs.RemoveTab(1);
  form.tabs.RemoveTab(1);
  EXPECT_EQ(form.tabs.TabCount(), 0);
  EXPECT_EQ(form.tabs.SelectedTab(), 0);
  form.tabs.AddTab(u"Again", -1, 1, u"AGAIN", 0);
  EXPECT_EQ(form.tabs.TabKey(1), u"AGAIN");
}

TEST_F(TabControlTest, TheUsersClicksSelectUnlessCancelled) {
  AddEight();
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const RECT second = ItemRect(1);
  form.events.clear();
  platform::testing::Click(Tab(), second.left + 5, second.top + 5);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 1", "click 2"}));
  EXPECT_EQ(form.tabs.SelectedTab(), 2);
  EXPECT_EQ(GetFocus(), Tab());

  form.cancel = true;
  form.events.clear();
  const RECT third = ItemRect(2);
  platform::testing::Click(Tab(), third.left + 5, third.top + 5);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 2"}));
  EXPECT_EQ(form.tabs.SelectedTab(), 2);

  form.events.clear();
  platform::testing::Click(Tab(), third.left + 5, third.top + 5, MK_RBUTTON);
  EXPECT_EQ(form.events, (std::vector<std::string>{"right"}));
  // A click on the page itself selects nothing.
  form.cancel = false;
  form.events.clear();
  platform::testing::Click(Tab(), 150, 150);
  EXPECT_TRUE(form.events.empty());
}

namespace {
std::vector<int> hookedKeys;
HHOOK accelerators = 0;
// The window's accelerators: takes the arrows and the letter A.
LRESULT Accelerators(int code, WPARAM vk, LPARAM l) {
  if ((static_cast<ULONG_PTR>(l) & 0x80000000u) == 0) hookedKeys.push_back(static_cast<int>(vk));
  if (vk == VK_RIGHT || vk == VK_LEFT || vk == 'A') return 1;
  return CallNextHookEx(accelerators, code, vk, l);
}
}  // namespace

TEST_F(TabControlTest, WithTheFocusTheKeysMoveTheSelectionBeforeTheAccelerators) {
  // The window's accelerators are in place before it shows.
  accelerators = SetWindowsHookExA(WH_KEYBOARD, &Accelerators, 0, GetCurrentThreadId());
  AddEight();
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  hookedKeys.clear();
  // The focus given to the control's own window goes on to its tab window.
  form.tabs.SetFocus();
  vb::DoEvents();
  ASSERT_EQ(GetFocus(), Tab());
  EXPECT_TRUE(modTabStrip::Active());
  form.events.clear();
  platform::testing::KeyClick(Tab(), VK_RIGHT);
  EXPECT_EQ(form.tabs.SelectedTab(), 2);
  platform::testing::KeyClick(Tab(), VK_END);
  EXPECT_EQ(form.tabs.SelectedTab(), 8);
  platform::testing::KeyClick(Tab(), VK_RIGHT);  // nothing beyond the last
  platform::testing::KeyClick(Tab(), VK_HOME);
  platform::testing::KeyClick(Tab(), VK_LEFT);  // nothing before the first
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 1", "click 2", "before 2", "click 8", "before 8", "click 1"}));
  platform::testing::KeyClick(Tab(), 'A');
  EXPECT_EQ(hookedKeys, std::vector<int>{'A'});
  // Away from the strip, the accelerators have the arrows again.
  form.cmdOther.SetFocus();
  vb::DoEvents();
  platform::testing::KeyClick(form.cmdOther.hWnd(), VK_RIGHT);
  EXPECT_EQ(hookedKeys, (std::vector<int>{'A', VK_RIGHT}));
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
  UnhookWindowsHookEx(accelerators);
  form.Terminate();
  EXPECT_FALSE(modTabStrip::Active());
}

TEST_F(TabControlTest, TabReachesTheStripInItsPlaceAndLeavesItForTheNeighbours) {
  AddEight();
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const auto focusAfter = [](HWND from, int modifiers) {
    platform::testing::KeyClick(from, VK_TAB, modifiers);
    vb::DoEvents();
    return GetFocus();
  };
  form.cmdLast.SetFocus();
  vb::DoEvents();
  EXPECT_EQ(focusAfter(form.cmdLast.hWnd(), 0), Tab());
  EXPECT_EQ(focusAfter(Tab(), 0), form.cmdOther.hWnd());
  EXPECT_EQ(focusAfter(form.cmdOther.hWnd(), MK_SHIFT), Tab());
  EXPECT_EQ(focusAfter(Tab(), MK_SHIFT), form.cmdLast.hWnd());
  // Tab moves the focus and selects nothing.
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
}

TEST_F(TabControlTest, ThePageKeysSelectTheNextAndPreviousTabFromAnywhereOnTheWindow) {
  AddEight();
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.cmdOther.SetFocus();
  vb::DoEvents();
  form.events.clear();
  const HWND other = form.cmdOther.hWnd();
  platform::testing::KeyClick(other, VK_TAB, MK_CONTROL);
  EXPECT_EQ(form.tabs.SelectedTab(), 2);
  platform::testing::KeyClick(other, VK_NEXT, MK_CONTROL);
  EXPECT_EQ(form.tabs.SelectedTab(), 3);
  platform::testing::KeyClick(other, VK_TAB, MK_CONTROL | MK_SHIFT);
  EXPECT_EQ(form.tabs.SelectedTab(), 2);
  platform::testing::KeyClick(other, VK_PRIOR, MK_CONTROL);
  platform::testing::KeyClick(other, VK_PRIOR, MK_CONTROL);  // round to the last
  EXPECT_EQ(form.tabs.SelectedTab(), 8);
  platform::testing::KeyClick(other, VK_TAB, MK_CONTROL);  // and on to the first
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
  EXPECT_EQ(form.events, (std::vector<std::string>{"before 1", "click 2", "before 2", "click 3", "before 3", "click 2",
                                                   "before 2", "click 1", "before 1", "click 8", "before 8", "click 1"}));
  EXPECT_EQ(GetFocus(), other);
  // Page Down alone is no page key.
  platform::testing::KeyClick(other, VK_NEXT);
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
}

TEST_F(TabControlTest, EscInTheStripPressesTheWindowsCancelButton) {
  AddEight();
  int cancelled = 0;
  form.cmdOther.Click = [&] { ++cancelled; };
  form.cmdOther.Cancel(true);
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.tabs.SetFocus();
  vb::DoEvents();
  ASSERT_EQ(GetFocus(), Tab());
  platform::testing::KeyClick(Tab(), VK_ESCAPE);
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(form.tabs.SelectedTab(), 1);
}

TEST_F(TabControlTest, AMouseActivationMovesTheFocusIntoTheStripWithoutActivating) {
  AddEight();
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.cmdOther.SetFocus();
  vb::DoEvents();
  EXPECT_EQ(SendMessageA(Tab(), WM_MOUSEACTIVATE, form.hWnd(), MAKELPARAM(1, WM_LBUTTONDOWN)), MA_NOACTIVATE);
  vb::DoEvents();
  EXPECT_EQ(GetFocus(), Tab());
  // With the focus already there, the tab window answers for itself.
  EXPECT_EQ(SendMessageA(Tab(), WM_MOUSEACTIVATE, form.hWnd(), MAKELPARAM(1, WM_LBUTTONDOWN)), MA_ACTIVATE);
}

TEST_F(TabControlTest, PropertiesPersistAndBecomeTheWindowsStyle) {
  form.design = [](vb::PropertyBag& bag) {
    bag.WriteProperty(u"HotTrack", true, false);
    bag.WriteProperty(u"Buttons", true, false);
    bag.WriteProperty(u"FlatButtons", true, false);
    bag.WriteProperty(u"MultiLine", true, false);
    bag.WriteProperty(u"FlatSeparators", true, false);
    bag.WriteProperty<std::int32_t>(u"TabAlign", 2, 0);
  };
  AddEight();
  const LONG style = static_cast<LONG>(GetWindowLongA(Tab(), GWL_STYLE));
  EXPECT_EQ(style & ~WS_VISIBLE, WS_CHILD | WS_CLIPSIBLINGS | 0x40 | 0x100 | 0x8 | 0x200 | 0x2);
  EXPECT_EQ(SendMessageA(Tab(), TCM_GETEXTENDEDSTYLE, 0, 0), 1);
  vb::PropertyBag saved = form.tabs.SaveProperties();
  EXPECT_TRUE(saved.ReadProperty(u"FlatButtons", false));
  EXPECT_EQ(saved.ReadProperty<std::int32_t>(u"TabAlign", 0), 2);
  EXPECT_FALSE(saved.Contains(u"OwnerDraw"));
  EXPECT_FALSE(saved.Contains(u"Font"));  // MS Sans Serif 8, the default
  // A style switch rewrites the style at once; the alignment waits for Rebuild, which keeps the
  // tabs and the selection.
  form.tabs.Buttons(false);
  form.tabs.TabAlign(0);
  EXPECT_EQ(GetWindowLongA(Tab(), GWL_STYLE) & 0x108, 0);
  EXPECT_EQ(GetWindowLongA(Tab(), GWL_STYLE) & 0x2, 0x2);
  form.tabs.SelectTab(4, true);
  form.events.clear();
  const HWND before = Tab();
  form.tabs.Rebuild();
  EXPECT_NE(Tab(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(GetWindowLongA(Tab(), GWL_STYLE) & 0x2, 0);
  EXPECT_EQ(form.tabs.TabCount(), 8);
  EXPECT_EQ(form.tabs.TabText(8), kPages[7]);
  EXPECT_EQ(form.tabs.TabItemData(u"DECODE"), 8000);
  EXPECT_EQ(form.tabs.SelectedTab(), 4);
  EXPECT_TRUE(form.events.empty());
  // A font set is persisted; the same font again is no change.
  vb::StdFont f = form.tabs.Font();
  f.Size = 10;
  form.tabs.Font(f);
  EXPECT_TRUE(form.tabs.SaveProperties().Contains(u"Font"));
  const HFONT made = static_cast<HFONT>(SendMessageA(Tab(), WM_GETFONT, 0, 0));
  form.tabs.Font(f);
  EXPECT_EQ(static_cast<HFONT>(SendMessageA(Tab(), WM_GETFONT, 0, 0)), made);
  LOGFONTA lf;
  GetObjectA(made, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -13);  // 10 points at 96 dots per inch
}

TEST_F(TabControlTest, AWindowLoadedAgainStartsWithoutTabsOrKeys) {
  AddEight();
  form.Unload();
  EXPECT_EQ(form.tabs.TabCount(), 0);  // loads the window afresh
  EXPECT_EQ(ErrorOf([&] { form.tabs.IndexForTab(u"GENERAL"); }), -2147220455);
  form.tabs.AddTab(u"Общие", -1, 1, u"GENERAL", 1000);
  EXPECT_EQ(form.tabs.IndexForTab(u"GENERAL"), 1);
}

TEST_F(TabControlTest, AnEmptyStripRebuildsWithoutASelection) {
  form.tabs.Rebuild();
  EXPECT_EQ(form.tabs.TabCount(), 0);
  EXPECT_EQ(form.tabs.SelectedTab(), 0);
}

// Tab numbers at the ends of their range name no tab, and a number below the first appends.
TEST_F(TabControlTest, NumbersAtTheEndsOfTheirRangeNameNoTab) {
  AddEight();
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  std::u16string description;
  EXPECT_EQ(ErrorOf([&] { form.tabs.IndexForTab(kLowest); }, &description), -2147220455);
  EXPECT_EQ(description, u"TabIndex -2147483648 does not exist");
  EXPECT_EQ(ErrorOf([&] { form.tabs.SelectTab(kLowest); }), -2147220455);
  EXPECT_EQ(ErrorOf([&] { form.tabs.TabText(kHighest); }, &description), -2147220455);
  EXPECT_EQ(description, u"TabIndex 2147483647 does not exist");
  form.tabs.AddTab(u"Последняя", -1, kLowest, u"LAST", 0);
  EXPECT_EQ(form.tabs.IndexForTab(u"LAST"), 9);
}

// A host's measure below nothing makes an empty tab, and one beyond any screen keeps the tabs after
// it in order, not wrapped round to negative places.
TEST_F(TabControlTest, MeasuredSizesStayBetweenNothingAndTheScreen) {
  form.design = [](vb::PropertyBag& bag) { bag.WriteProperty(u"OwnerDraw", true, false); };
  form.tabs.MeasureItem = [&](std::int32_t tab, std::int32_t& w, std::int32_t& h, bool& doDefault) {
    if (tab == 0) {
      w = -5;
      h = -7;
    } else if (tab == 1) {
      w = std::numeric_limits<std::int32_t>::max();
    }
    doDefault = false;
  };
  form.stripWidth = 9000;
  AddEight();
  EXPECT_EQ(ItemRect(0).right - ItemRect(0).left, 0);
  EXPECT_GT(ItemRect(1).right, ItemRect(1).left);
  for (int i = 1; i < 8; ++i) {
    EXPECT_GE(ItemRect(i).left, ItemRect(i - 1).left) << i;
    EXPECT_GE(ItemRect(i).left, ItemRect(i - 1).right) << i;
  }
}

// A window destroyed while it is loaded (never unloaded) takes the tab window's font along.
TEST(TabControlLife, AWindowDestroyedWhileLoadedDeletesTheTabFont) {
  auto* form = new frmTabs;
  form->tabs.AddTab(u"Общие", -1, 1, u"GENERAL", 0);
  const auto font = static_cast<HGDIOBJ>(SendMessageA(form->tabs.TabCtrlhWnd(), WM_GETFONT, 0, 0));
  ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  delete form;
  vb::DoEvents();
  EXPECT_EQ(GetObjectType(font), 0u);
}
