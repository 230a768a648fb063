// What menus need of the window layer: a child window turned into a topmost tool window placed in
// screen coordinates that never takes the keyboard from its form, the window under a point (hidden,
// disabled and click-through windows skipped), input stopped by a disabled container without its
// contents greying, the keys held now, and the application's activation and setting changes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/testing/vb.h"
#include "platform/vb/usercontrol.h"
#include "platform/win/keys.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"

using namespace win;

namespace {

// A custom control holding a list, as a toolbar holds its panel control.
class Holder : public vb::UserControl {
 public:
  explicit Holder(vb::Container& c) : UserControl(c) {}
  vb::ComboBox cboList{*this, vb::vbComboDropdownList};
  int mouseDowns = 0;

 protected:
  void UserControl_MouseDown(int, int, float, float) override { ++mouseDowns; }
};

class frmOwner : public vb::Form {
 public:
  vb::TextBox txtEdit{*this};
  Holder holder{*this};
  Holder popup{*this};
  std::vector<int> keys;

 protected:
  void Design() override {
    Move(1500, 1500, 6000, 4500);
    txtEdit.Move(0, 0, 3000, 315);
    holder.Move(0, 600, 3000, 600);
    holder.cboList.Move(150, 90, 1800, 315);
    holder.cboList.AddItem(u"DOS 866");
    holder.cboList.ListIndex(0);
    popup.Move(0, 1500, 1500, 1500);
    txtEdit.KeyDown = [this](int& k, int) { keys.push_back(k); };
  }
};

std::vector<std::pair<UINT, WPARAM>> received;
LRESULT Recorder(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ACTIVATEAPP || msg == WM_SETTINGCHANGE) received.emplace_back(msg, w);
  return DefWindowProc(h, msg, w, l);
}

int hookedKeys = 0;
LRESULT CountKeys(int code, WPARAM w, LPARAM l) {
  ++hookedKeys;
  return 0;
}

int hookedClicks = 0;
LRESULT CountClicks(int code, WPARAM w, LPARAM l) {
  if (w == WM_LBUTTONDOWN) ++hookedClicks;
  return 0;
}

// Turns the form's second holder into a menu-like popup at (x, y) on the screen.
HWND ShowAsPopup(frmOwner& form, int x, int y) {
  const HWND h = form.popup.hWnd();
  const LONG ex = static_cast<LONG>(GetWindowLongA(h, GWL_EXSTYLE));
  SetWindowLongA(h, GWL_EXSTYLE, (ex & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  SetParent(h, 0);
  SetWindowPos(h, HWND_TOPMOST, x, y, 100, 80, SWP_SHOWWINDOW);
  return h;
}

}  // namespace

TEST(PopupWindows, AChildBecomesATopmostToolWindowAtAScreenPointAndLeavesTheKeyboardWithItsForm) {
  frmOwner form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.txtEdit.SetFocus();
  vb::DoEvents();
  const HWND focus = GetFocus();
  ASSERT_EQ(focus, form.txtEdit.hWnd());
  ASSERT_EQ(GetForegroundWindow(), form.hWnd());

  const HWND h = ShowAsPopup(form, 400, 300);
  vb::DoEvents();
  EXPECT_EQ(GetParent(h), 0);
  EXPECT_TRUE(IsWindowVisible(h));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 400);
  EXPECT_EQ(r.top, 300);
  EXPECT_EQ(r.right, 500);
  EXPECT_EQ(r.bottom, 380);
  POINT p{10, 20};
  ClientToScreen(h, &p);
  EXPECT_EQ(p.x, 410);
  EXPECT_EQ(p.y, 320);
  ScreenToClient(h, &p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 20);
  const LONG ex = static_cast<LONG>(GetWindowLongA(h, GWL_EXSTYLE));
  EXPECT_NE(ex & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(ex & WS_EX_TOPMOST, 0);
  EXPECT_EQ(ex & WS_EX_APPWINDOW, 0);

  EXPECT_EQ(GetForegroundWindow(), form.hWnd()) << "the popup never takes activation";
  EXPECT_EQ(GetFocus(), focus) << "nor the keyboard";
  hookedKeys = 0;
  form.keys.clear();
  const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &CountKeys, 0, GetCurrentThreadId());
  platform::testing::KeyClick(focus, 'A');
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(hookedKeys, 2) << "down and up reach the thread's hook";
  EXPECT_EQ(form.keys, std::vector<int>{'A'});
  // A click on the popup does not take the keyboard either.
  platform::testing::Click(h, 5, 5);
  vb::DoEvents();
  EXPECT_EQ(GetFocus(), focus);
  EXPECT_EQ(form.popup.mouseDowns, 1);
  ShowWindow(h, SW_HIDE);
  form.Unload();
}

