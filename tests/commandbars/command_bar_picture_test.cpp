// Pictures of the host window with its menus open, for a person to look at: in each of the four
// styles, a drop-down with its sub-menu, a context menu and the chevron menu with its lists
// (command_bars_style<N>_<menu>.png in the build tree); each checked for where its menus stand, their
// frames and joining line, and the colours of their items' captions and marks.
#include <gtest/gtest.h>

#include <string>

#include "command_bar_host.h"
#include "commandbars/command_bars.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"
#include "support_menus.h"

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

// The popup host in use that shows the bar, or null.
kestCommandBar* PopupShowing(std::u16string_view bar) {
  for (win::HWND h : mCommandBars::LiveControls())
    if (auto* c = mCommandBars::FindControl(h); c && c->IsPopupInstance() && c->ToolbarKey() == bar && c->InUse()) return c;
  return nullptr;
}

// Takes the picture before the event loop runs: the offscreen platform activates every window it
// shows, the menus' shadows too, and a form that loses activation closes its menus.
qmtest::ScreenShot Save(frmHost& form, int style, const char* what) {
  qmtest::ScreenShot shot;
  win::GetWindowRect(form.hWnd(), &shot.area);
  shot.area.right += 200;
  shot.area.bottom += 120;
  shot.picture = input::ScreenPicture(shot.area);
  const std::string name = std::string(QM_BINARY_DIR) + "/command_bars_style" + std::to_string(style) + "_" + what + ".png";
  EXPECT_TRUE(input::SavePicture(shot.picture, vb::FromUtf8(name)));
  return shot;
}

}  // namespace

TEST(CommandBarPictures, TheHostWithItsMenusOpenInEachStyle) {
  for (int style = 0; style <= 3; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
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
    kestCommandBar* recent = Hover(*drop, 3);
    ASSERT_NE(recent, nullptr);
    qmtest::ScreenShot shot = Save(form, style, "dropdown");
    qmtest::ExpectDropDownBelow(shot, form.cmdBar(0), 1, *drop);
    qmtest::ExpectItemsCaptioned(shot, *drop);
    qmtest::ExpectBeside(shot, *drop, 3, *recent);
    qmtest::ExpectItemsCaptioned(shot, *recent);
    mCommandBars::LeaveMenuMode();

    // A context menu stands at the point given; its checked item without an icon shows the check
    // box outlined in colour 21.
    win::POINT at{200, 160};
    win::ClientToScreen(form.hWnd(), &at);
    const cCommandBar edit = form.cmdBar(0).CommandBars().Item(u"EDIT");
    form.cmdBar(0).ShowPopupMenu(at.x, at.y, &edit);
    kestCommandBar* context = PopupShowing(u"EDIT");
    ASSERT_NE(context, nullptr);
    shot = Save(form, style, "context");
    const win::RECT place = qmtest::OnScreen(*context);
    EXPECT_EQ(place.left, at.x);
    EXPECT_EQ(place.top, at.y);
    qmtest::ExpectFramed(shot, *context);
    EXPECT_EQ(shot.at((place.left + place.right) / 2, place.top), qmtest::Scheme(13)) << "no joining line";
    qmtest::ExpectItemsCaptioned(shot, *context);
    EXPECT_EQ(shot.Count(qmtest::ItemOnScreen(*context, 1), qmtest::Scheme(21)), 0);
    EXPECT_GT(shot.Count(qmtest::ItemOnScreen(*context, 2), qmtest::Scheme(21)), 0);
    mCommandBars::LeaveMenuMode();

    // The chevron menu at the point given, its list of toolbars beside its first item and the
    // toolbar's add-or-remove list beside that: every button of the toolbar shown, so every entry
    // ticked in a box outlined in colour 21.
    win::POINT chevronAt{150, 30};
    win::ClientToScreen(form.cmdBar(1).hwnd(), &chevronAt);
    form.cmdBar(1).ShowChevronMenu(chevronAt.x, chevronAt.y);
    kestCommandBar* chevron = PopupShowing(u"CHEVRON");
    ASSERT_NE(chevron, nullptr);
    kestCommandBar* bars = Hover(*chevron, 1);
    ASSERT_NE(bars, nullptr);
    kestCommandBar* list = Hover(*bars, 1);
    ASSERT_NE(list, nullptr);
    shot = Save(form, style, "chevron");
    EXPECT_EQ(qmtest::OnScreen(*chevron).left, chevronAt.x);
    EXPECT_EQ(qmtest::OnScreen(*chevron).top, chevronAt.y);
    qmtest::ExpectFramed(shot, *chevron);
    qmtest::ExpectBeside(shot, *chevron, 1, *bars);
    qmtest::ExpectItemsCaptioned(shot, *bars);
    qmtest::ExpectBeside(shot, *bars, 1, *list);
    qmtest::ExpectItemsCaptioned(shot, *list);
    for (int entry = 1; entry <= 4; ++entry)
      EXPECT_GT(shot.Count(qmtest::ItemOnScreen(*list, entry), qmtest::Scheme(21)), 0) << "entry " << entry;
    mCommandBars::LeaveMenuMode();
    form.Unload();
  }
}
