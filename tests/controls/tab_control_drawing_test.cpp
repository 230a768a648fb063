// The tab strip's drawing: the display area its tabs leave, the platform's painting in the
// classic colours, flat frames, owner-drawn tabs, scrolling arrows and a picture of the strip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/tab_control.h"
#include <limits>
#include <string>
#include <vector>
#include "controls/tab_strip.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/testing/vb.h"
#include "platform/win/keys.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"
#include "support_gdi.h"
#include "tab_control_fixture.h"

using namespace win;
using qmtest::frmTabs;
using qmtest::TabControlTest;
using qmtest::kKeys;
using qmtest::kPages;

TEST_F(TabControlTest, TheDisplayAreaIsWhatTheTabsLeave) {
  form.Show();
  AddEight();
  form.tabs.Move(300, 600, 4500, 3000);
  vb::DoEvents();
  const RECT first = ItemRect(0);
  // Left, right and bottom 4 pixels inside the frame, the top 4 below the row of tabs.
  EXPECT_FLOAT_EQ(form.tabs.ClientLeft(), 300 + 4 * 15);
  EXPECT_FLOAT_EQ(form.tabs.ClientTop(), 600 + (first.bottom + 4) * 15);
  EXPECT_FLOAT_EQ(form.tabs.ClientWidth(), 4500 - 8 * 15);
  EXPECT_FLOAT_EQ(form.tabs.ClientHeight(), 3000 - (first.bottom + 8) * 15);
  // A strip too narrow for its tabs in one row puts them in several when it may.
  form.tabs.MultiLine(true);
  EXPECT_GT(SendMessageA(Tab(), TCM_GETROWCOUNT, 0, 0), 1);
  EXPECT_GT(form.tabs.ClientTop(), 600 + (first.bottom + 4) * 15);
}

TEST_F(TabControlTest, ThePlatformPaintsTabsAndFrameInTheClassicColours) {
  form.stripWidth = 9000;  // 600 by 200 pixels: every tab fits
  AddEight();
  form.tabs.SelectTab(2, true);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
  const RECT first = ItemRect(0), sel = ItemRect(1);
  EXPECT_EQ(first.left, 2);
  EXPECT_EQ(first.top, 2);
  EXPECT_EQ(sel.left, first.right);
  const int frameTop = first.bottom;
  // The frame: a highlight top and left, a shadow and dark shadow right and bottom.
  EXPECT_EQ(PixelAfterPaint(0, frameTop + 10), light);
  EXPECT_EQ(PixelAfterPaint(599, frameTop + 10), dark);
  EXPECT_EQ(PixelAfterPaint(598, frameTop + 10), shadow);
  EXPECT_EQ(PixelAfterPaint(300, 199), dark);
  EXPECT_EQ(PixelAfterPaint(300, 198), shadow);
  EXPECT_EQ(PixelAfterPaint(300, frameTop), light);
  // An unselected tab: highlight left and top with a cut corner, shadows at the right.
  EXPECT_EQ(PixelAfterPaint(first.left, first.top + 5), light);
  EXPECT_EQ(PixelAfterPaint(first.left + 1, first.top + 1), light);
  EXPECT_EQ(PixelAfterPaint(first.left, first.top), face);
  EXPECT_EQ(PixelAfterPaint(first.left + 5, first.top), light);
  const RECT third = ItemRect(2);
  EXPECT_EQ(PixelAfterPaint(third.right - 1, third.top + 5), dark);
  EXPECT_EQ(PixelAfterPaint(third.right - 2, third.top + 5), shadow);
  // The selected tab stands 2 pixels higher and wider and opens into the frame.
  EXPECT_EQ(PixelAfterPaint(sel.left - 2, sel.top + 2), light);
  EXPECT_EQ(PixelAfterPaint(sel.left + 5, sel.top - 2), light);
  EXPECT_EQ(PixelAfterPaint(sel.right + 1, sel.top + 2), dark);
  EXPECT_EQ(PixelAfterPaint(sel.left + 5, frameTop), face);
  EXPECT_EQ(PixelAfterPaint(first.left + 5, frameTop), light);
}

