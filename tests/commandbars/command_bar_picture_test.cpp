// Pictures of the host window with its menus open, for a person to look at: in each of the four
// styles, a drop-down with its sub-menu, a context menu and the chevron menu with its lists
// (command_bars_style<N>_<menu>.png in the build tree).
#include <gtest/gtest.h>

#include <string>

#include "command_bar_host.h"
#include "commandbars/command_bars.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

using namespace cbtest;
namespace mCommandBars = commandbars::mCommandBars;
namespace input = platform::testing;

namespace {

win::POINT Centre(kestCommandBar& c, int index) {
  const commandbars::cDisplayButtonInfo& r = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
  return win::POINT{(r.left + r.Right) / 2, (r.tOp + r.Bottom) / 2};
}

kestCommandBar* MenuOf(kestCommandBar& c, int index) { return mCommandBars::FindControl(c.MenuOfItem(index)); }

// Opens the sub-menu of the item at index as the mouse does: hover, then the timer.
kestCommandBar* Hover(kestCommandBar& c, int index) {
  const win::POINT p = Centre(c, index);
  input::MouseMove(c.hwnd(), p.x, p.y);
  input::FireTimer(c.hwnd(), 1);
  return MenuOf(c, index);
}

bool Save(frmHost& form, int style, const char* what) {
  win::RECT area;
  win::GetWindowRect(form.hWnd(), &area);
  area.right += 200;
  area.bottom += 120;
  const std::string name = std::string(QM_BINARY_DIR) + "/command_bars_style" + std::to_string(style) + "_" + what + ".png";
  return input::SaveScreenPicture(area, vb::FromUtf8(name));
}

}  // namespace

TEST(CommandBarPictures, TheHostWithItsMenusOpenInEachStyle) {
  for (int style = 0; style <= 3; ++style) {
    frmHost form;
    form.Show();
    input::ShowAndWait(form.hWnd());
    form.cmdBar(0).Style(style);
    form.cmdBar(0).Buttons().Item(u"EDIT:WRAP").Checked(true);
    form.cmdBar(0).Buttons().Item(u"FILE:PRINT").Enabled(false);
    form.cmdBar(1).Width(2400);  // the last buttons go to the chevron

    const win::POINT file = Centre(form.cmdBar(0), 1);
    input::Click(form.cmdBar(0).hwnd(), file.x, file.y);
    kestCommandBar* drop = MenuOf(form.cmdBar(0), 1);
    ASSERT_NE(drop, nullptr);
    ASSERT_NE(Hover(*drop, 3), nullptr);
    EXPECT_TRUE(Save(form, style, "dropdown"));
    mCommandBars::LeaveMenuMode();

    win::POINT at{200, 160};
    win::ClientToScreen(form.hWnd(), &at);
    const cCommandBar edit = form.cmdBar(0).CommandBars().Item(u"EDIT");
    form.cmdBar(0).ShowPopupMenu(at.x, at.y, &edit);
    EXPECT_TRUE(Save(form, style, "context"));
    mCommandBars::LeaveMenuMode();

    win::POINT chevronAt{150, 30};
    win::ClientToScreen(form.cmdBar(1).hwnd(), &chevronAt);
    form.cmdBar(1).ShowChevronMenu(chevronAt.x, chevronAt.y);
    kestCommandBar* chevron = nullptr;
    for (win::HWND h : mCommandBars::LiveControls())
      if (auto* c = mCommandBars::FindControl(h); c && c->IsPopupInstance() && c->ToolbarKey() == u"CHEVRON" && c->InUse())
        chevron = c;
    ASSERT_NE(chevron, nullptr);
    kestCommandBar* bar = Hover(*chevron, 1);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(Hover(*bar, 1), nullptr);
    EXPECT_TRUE(Save(form, style, "chevron"));
    mCommandBars::LeaveMenuMode();
    form.Unload();
  }
}
