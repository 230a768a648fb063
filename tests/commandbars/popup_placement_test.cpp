// Where popup menus stand: beside their item, above it when there is no room below, on the other
// side when a sub-menu would pass the work area's edge, and context and chevron menus kept inside
// the work area of the monitor they open on.
#include <gtest/gtest.h>

#include "command_bar_host.h"
#include "commandbars/command_bars.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/monitor.h"
#include "platform/win/window.h"

using namespace cbtest;
namespace mCommandBars = commandbars::mCommandBars;
namespace input = platform::testing;

namespace {

class PopupPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    input::ShowAndWait(form.hWnd());
  }
  void TearDown() override {
    mCommandBars::LeaveMenuMode();
    form.Unload();
    input::SetMonitorProvider(nullptr);
  }
  // One monitor whose work area ends at the given right and bottom edges (screen pixels).
  static void WorkArea(int right, int bottom) {
    input::SetMonitorProvider([right, bottom] {
      input::Monitor m;
      m.bounds = win::RECT{0, 0, right, bottom + 40};
      m.work = win::RECT{0, 0, right, bottom};
      m.primary = true;
      m.name = u"\\\\.\\DISPLAY1";
      return std::vector<input::Monitor>{m};
    });
  }
  static win::RECT ItemOnScreen(kestCommandBar& c, int index) {
    const commandbars::cDisplayButtonInfo& r = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
    win::POINT a{r.left, r.tOp}, b{r.Right, r.Bottom};
    win::ClientToScreen(c.hwnd(), &a);
    win::ClientToScreen(c.hwnd(), &b);
    return win::RECT{a.x, a.y, b.x, b.y};
  }
  static win::RECT Rect(kestCommandBar* c) {
    win::RECT r{};
    win::GetWindowRect(c->hwnd(), &r);
    return r;
  }
  kestCommandBar* OpenFile() {
    const win::RECT item = ItemOnScreen(form.cmdBar(0), 1);
    win::POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    win::ScreenToClient(form.cmdBar(0).hwnd(), &p);
    input::Click(form.cmdBar(0).hwnd(), p.x, p.y);
    return mCommandBars::FindControl(form.cmdBar(0).MenuOfItem(1));
  }
  frmHost form;
};

}  // namespace

TEST_F(PopupPlacement, ADropDownWithoutRoomBelowOpensAboveItsButtonAndAStyle3OneSitsOnItsEdges) {
  const win::RECT item = ItemOnScreen(form.cmdBar(0), 1);
  WorkArea(4000, item.bottom + 20);  // far too little room below the menu bar
  kestCommandBar* file = OpenFile();
  ASSERT_NE(file, nullptr);
  const win::RECT r = Rect(file);
  if (r.bottom - r.top <= item.top) {
    EXPECT_EQ(r.bottom, item.top + 2) << "its bottom two pixels below the button's top";
    EXPECT_EQ(file->PopupPlacement(), 3);
  } else {
    EXPECT_EQ(r.top, 0) << "pushed down onto the work area's top";
  }
  mCommandBars::LeaveMenuMode();
  input::SetMonitorProvider(nullptr);
  form.cmdBar(0).Style(3);
  file = OpenFile();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Rect(file).left, item.left);
  EXPECT_EQ(Rect(file).top, item.bottom);
  EXPECT_EQ(form.cmdBar(0).Style(), 3) << "the new popup instance applied no saved style";
}

TEST_F(PopupPlacement, ASubMenuPastTheRightEdgeOpensToTheLeftOverlappingByOnePixel) {
  kestCommandBar* file = OpenFile();
  ASSERT_NE(file, nullptr);
  const win::RECT menu = Rect(file);
  WorkArea(menu.right + 20, 4000);
  const win::RECT item = ItemOnScreen(*file, 3);
  win::POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  win::ScreenToClient(file->hwnd(), &p);
  input::MouseMove(file->hwnd(), p.x, p.y);
  input::FireTimer(file->hwnd(), 1);
  kestCommandBar* recent = mCommandBars::FindControl(file->MenuOfItem(3));
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(Rect(recent).right, item.left + 1);
  EXPECT_EQ(recent->PopupPlacement(), 2);
}

TEST_F(PopupPlacement, ContextAndChevronMenusStayInsideTheWorkArea) {
  WorkArea(900, 700);
  const cCommandBar file = form.cmdBar(0).CommandBars().Item(u"FILE");
  form.cmdBar(0).ShowPopupMenu(880, 690, &file);
  kestCommandBar* popup = nullptr;
  for (win::HWND h : mCommandBars::LiveControls())
    if (auto* c = mCommandBars::FindControl(h); c && c->IsPopupInstance() && c->InUse()) popup = c;
  ASSERT_NE(popup, nullptr);
  win::RECT r = Rect(popup);
  EXPECT_EQ(r.right, 900);
  EXPECT_EQ(r.bottom, 700);
  mCommandBars::LeaveMenuMode();
  form.cmdBar(1).ShowChevronMenu(-50, -50);
  popup = nullptr;
  for (win::HWND h : mCommandBars::LiveControls())
    if (auto* c = mCommandBars::FindControl(h); c && c->IsPopupInstance() && c->InUse()) popup = c;
  ASSERT_NE(popup, nullptr);
  r = Rect(popup);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
}