TEST_F(TabControlTest, CoolFramesRegisterAtOnceAndPaintFlatEdges) {
  form.stripWidth = 9000;
  AddEight();
  const std::string paintCount = std::to_string(Tab()) + "#15C";
  EXPECT_EQ(GetPropA(Tab(), paintCount), 0);
  form.tabs.CoolTabs(1);
  EXPECT_EQ(GetPropA(Tab(), paintCount), 1);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Tabs at the top: the frame's right and bottom lines become button face.
  EXPECT_EQ(PixelAfterPaint(599, 100), face);
  EXPECT_EQ(PixelAfterPaint(300, 199), face);
  // Each tab: highlight corner pixels at its left, a face and a shadow line at its right.
  const RECT second = ItemRect(1);  // follows the selected first tab: its left edge is left out
  const RECT third = ItemRect(2);
  EXPECT_EQ(PixelAfterPaint(third.left, third.top), light);
  EXPECT_EQ(PixelAfterPaint(third.left + 1, third.top + 1), face);
  EXPECT_EQ(PixelAfterPaint(third.right - 2, third.top + 5), face);
  EXPECT_EQ(PixelAfterPaint(third.right - 1, third.top + 5), shadow);
  EXPECT_EQ(PixelAfterPaint(second.right - 1, second.top + 5), shadow);
  form.tabs.CoolTabs(0);
  EXPECT_EQ(GetPropA(Tab(), paintCount), 0);
  EXPECT_EQ(PixelAfterPaint(599, 100), GetSysColor(COLOR_3DDKSHADOW));

  // Mode 2: the row right of the selected tab is shaded in its outer and inner strips, and so is
  // the space right of the last tab.
  form.tabs.CoolTabs(2);
  const RECT sel = ItemRect(0), last = ItemRect(7);
  EXPECT_EQ(PixelAfterPaint(sel.right + 5, 1), shadow);
  EXPECT_EQ(PixelAfterPaint(sel.right + 5, sel.bottom - 1), shadow);
  EXPECT_EQ(PixelAfterPaint(last.right + 3, last.top + 5), shadow);
  EXPECT_EQ(PixelAfterPaint(sel.left + 5, sel.top + 5), face);

  // Mode 1 with the tabs at the bottom: the frame's right edge in face and shadow down to the row.
  form.tabs.CoolTabs(1);
  form.tabs.TabAlign(2);
  form.tabs.Rebuild();
  const RECT bottom = ItemRect(0);
  EXPECT_GT(bottom.top, 100);
  EXPECT_EQ(PixelAfterPaint(598, 10), face);
  EXPECT_EQ(PixelAfterPaint(599, 10), shadow);
  EXPECT_EQ(PixelAfterPaint(300, bottom.top - 2), face);
}

TEST_F(TabControlTest, OwnerDrawnTabsAreTheHostsOrDrawnByDefault) {
  form.design = [](vb::PropertyBag& bag) { bag.WriteProperty(u"OwnerDraw", true, false); };
  int measured = 0;
  form.tabs.MeasureItem = [&](std::int32_t, std::int32_t& w, std::int32_t&, bool& doDefault) {
    ++measured;
    w = 90;
    doDefault = false;
  };
  form.stripWidth = 9000;
  AddEight();
  EXPECT_EQ(ItemRect(0).right - ItemRect(0).left, 90);
  EXPECT_GT(measured, 0);
  // The host paints tab 1 red and leaves the rest to the default drawing.
  const HIMAGELIST list = ImageList_Create(16, 16, 0x21, 4, 4);
  const HDC screen = GetDC(0);
  const HDC mem = CreateCompatibleDC(screen);
  const HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  const HGDIOBJ old = SelectObject(mem, bmp);
  const RECT all{0, 0, 16, 16};
  const HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(mem, &all, blue);
  SelectObject(mem, old);
  ImageList_AddMasked(list, bmp, RGB(255, 0, 255));
  form.tabs.ImageList(list);
  form.tabs.TabImage(2, 0);
  form.tabs.TabImage(3, 0);
  std::vector<RECT> given(8);
  form.tabs.DrawItem = [&](std::int32_t i, HDC dc, bool sel, bool, std::int32_t& l, std::int32_t& t, std::int32_t& r,
                           std::int32_t& b, bool& doDefault) {
    given[i] = RECT{l, t, r, b};
    if (i == 0) {
      const RECT area{l, t, r, b};
      const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(dc, &area, red);
      DeleteObject(red);
    } else {
      doDefault = true;
    }
  };
  form.tabs.SelectTab(1, true);
  EXPECT_EQ(PixelAfterPaint(given[0].left + 10, given[0].top + 5), RGB(255, 0, 0));
  // The selected tab's icon sits 6 pixels in, the others' 2 pixels in.
  form.tabs.SelectTab(2, true);
  const int y1 = given[1].top + (given[1].bottom - 1 - given[1].top - 16) / 2 + 8;
  EXPECT_EQ(PixelAfterPaint(given[1].left + 6, y1), RGB(0, 0, 255));
  EXPECT_EQ(PixelAfterPaint(given[1].left + 5, y1), GetSysColor(COLOR_BTNFACE));
  const int y2 = given[2].top + (given[2].bottom - 1 - given[2].top - 16) / 2 + 8;
  EXPECT_EQ(PixelAfterPaint(given[2].left + 2, y2), RGB(0, 0, 255));
  EXPECT_EQ(PixelAfterPaint(given[2].left + 1, y2), GetSysColor(COLOR_BTNFACE));
  form.Terminate();
  DeleteObject(blue);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(0, screen);
  ImageList_Destroy(list);
}

