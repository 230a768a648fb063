// Input given to real widgets reaches the window procedure as messages, and the procedure decides
// whether the widget's own handling runs.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/win.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

using namespace win;

namespace {

std::vector<UINT> msgs;
std::vector<LPARAM> params;
bool swallowKeys = false;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  msgs.push_back(m);
  params.push_back(l);
  if (swallowKeys && (m == WM_KEYDOWN || m == WM_CHAR)) return 0;
  return DefWindowProc(h, m, w, l);
}

HWND Make() {
  static bool once = [] {
    WNDCLASSA wc;
    wc.lpszClassName = "InputProbe";
    wc.lpfnWndProc = &Proc;
    return RegisterClassA(wc) != 0;
  }();
  (void)once;
  HWND h = CreateWindowExA(0, "InputProbe", u"probe", WS_OVERLAPPED, 10, 10, 200, 100, 0, 0, 0, nullptr);
  platform::testing::ShowAndWait(h);
  return h;
}

bool Saw(UINT m) {
  for (UINT x : msgs)
    if (x == m) return true;
  return false;
}

int keyHookCalls = 0;
int keyHookSwallowVk = 0;
LRESULT KeyHook(int code, WPARAM w, LPARAM l) {
  ++keyHookCalls;
  if (static_cast<int>(w) == keyHookSwallowVk) return 1;
  return 0;
}

}  // namespace

TEST(Input, MouseClicksArriveAsButtonMessagesWithClientCoordinates) {
  HWND h = Make();
  msgs.clear();
  params.clear();
  platform::testing::Click(h, 30, 40);
  ASSERT_TRUE(Saw(WM_LBUTTONDOWN));
  ASSERT_TRUE(Saw(WM_LBUTTONUP));
  for (std::size_t i = 0; i < msgs.size(); ++i) {
    if (msgs[i] == WM_LBUTTONDOWN) {
      EXPECT_EQ(GET_X_LPARAM(params[i]), 30);
      EXPECT_EQ(GET_Y_LPARAM(params[i]), 40);
    }
  }
  DestroyWindow(h);
}

TEST(Input, KeysArriveAsKeyDownAndCharAndTheHookSeesThemFirst) {
  HWND h = Make();
  msgs.clear();
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &KeyHook, 0, GetCurrentThreadId());
  keyHookCalls = 0;
  keyHookSwallowVk = 0;
  platform::testing::KeyClick(h, 'A');
  EXPECT_TRUE(Saw(WM_KEYDOWN));
  EXPECT_TRUE(Saw(WM_CHAR));
  EXPECT_TRUE(Saw(WM_KEYUP));
  EXPECT_EQ(keyHookCalls, 2);  // down and up

  msgs.clear();
  keyHookSwallowVk = VK_ESCAPE;
  platform::testing::KeyClick(h, VK_ESCAPE);
  EXPECT_FALSE(Saw(WM_KEYDOWN));
  UnhookWindowsHookEx(hook);

  msgs.clear();
  platform::testing::KeyClick(h, VK_ESCAPE);
  EXPECT_TRUE(Saw(WM_KEYDOWN));
  DestroyWindow(h);
}

TEST(Input, CaptureSendsMouseInputToTheCapturingWindow) {
  HWND a = Make();
  HWND b = Make();
  SetCapture(b);
  msgs.clear();
  platform::testing::Click(a, 5, 5);
  EXPECT_EQ(GetCapture(), b);
  EXPECT_TRUE(Saw(WM_LBUTTONDOWN));
  ReleaseCapture();
  EXPECT_TRUE(Saw(WM_CAPTURECHANGED));
  EXPECT_EQ(GetCapture(), 0);
  DestroyWindow(a);
  DestroyWindow(b);
}

namespace {

// What a keyboard hook saw: the virtual key, whether it went up, and the layout then in force.
struct Seen {
  int vk;
  bool up;
  HKL layout;
  bool operator==(const Seen&) const = default;
};
std::vector<Seen> seen;
LRESULT RecordingHook(int, WPARAM w, LPARAM l) {
  seen.push_back(Seen{static_cast<int>(w), (static_cast<DWORD>(l) & 0x80000000u) != 0, GetKeyboardLayout(0)});
  return 0;
}

}  // namespace

TEST(Input, AKeyThatSwitchesTheLayoutIsStillItsOwnKeyAndTheLayoutFollowsTheKeys) {
  namespace t = platform::testing;
  HWND h = Make();
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &RecordingHook, 0, GetCurrentThreadId());
  seen.clear();
  const HKL us = GetKeyboardLayout(0);
  // grp:alt_shift_toggle: Alt, then Shift, which XKB turns into its group switch; the X server
  // reports the new group in the keys after it.
  t::XKeyDown(h, "Alt_L", 0, 0);
  t::XKeyDown(h, "Shift_L", t::kAlt, 0, true);
  t::XKeyUp(h, "Shift_L", t::kAlt, 1, true);
  t::XKeyUp(h, "Alt_L", t::kAlt, 1);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], (Seen{VK_MENU, false, us}));
  EXPECT_EQ(seen[1], (Seen{VK_SHIFT, false, us})) << "the group switch is the Shift key it was pressed on";
  EXPECT_EQ(seen[2].vk, VK_SHIFT);
  EXPECT_NE(seen[2].layout, us) << "the hook sees the new layout";
  EXPECT_EQ(seen[3].layout, seen[2].layout);
  // The letters that follow come in the new layout; Win+Space's Space stays Space.
  msgs.clear();
  params.clear();
  t::XKeyDown(h, "f", 0, 1);
  t::XKeyDown(h, "Super_L", 0, 1);
  t::XKeyDown(h, "space", t::kWin, 1, true);
  EXPECT_EQ(seen[4].vk, 'F');
  EXPECT_EQ(seen[5].vk, VK_LWIN);
  EXPECT_EQ(seen[6].vk, VK_SPACE);
  EXPECT_TRUE(Saw(WM_CHAR));
  t::XKeyUp(h, "space", t::kWin, 0, true);
  t::XKeyUp(h, "Super_L", t::kWin, 0);
  EXPECT_EQ(GetKeyboardLayout(0), us) << "back in the first layout";
  UnhookWindowsHookEx(hook);
  t::ResetKeyboard();
  DestroyWindow(h);
}