TEST(PopupWindows, WindowFromPointFindsTheTopmostShownEnabledWindow) {
  frmOwner form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  POINT origin{0, 0};
  ClientToScreen(form.hWnd(), &origin);
  // The list inside its holder, then the holder's own area.
  POINT inList{origin.x + 20, origin.y + 40 + 10};
  POINT inHolder{origin.x + 190, origin.y + 40 + 5};
  EXPECT_EQ(WindowFromPoint(inList), form.holder.cboList.hWnd());
  EXPECT_EQ(WindowFromPoint(inHolder), form.holder.hWnd());
  form.holder.Enabled(false);
  EXPECT_EQ(WindowFromPoint(inList), form.hWnd()) << "a disabled window and what it holds are passed over";
  form.holder.Enabled(true);
  // A popup over the form is found before the form; hidden, it is not.
  const HWND popup = ShowAsPopup(form, inList.x - 5, inList.y - 5);
  vb::DoEvents();
  EXPECT_EQ(WindowFromPoint(inList), form.popup.cboList.hWnd()) << "the list the popup holds";
  ShowWindow(popup, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(inList), form.holder.cboList.hWnd());
  // A click-through window is never under the point.
  WNDCLASSA wc;
  wc.lpszClassName = "ClickThrough";
  wc.lpfnWndProc = &DefWindowProcA;
  RegisterClassA(wc);
  const HWND glass = CreateWindowExA(WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "ClickThrough", u"",
                                     WS_POPUP | WS_VISIBLE, inList.x - 5, inList.y - 5, 50, 50, 0, 0, 0, nullptr);
  vb::DoEvents();
  EXPECT_EQ(WindowFromPoint(inList), form.holder.cboList.hWnd());
  DestroyWindow(glass);
  EXPECT_EQ(WindowFromPoint(POINT{-5000, -5000}), 0);
  form.Unload();
}

// A menu makes its drop shadows anew each time it opens. A popup window made after one went is a
// window of its own in everything: handle, place, size, drawing; the one that went stays gone; and
// popups are made as well after the window that owned the ones before went.
TEST(PopupWindows, APopupMadeAfterAnotherWentIsAWindowOfItsOwn) {
  WNDCLASSA wc;
  wc.lpszClassName = "Shade";
  wc.lpfnWndProc = &DefWindowProcA;
  RegisterClassA(wc);
  frmOwner form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const LONG ex = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  const HWND first = CreateWindowExA(ex, "Shade", u"", WS_POPUP | WS_VISIBLE, 10, 20, 30, 40, form.hWnd(), 0, 0, nullptr);
  ASSERT_NE(first, 0);
  HDC dc = GetDC(first);
  SetPixel(dc, 0, 0, RGB(9, 8, 7));
  ReleaseDC(first, dc);
  vb::DoEvents();
  DestroyWindow(first);
  EXPECT_FALSE(IsWindow(first));

  const HWND second = CreateWindowExA(ex, "Shade", u"", WS_POPUP, 50, 60, 7, 8, form.hWnd(), 0, 0, nullptr);
  ASSERT_NE(second, 0);
  EXPECT_NE(second, first);
  EXPECT_FALSE(IsWindowVisible(second)) << "made hidden, as asked";
  RECT r;
  GetWindowRect(second, &r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}), (std::vector<LONG>{50, 60, 7, 8}));
  dc = GetDC(second);
  EXPECT_NE(GetPixel(dc, 0, 0), RGB(9, 8, 7)) << "nothing drawn on the window that went";
  ReleaseDC(second, dc);
  ShowWindow(second, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(second));

  DestroyWindow(second);
  // The owner goes too, and with it whatever of its popups the layer kept.
  form.Unload();
  vb::DoEvents();
  const HWND third = CreateWindowExA(ex, "Shade", u"", WS_POPUP | WS_VISIBLE, 5, 5, 3, 3, 0, 0, 0, nullptr);
  ASSERT_NE(third, 0);
  EXPECT_TRUE(IsWindowVisible(third));
  DestroyWindow(third);
}

