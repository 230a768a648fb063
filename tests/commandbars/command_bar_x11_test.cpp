// Menus under a real X server, clicked with the real pointer (xdotool): a drop-down appears beside
// its menu-bar entry in screen coordinates, a click on its item reaches the host, and it closes.
// ./test.sh runs these under xvfb-run with the xcb platform; elsewhere they are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "command_bar_host.h"
#include "commandbars/command_bars.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"
#include "support_x11.h"

using namespace cbtest;
using qmtest::Eventually;
using qmtest::OnX11;
namespace mCommandBars = commandbars::mCommandBars;

namespace {

bool ClickAt(win::POINT p) {
  const std::string command =
      "xdotool mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1";
  return std::system(command.c_str()) == 0;
}

win::POINT ScreenCentre(kestCommandBar& c, int index) {
  const commandbars::cDisplayButtonInfo& r = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
  win::POINT p{(r.left + r.Right) / 2, (r.tOp + r.Bottom) / 2};
  win::ClientToScreen(c.hwnd(), &p);
  return p;
}

}  // namespace

TEST(CommandBarOnX11, AClickedMenuOpensBesideItsEntryAndItsItemReachesTheHost) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmHost form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  kestCommandBar& menu = form.cmdBar(0);
  ASSERT_TRUE(Eventually([&] { return !menu.DisplayInfo().empty(); }));

  ASSERT_TRUE(ClickAt(ScreenCentre(menu, 1)));
  ASSERT_TRUE(Eventually([&] {
    kestCommandBar* drop = mCommandBars::FindControl(menu.MenuOfItem(1));
    return drop != nullptr && win::IsWindowVisible(drop->hwnd());
  })) << "the drop-down did not open";
  kestCommandBar* drop = mCommandBars::FindControl(menu.MenuOfItem(1));
  const commandbars::cDisplayButtonInfo& r = menu.DisplayInfo()[0];
  win::POINT corner{r.left, r.Bottom};
  win::ClientToScreen(menu.hwnd(), &corner);
  // The X server's own idea of where the window is.
  ASSERT_TRUE(Eventually([&] {
    win::RECT w;
    win::GetWindowRect(drop->hwnd(), &w);
    return w.left == corner.x + 1 && w.top == corner.y - 2;
  })) << "the drop-down is not beside its entry";

  ASSERT_TRUE(ClickAt(ScreenCentre(*drop, 2)));
  ASSERT_TRUE(Eventually([&] { return form.Count(u"click", u"FILE:OPEN") == 1; })) << "the item's click did not arrive";
  EXPECT_EQ(form.Count(u"click"), 1);
  EXPECT_TRUE(Eventually([&] { return !win::IsWindowVisible(drop->hwnd()); }));
  EXPECT_FALSE(mCommandBars::InMenuMode());
  form.Unload();
}
