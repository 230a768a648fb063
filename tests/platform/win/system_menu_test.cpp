// The window menu and what losing its Close does to closing.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/testing/win.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

using namespace win;

namespace {

std::vector<UINT> Items(HMENU menu) {
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

const std::vector<UINT> kStandard = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};

int closes = 0;
LRESULT CountCloses(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CLOSE) {
    ++closes;
    return 0;
  }
  return DefWindowProc(h, msg, w, l);
}

HWND MakeTopLevel() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc;
    wc.lpszClassName = "TestSystemMenu";
    wc.lpfnWndProc = &CountCloses;
    RegisterClassA(wc);
    registered = true;
  }
  return CreateWindowExA(0, "TestSystemMenu", u"", 0, 0, 0, 120, 80, 0, 0, 0, nullptr);
}

bool HasCloseButton(HWND h) {
  return platform::detail::WidgetOf(h)->windowFlags().testFlag(Qt::WindowCloseButtonHint);
}

class frmClosable : public vb::Form {
 public:
  vb::TextBox txtInput{*this};
  int queries = 0;
  int lastMode = -1;

 protected:
  void Design() override { BorderStyle(vb::vbFixedSingle); }
  void Form_QueryUnload(int&, int mode) override {
    ++queries;
    lastMode = mode;
  }
};

}  // namespace

TEST(SystemMenu, AWindowStartsWithTheStandardItemsAndRevertBringsThemBack) {
  HWND h = MakeTopLevel();
  HMENU menu = GetSystemMenu(h, FALSE);
  ASSERT_NE(menu, 0);
  EXPECT_EQ(GetSystemMenu(h, FALSE), menu) << "the same copy on every call without revert";
  EXPECT_EQ(Items(menu), kStandard);

  EXPECT_TRUE(DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND));
  EXPECT_FALSE(DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND)) << "gone already";
  EXPECT_FALSE(DeleteMenu(menu, 6, MF_BYPOSITION)) << "past the end";
  EXPECT_EQ(GetMenuItemCount(menu), 6);

  EXPECT_EQ(GetSystemMenu(h, TRUE), 0);
  EXPECT_EQ(GetMenuItemCount(menu), -1) << "the reverted copy is gone";
  HMENU fresh = GetSystemMenu(h, FALSE);
  EXPECT_EQ(Items(fresh), kStandard);

  HWND child = CreateWindowExA(0, "TestSystemMenu", u"", WS_CHILD, 0, 0, 10, 10, h, 0, 0, nullptr);
  EXPECT_EQ(GetSystemMenu(child, FALSE), 0) << "child windows have no window menu";
  DestroyWindow(h);
  EXPECT_EQ(GetMenuItemCount(fresh), -1) << "a menu goes with its window";
  EXPECT_FALSE(DeleteMenu(fresh, 0, MF_BYPOSITION));
}

TEST(SystemMenu, DeletingSixThenFiveTakesCloseAndTheSeparatorAbove) {
  HWND h = MakeTopLevel();
  HMENU menu = GetSystemMenu(h, FALSE);
  EXPECT_TRUE(DeleteMenu(menu, 6, MF_BYPOSITION));
  EXPECT_TRUE(DeleteMenu(menu, 5, MF_BYPOSITION));
  EXPECT_EQ(Items(menu), (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}));
  DestroyWindow(h);
}

TEST(SystemMenu, WithoutCloseTheUserCannotCloseAWindowButTheProgramCan) {
  HWND h = MakeTopLevel();
  platform::testing::ShowAndWait(h);
  closes = 0;
  platform::testing::CloseByUser(h);
  SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(closes, 2) << "with Close in its menu, the frame and the menu command close";
  EXPECT_TRUE(HasCloseButton(h));

  DeleteMenu(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_FALSE(HasCloseButton(h)) << "the close button goes with the item";
  EXPECT_TRUE(IsWindowVisible(h)) << "changing the frame leaves the window shown";
  closes = 0;
  platform::testing::CloseByUser(h);
  SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(closes, 0);
  SendMessageA(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1) << "the program's own close still arrives";

  GetSystemMenu(h, TRUE);
  EXPECT_TRUE(HasCloseButton(h)) << "revert gives the button back";
  closes = 0;
  platform::testing::CloseByUser(h);
  EXPECT_EQ(closes, 1);
  DestroyWindow(h);
}

TEST(SystemMenu, AltF4ClosesAFormFromAnyOfItsControlsUnlessCloseIsGone) {
  frmClosable form;
  form.Show();
  platform::testing::KeyClick(form.txtInput.hWnd(), VK_F4, platform::testing::kAlt);
  EXPECT_EQ(form.queries, 1);
  EXPECT_EQ(form.lastMode, vb::vbFormControlMenu) << "closed as by its control menu";
  EXPECT_FALSE(form.IsLoaded());

  form.Show();
  DeleteMenu(GetSystemMenu(form.hWnd(), FALSE), 6, MF_BYPOSITION);
  EXPECT_FALSE(HasCloseButton(form.hWnd()));
  form.queries = 0;
  platform::testing::KeyClick(form.txtInput.hWnd(), VK_F4, platform::testing::kAlt);
  platform::testing::KeyClick(form.txtInput.hWnd(), VK_F4, platform::testing::kAlt);
  platform::testing::CloseByUser(form.hWnd());
  EXPECT_EQ(form.queries, 0);
  EXPECT_TRUE(form.Visible());
  platform::testing::KeyClick(form.txtInput.hWnd(), VK_F4);
  EXPECT_TRUE(form.Visible()) << "F4 alone is a plain key";

  form.ControlBox(true);
  EXPECT_FALSE(HasCloseButton(form.hWnd())) << "a new frame keeps the button off";
  EXPECT_TRUE(form.Unload()) << "the program may still unload it";
  vb::DoEvents();
}

TEST(SystemMenu, TopLevelWindowsAreListedFrontToBack) {
  HWND back = MakeTopLevel();
  HWND front = MakeTopLevel();
  HWND child = CreateWindowExA(0, "TestSystemMenu", u"", WS_CHILD, 0, 0, 10, 10, back, 0, 0, nullptr);
  platform::testing::ShowAndWait(back);
  platform::testing::ShowAndWait(front);
  SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  std::vector<HWND> seen;
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  auto at = [&](HWND h) { return std::find(seen.begin(), seen.end(), h) - seen.begin(); };
  EXPECT_LT(at(back), at(front)) << "raised last, listed first";
  EXPECT_EQ(at(child), static_cast<long>(seen.size())) << "only top-level windows";
  int calls = 0;
  EnumWindows([](HWND, LPARAM l) -> BOOL { return ++*reinterpret_cast<int*>(l), FALSE; }, reinterpret_cast<LPARAM>(&calls));
  EXPECT_EQ(calls, 1) << "FALSE stops the listing";
  DestroyWindow(back);
  DestroyWindow(front);
}