TEST(PopupWindows, ADisabledContainerStopsInputWithoutGreyingWhatItHolds) {
  frmOwner form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const HWND list = form.holder.cboList.hWnd();
  const COLORREF before = vb::testing::WindowPicturePixel(list, 8, 8);
  form.holder.Enabled(false);
  vb::DoEvents();
  EXPECT_FALSE(form.holder.Enabled());
  EXPECT_FALSE(IsWindowEnabled(form.holder.hWnd()));
  EXPECT_TRUE(form.holder.cboList.Enabled()) << "the list keeps its own setting";
  EXPECT_EQ(vb::testing::WindowPicturePixel(list, 8, 8), before) << "and its looks";
  hookedClicks = 0;
  const HHOOK hook = SetWindowsHookExA(WH_MOUSE, &CountClicks, 0, GetCurrentThreadId());
  platform::testing::Click(form.holder.hWnd(), 190, 5);
  EXPECT_EQ(form.holder.mouseDowns, 0) << "no input reaches a disabled window";
  EXPECT_EQ(hookedClicks, 1) << "the thread's mouse hook still sees the click";
  form.holder.Enabled(true);
  EXPECT_TRUE(IsWindowEnabled(form.holder.hWnd()));
  platform::testing::Click(form.holder.hWnd(), 190, 5);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(form.holder.mouseDowns, 1);
  // The window-level call does the same.
  EXPECT_EQ(EnableWindow(form.holder.hWnd(), FALSE), FALSE) << "it was enabled";
  EXPECT_EQ(EnableWindow(form.holder.hWnd(), TRUE), TRUE) << "it was disabled";
  form.Unload();
}

TEST(PopupWindows, KeyStateIsTheKeyHeldNowAndAltGrIsNotAlt) {
  frmOwner form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const HWND edit = form.txtEdit.hWnd();
  platform::testing::KeyDown(edit, VK_CONTROL);
  EXPECT_NE(GetAsyncKeyState(VK_CONTROL), 0);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  platform::testing::KeyUp(edit, VK_CONTROL);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
  platform::testing::KeyDown(edit, VK_RMENU);
  EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0) << "AltGr types; it is not the menu key";
  platform::testing::KeyUp(edit, VK_RMENU);
  platform::testing::KeyDown(edit, VK_MENU);
  EXPECT_NE(GetAsyncKeyState(VK_MENU), 0);
  // Keys held when the application loses the keyboard are not held any more for it.
  platform::testing::SetApplicationActive(false);
  EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);
  platform::testing::SetApplicationActive(true);
  form.Unload();
}

TEST(PopupWindows, TheFormHearsOfActivationAndDesktopSettingChanges) {
  WNDCLASSA wc;
  wc.lpszClassName = "ActivationProbe";
  wc.lpfnWndProc = &Recorder;
  RegisterClassA(wc);
  const HWND h = CreateWindowExA(0, "ActivationProbe", u"probe", WS_OVERLAPPED, 10, 10, 200, 100, 0, 0, 0, nullptr);
  platform::testing::ShowAndWait(h);
  received.clear();
  platform::testing::SetApplicationActive(false);
  platform::testing::SetApplicationActive(true);
  platform::testing::ChangeDesktopSettings();
  EXPECT_EQ(received, (std::vector<std::pair<UINT, WPARAM>>{{WM_ACTIVATEAPP, FALSE}, {WM_ACTIVATEAPP, TRUE},
                                                             {WM_SETTINGCHANGE, 0}}));
  EXPECT_FALSE(IsIconic(h));
  ShowWindow(h, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(h));
  DestroyWindow(h);
}