TEST_F(TabControlTest, ASingleRowThatDoesNotFitScrollsWithArrows) {
  form.stripWidth = 3000;  // 200 pixels
  AddEight();
  const RECT last = ItemRect(7);
  EXPECT_GT(last.right, 200);
  form.tabs.SelectTab(8);
  // The selection is scrolled into view, left of the arrows.
  EXPECT_LE(ItemRect(7).right, 200 - 32);
  EXPECT_LT(ItemRect(0).right, 0);
}

// Pictures of the strip in its looks (tab_strip*.png in the build tree), each checked for what it
// must show: a caption in every tab, the selected tab standing out and joined to its page, rows,
// scroll arrows, turned captions, the flat frames and the buttons' edges.
TEST_F(TabControlTest, PictureOfTheStrip) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  platform::testing::Picture picture;
  RECT strip{};  // the tab window in the picture
  const auto look = [&](const char* name) {
    vb::DoEvents();
    picture = vb::testing::WindowPicture(form.hWnd());
    EXPECT_TRUE(platform::testing::SavePicture(picture, vb::FromUtf8(std::string(QM_BINARY_DIR "/") + name)));
    strip = qmtest::RectIn(Tab(), form.hWnd());
  };
  // The picture's pixel at (x, y) of the tab window, and a rectangle of the tab window in the picture.
  const auto at = [&](int x, int y) { return picture.at(strip.left + x, strip.top + y); };
  const auto in = [&](RECT r) { return RECT{strip.left + r.left, strip.top + r.top, strip.left + r.right, strip.top + r.bottom}; };
  const auto inner = [&](int i) {
    const RECT r = ItemRect(i);
    return in(RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
  };
  const auto captioned = [&](int i) { return picture.Count(inner(i), ink) > 0; };

  AddEight();
  form.tabs.TabAlign(0);
  form.tabs.Move(120, 120, 8400, 3000);
  form.cmdOther.Caption(u"OK");
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.tabs.SelectTab(3);
  form.tabs.SetFocus();
  look("tab_strip.png");
  RECT sel = ItemRect(2);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(captioned(i)) << "tab " << i;
  // The selected tab stands 2 pixels above its neighbours and opens into the page's frame.
  const auto standsOut = [&](int i) { return qmtest::TabStandsOut(picture, form.hWnd(), Tab(), i); };
  EXPECT_TRUE(standsOut(2));
  EXPECT_FALSE(standsOut(1));
  EXPECT_FALSE(standsOut(3));
  EXPECT_EQ(at(sel.left + 5, sel.bottom), face);
  EXPECT_EQ(at(ItemRect(1).left + 5, sel.bottom), light);
  // The focus: a dotted line across the selected tab above its caption, none in the others.
  const int dots = picture.Count(in(RECT{sel.left, sel.top + 1, sel.right, sel.top + 2}), ink);
  EXPECT_GE(dots, (sel.right - sel.left) / 2 - 4);
  EXPECT_EQ(picture.Count(in(RECT{ItemRect(1).left, sel.top + 1, ItemRect(1).right, sel.top + 2}), ink), 0);

  // Two rows in 300 pixels: the selected tab's row against the page, the other above it.
  form.tabs.MultiLine(true);
  form.tabs.Move(120, 120, 4500, 3000);
  look("tab_strip_rows.png");
  EXPECT_EQ(SendMessageA(Tab(), TCM_GETROWCOUNT, 0, 0), 2);
  sel = ItemRect(2);
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(captioned(i)) << "tab " << i;
    const RECT r = ItemRect(i);
    EXPECT_TRUE(r.top == sel.top || r.bottom <= sel.top) << "tab " << i;
  }
  EXPECT_TRUE(standsOut(2));

  // One row that does not fit: the arrows at its right end, the left one greyed while the row
  // starts at its first tab; the selected tab whole left of them.
  form.tabs.MultiLine(false);
  look("tab_strip_scrolled.png");
  const HWND arrows = FindWindowExA(Tab(), 0, UPDOWN_CLASSA);
  ASSERT_TRUE(IsWindowVisible(arrows));
  const RECT updown = qmtest::RectIn(arrows, form.hWnd());
  EXPECT_EQ(updown.right, strip.right);
  const int middle = (updown.left + updown.right) / 2;
  EXPECT_GT(picture.Count(RECT{updown.left + 2, updown.top + 2, middle - 1, updown.bottom - 2}, shadow), 0) << "the left arrow";
  EXPECT_EQ(picture.Count(RECT{updown.left + 2, updown.top + 2, middle - 1, updown.bottom - 2}, ink), 0);
  EXPECT_GT(picture.Count(RECT{middle + 1, updown.top + 2, updown.right - 2, updown.bottom - 2}, ink), 0) << "the right arrow";
  sel = ItemRect(2);
  EXPECT_LE(strip.left + sel.right, updown.left);
  EXPECT_TRUE(captioned(2));

  // Tabs at the bottom: the selected one reaches 2 pixels below its neighbours.
  form.tabs.TabAlign(2);
  form.tabs.Rebuild();
  form.tabs.Move(120, 120, 8400, 3000);
  look("tab_strip_bottom.png");
  sel = ItemRect(2);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(captioned(i)) << "tab " << i;
  EXPECT_EQ(at(sel.left + 5, sel.bottom + 1), dark);
  EXPECT_EQ(at(ItemRect(1).left + 5, sel.bottom + 1), face);
  EXPECT_EQ(at(sel.left + 5, sel.top - 1), face) << "open to the page";

  // Tabs at the left: captions turned to run upwards, taller than wide.
  form.tabs.TabAlign(1);
  form.tabs.Rebuild();
  look("tab_strip_left.png");
  for (int i : {0, 1, 3, 4, 5, 6, 7}) {
    const RECT caption = picture.Bounds(inner(i), [&](COLORREF c) { return c == ink; });
    EXPECT_GT(caption.bottom - caption.top, 2 * (caption.right - caption.left)) << "tab " << i;
  }

  // The flat frame: the page's right and bottom edges in button face; each tab but the selected one
  // and its neighbours with a highlight corner at its left and a face and a shadow line at its right.
  form.tabs.TabAlign(0);
  form.tabs.Rebuild();
  form.tabs.CoolTabs(1);
  look("tab_strip_cool1.png");
  const int W = strip.right - strip.left, H = strip.bottom - strip.top;
  sel = ItemRect(2);
  EXPECT_TRUE(picture.All(in(RECT{W - 1, sel.bottom + 1, W, H}), face));
  EXPECT_TRUE(picture.All(in(RECT{0, H - 1, W, H}), face));
  for (int i : {0, 4, 5, 6, 7}) {
    const RECT r = ItemRect(i);
    EXPECT_EQ(at(r.left, r.top), light) << "tab " << i;
    EXPECT_EQ(at(r.left + 1, r.top + 1), face) << "tab " << i;
    EXPECT_TRUE(picture.All(in(RECT{r.right - 2, r.top + 1, r.right - 1, r.bottom}), face)) << "tab " << i;
    EXPECT_TRUE(picture.All(in(RECT{r.right - 1, r.top, r.right, r.bottom}), shadow)) << "tab " << i;
  }

  // Shaded: the row around the tabs in the shadow colour, the tabs themselves not.
  form.tabs.CoolTabs(2);
  look("tab_strip_cool2.png");
  const RECT last = ItemRect(7);
  EXPECT_TRUE(picture.All(in(RECT{0, 0, 4, sel.bottom}), shadow));
  EXPECT_TRUE(picture.All(in(RECT{4, 0, sel.left - 2, 4}), shadow));
  EXPECT_TRUE(picture.All(in(RECT{sel.right + 2, 0, W, 4}), shadow));
  EXPECT_TRUE(picture.All(in(RECT{last.right, last.top, W, last.bottom}), shadow));
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(captioned(i)) << "tab " << i;
  EXPECT_EQ(picture.Count(inner(0), shadow), 0);

  // Buttons: the selected one sunk, the others raised, edge for edge as the platform draws them.
  form.tabs.CoolTabs(0);
  form.tabs.Buttons(true);
  form.tabs.Rebuild();
  look("tab_strip_buttons.png");
  for (int i = 0; i < 8; ++i) {
    const RECT r = ItemRect(i);
    const int w = r.right - r.left, h = r.bottom - r.top;
    qmtest::Surface edge(w, h, face);
    RECT all{0, 0, w, h};
    DrawEdge(edge.dc, &all, i == 2 ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    for (auto [x, y] : {std::pair{0, h / 2}, {1, h / 2}, {w - 1, h / 2}, {w - 2, h / 2}, {w / 2, 0}, {w / 2, 1},
                        {w / 2, h - 1}, {w / 2, h - 2}})
      EXPECT_EQ(at(r.left + x, r.top + y), edge.at(x, y)) << "tab " << i << " at " << x << "," << y;
    EXPECT_TRUE(captioned(i)) << "tab " << i;
  }
}
