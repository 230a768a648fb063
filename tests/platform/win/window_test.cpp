#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"

using namespace win;

namespace {

struct Seen {
  UINT msg;
  WPARAM w;
  LPARAM l;
};
std::vector<Seen> seen;

LRESULT CALLBACK_Recorder(HWND h, UINT msg, WPARAM w, LPARAM l) {
  seen.push_back({msg, w, l});
  return DefWindowProc(h, msg, w, l);
}

HWND MakeWindow(LONG style = WS_POPUP, HWND parent = 0) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc;
    wc.lpszClassName = "TestRecorder";
    wc.lpfnWndProc = &CALLBACK_Recorder;
    RegisterClassA(wc);
    registered = true;
  }
  return CreateWindowExA(0, "TestRecorder", u"", style, 0, 0, 100, 50, parent, 0, 0, nullptr);
}

}  // namespace

TEST(Windows, HandlesAreNeverReusedAndDestroyedWindowsAreGone) {
  HWND a = MakeWindow();
  ASSERT_NE(a, 0);
  ASSERT_TRUE(DestroyWindow(a));
  EXPECT_FALSE(IsWindow(a));
  HWND b = MakeWindow();
  EXPECT_GT(b, a);
  DestroyWindow(b);
}

TEST(Windows, DestroySendsDestroyToParentThenChildren) {
  HWND parent = MakeWindow();
  HWND child = MakeWindow(WS_CHILD, parent);
  ASSERT_NE(child, 0);
  EXPECT_EQ(GetParent(child), parent);
  seen.clear();
  DestroyWindow(parent);
  std::vector<UINT> destroys;
  for (auto& s : seen)
    if (s.msg == WM_DESTROY) destroys.push_back(s.msg);
  EXPECT_EQ(destroys.size(), 2u);
  EXPECT_FALSE(IsWindow(child));
}

TEST(Windows, AWindowCannotBecomeTheChildOrOwnedWindowOfItselfOrItsDescendants) {
  HWND top = MakeWindow();
  HWND child = MakeWindow(WS_CHILD, top);
  HWND grandchild = MakeWindow(WS_CHILD, child);
  ASSERT_NE(grandchild, 0);
  EXPECT_EQ(SetParent(child, grandchild), 0) << "a child under its own child";
  EXPECT_EQ(SetParent(top, grandchild), 0) << "a window owned by its grandchild";
  EXPECT_EQ(SetParent(child, child), 0);
  EXPECT_EQ(SetWindowLongA(top, GWL_HWNDPARENT, grandchild), 0);
  EXPECT_EQ(GetParent(child), top) << "a refused change leaves the tree as it was";
  EXPECT_EQ(GetParent(top), 0);
  EXPECT_EQ(GetAncestorTopLevel(grandchild), top);
  // Moving a window to another branch is fine.
  HWND other = MakeWindow(WS_CHILD, top);
  EXPECT_EQ(SetParent(grandchild, other), child);
  EXPECT_EQ(GetParent(grandchild), other);
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST(Windows, PropertiesArePointerSizedAndNamesIgnoreCase) {
  HWND h = MakeWindow();
  const LONG_PTR big = static_cast<LONG_PTR>(0x123456789ABCLL);
  EXPECT_TRUE(SetPropA(h, "Listener#1", big));
  EXPECT_EQ(GetPropA(h, "LISTENER#1"), big);
  EXPECT_EQ(RemovePropA(h, "listener#1"), big);
  EXPECT_EQ(GetPropA(h, "Listener#1"), 0);
  EXPECT_FALSE(SetPropA(999999, "x", 1));
  DestroyWindow(h);
}

namespace {
LRESULT Replacement(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_USER + 1) return 42;
  return CallWindowProcA(&CALLBACK_Recorder, h, msg, w, l);
}
}  // namespace

TEST(Windows, ReplacedProcedureSeesMessagesAndReturnsThePreviousOne) {
  HWND h = MakeWindow();
  LONG_PTR old = SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Replacement));
  EXPECT_EQ(old, reinterpret_cast<LONG_PTR>(&CALLBACK_Recorder));
  EXPECT_EQ(SendMessage(h, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Replacement));
  DestroyWindow(h);
}

TEST(Windows, PostedMessagesArriveOnlyThroughTheEventLoopAndNotAfterDestruction) {
  HWND h = MakeWindow();
  seen.clear();
  PostMessage(h, WM_USER + 7, 3, 4);
  EXPECT_TRUE(seen.empty());
  vb::DoEvents();
  // Paints and other events of the toolkit may come too; the posted message comes once.
  std::vector<Seen> posted;
  for (auto& m : seen)
    if (m.msg >= WM_USER) posted.push_back(m);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].msg, WM_USER + 7);
  EXPECT_EQ(posted[0].w, 3u);
  seen.clear();
  PostMessage(h, WM_USER + 8, 0, 0);
  DestroyWindow(h);
  vb::DoEvents();
  for (auto& s : seen) EXPECT_NE(s.msg, WM_USER + 8);
}

TEST(Windows, ForeignWindowsReportAnotherProcess) {
  HWND f = platform::testing::CreateForeignWindow();
  DWORD pid = 0;
  GetWindowThreadProcessId(f, &pid);
  EXPECT_NE(pid, GetCurrentProcessId());
  HWND mine = MakeWindow();
  GetWindowThreadProcessId(mine, &pid);
  EXPECT_EQ(pid, GetCurrentProcessId());
  DestroyWindow(mine);
  DestroyWindow(f);
}

TEST(Windows, WindowTimerRaisesTimerMessageAndStopsWithItsWindow) {
  HWND h = MakeWindow();
  EXPECT_EQ(SetTimer(h, 5, 250, nullptr), 5u);
  seen.clear();
  platform::testing::FireTimer(h, 5);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].msg, WM_TIMER);
  EXPECT_EQ(seen[0].w, 5u);
  DestroyWindow(h);
  EXPECT_FALSE(platform::testing::TimerExists(h, 5));
}

TEST(Windows, CloseFromTheUserDestroysALayerWindowOnlyThroughDefWindowProc) {
  HWND h = MakeWindow(WS_POPUP | WS_VISIBLE);
  seen.clear();
  SendMessage(h, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(h));
}
