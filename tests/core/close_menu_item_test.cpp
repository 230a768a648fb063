// Taking Close out of a window's menu: the user can no longer close the window, the program can.
#include "core/close_menu_item.h"

#include <gtest/gtest.h>

#include "platform/testing/win.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/system_menu.h"

namespace {

class frmPlain : public vb::Form {
 public:
  int queries = 0;

 protected:
  void Form_QueryUnload(int&, int) override { ++queries; }
};

}  // namespace

TEST(RemoveCloseMenuItem, LeavesTheFiveWindowCommandsAndStopsTheUsersClose) {
  frmPlain form;
  form.Show();
  modGeneral::RemoveCloseMenuItem(form.hWnd());
  const win::HMENU menu = win::GetSystemMenu(form.hWnd(), win::FALSE);
  ASSERT_EQ(win::GetMenuItemCount(menu), 5);
  EXPECT_EQ(win::GetMenuItemID(menu, 4), win::SC_MAXIMIZE);

  modGeneral::RemoveCloseMenuItem(form.hWnd());
  EXPECT_EQ(win::GetMenuItemCount(menu), 5) << "a second call finds no items at 6 and 5";

  platform::testing::CloseByUser(form.hWnd());
  EXPECT_EQ(form.queries, 0);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.Unload());
  vb::DoEvents();
}
