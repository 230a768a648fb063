// What a picture of the screen must show of the command-bar toolkit's menus: each popup beside the
// item that opened it, framed in the scheme's border colour and joined to its menu title, and every
// item captioned in the text colour of its state. The positions are the popups' placement rules;
// the colours are the scheme's, read through its colour functions for the style in force.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "commandbars/colour_scheme.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/monitor.h"
#include "commandbars/object_model.h"
#include "platform/testing/picture.h"
#include "platform/vb/strings.h"
#include "support_gdi.h"

namespace qmtest {

// A picture of the screen over `area` (screen pixels), read in screen coordinates.
struct ScreenShot {
  platform::testing::Picture picture;
  win::RECT area{};
  win::COLORREF at(int x, int y) const { return picture.at(x - area.left, y - area.top); }
  int Count(const win::RECT& r, win::COLORREF c) const {
    return picture.Count(win::RECT{r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top}, c);
  }
};

inline win::COLORREF Scheme(int index) { return static_cast<win::COLORREF>(commandbars::SchemeColour(index)); }

// Item `index` (1-based) of a command-bar control, on the screen.
inline win::RECT ItemOnScreen(commandbars::kestCommandBar& c, int index) {
  const commandbars::cDisplayButtonInfo& d = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
  win::POINT origin{0, 0};
  win::ClientToScreen(c.hwnd(), &origin);
  return win::RECT{origin.x + d.left, origin.y + d.tOp, origin.x + d.Right, origin.y + d.Bottom};
}

inline win::RECT OnScreen(commandbars::kestCommandBar& c) { return RectIn(c.hwnd(), 0); }

// The popup's border in colour 13 down its sides (by its lowest rows, which a sub-menu opened to
// the left leaves uncovered) and along its bottom.
inline void ExpectFramed(const ScreenShot& s, commandbars::kestCommandBar& menu) {
  const win::RECT r = OnScreen(menu);
  const int midX = (r.left + r.right) / 2;
  EXPECT_EQ(s.at(r.left, r.bottom - 3), Scheme(13)) << "left edge";
  EXPECT_EQ(s.at(r.right - 1, r.bottom - 3), Scheme(13)) << "right edge";
  EXPECT_EQ(s.at(midX, r.bottom - 1), Scheme(13)) << "bottom edge";
}

// A drop-down opened from item `index` of a horizontal bar: its top-left corner one pixel right of
// the title's left edge and two pixels above its bottom (in style 3 at the title's left and bottom
// edges), framed and, but in style 3, joined to the title by a line of colour 17 over its top edge
// from one pixel past the corner to the title's far end; the title framed in colour 13 while it
// shows its menu.
inline void ExpectDropDownBelow(const ScreenShot& s, commandbars::kestCommandBar& bar, int index,
                                commandbars::kestCommandBar& menu) {
  const win::RECT title = ItemOnScreen(bar, index);
  const win::RECT r = OnScreen(menu);
  const bool s3 = commandbars::CommandBarStyle() == 3;
  EXPECT_EQ(r.left, title.left + (s3 ? 0 : 1));
  EXPECT_EQ(r.top, title.bottom - (s3 ? 0 : 2));
  ExpectFramed(s, menu);
  if (s3) {
    EXPECT_EQ(s.at((title.left + title.right) / 2, r.top), Scheme(13)) << "no joining line";
    return;
  }
  EXPECT_EQ(s.at(r.left, r.top), Scheme(13)) << "the corner";
  EXPECT_EQ(s.at(r.left + 1, r.top), Scheme(17)) << "the joining line's start";
  EXPECT_EQ(s.at(title.right - 3, r.top), Scheme(17)) << "the joining line's end";
  if (r.right > title.right + 2) {
    EXPECT_EQ(s.at(title.right + 1, r.top), Scheme(13)) << "past the title";
  }
  EXPECT_EQ(s.at(title.left + 1, (title.top + title.bottom) / 2), Scheme(13)) << "the title's frame";
}

// A sub-menu opened from item `index` of a menu: beside the item, overlapping the menu's edge by one
// pixel and starting one pixel above the item; on the right when it fits in the monitor's work area,
// else on the left.
inline void ExpectBeside(const ScreenShot& s, commandbars::kestCommandBar& menu, int index,
                         commandbars::kestCommandBar& sub) {
  const win::RECT item = ItemOnScreen(menu, index);
  const win::RECT r = OnScreen(sub);
  commandbars::cMonitor monitor;
  monitor.CreateFromPoint(item.right, item.top);
  EXPECT_EQ(r.top, item.top - 1);
  if (item.right - 1 + (r.right - r.left) <= monitor.WorkLeft() + monitor.WorkWidth()) {
    EXPECT_EQ(r.left, item.right - 1) << "on the right";
  } else {
    EXPECT_EQ(r.right, item.left + 1) << "on the left";
  }
  ExpectFramed(s, sub);
}

// Every item of a popup with its caption in the colour of its state: 16 for a disabled button, 15
// for the highlighted one or one showing its sub-menu, else 14; a separator's line in colour 28.
inline void ExpectItemsCaptioned(const ScreenShot& s, commandbars::kestCommandBar& menu) {
  const commandbars::cCommandBarButtons buttons = menu.CommandBars().Item(menu.ToolbarKey()).Buttons();
  for (int i = 1; i <= buttons.count(); ++i) {
    const commandbars::cButton button = buttons.Item(i);
    const commandbars::cDisplayButtonInfo& d = menu.DisplayInfo().at(static_cast<std::size_t>(i - 1));
    const int colour = button.Caption().empty() ? 28
                       : !button.Enabled()      ? 16
                       : d.mouseOver || d.ShowingMenu ? 15
                                                      : 14;
    EXPECT_GT(s.Count(ItemOnScreen(menu, i), Scheme(colour)), 0) << vb::ToUtf8(button.Key()) << " in colour " << colour;
  }
}

}  // namespace qmtest
