// Button lengths and thicknesses as menu items and toolbar buttons. Text widths come from the font,
// so they are measured on the same context and the pinned parts are checked around them.
#include <gtest/gtest.h>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "measure_support.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "stand_in_links.h"
#include "support_gdi.h"

using namespace commandbars;
using qmtest::frmPanel;
using qmtest::MakeButton;

namespace {

struct Measuring : ::testing::Test, qmtest::MeasureSurface {
  void SetUp() override { p.SizeStyle = 1; }
  win::SIZE Text(std::u16string_view text, win::UINT format = 0x420) {
    const win::HGDIOBJ old = win::SelectObject(surface.dc, p.hFont);
    win::RECT r{0, 0, 256, 256};
    DrawTextAW(surface.dc, text, -1, r, format);
    win::SelectObject(surface.dc, old);
    return win::SIZE{r.right - r.left, r.bottom - r.top};
  }
  std::int32_t TextHeight() { return Text(u"Xy").cy; }
};

}  // namespace

TEST_F(Measuring, MenuItemsAndSeparators) {
  auto sep = MakeButton(u"SEP", u"", eSeparator);
  EXPECT_EQ(sep->Measure(p, false), 10);
  EXPECT_EQ(p.Height, 3);

  auto open = MakeButton(u"OPEN", u"Open");
  p.Height = 0;
  EXPECT_EQ(open->Measure(p, false), Text(u"Open  ").cx + 52);
  EXPECT_EQ(p.Height, std::max(TextHeight(), 16) + 8);
  p.SizeStyle = 2;
  p.Height = 0;
  EXPECT_EQ(open->Measure(p, false), Text(u"Open  ").cx + 52 + 18);

  // A shortcut widens the item by its text; an icon by the icon's height across the menu.
  p.SizeStyle = 1;
  open->ShortcutKey('O');
  open->ShortcutModifiers(kCtrlModifier);
  open->IconIndex(0);
  p.IconHeight = 24;
  p.Height = 0;
  EXPECT_EQ(open->Measure(p, false), Text(u"Open  Ctrl+O").cx + 24 + 52);
  EXPECT_EQ(p.Height, 24 + 8);
  open->IconIndex(-1);
  open->ColorBox(0x0000FF);
  p.Height = 0;
  EXPECT_EQ(open->Measure(p, false), Text(u"Open  Ctrl+O").cx + 24 + 52);

  // A height given on entry is kept.
  p.Height = 40;
  open->Measure(p, false);
  EXPECT_EQ(p.Height, 40);
}

TEST_F(Measuring, LargerFontsMakeLargerItems) {
  auto item = MakeButton(u"I", u"Параметры...");
  p.Height = 0;
  const std::int32_t small = item->Measure(p, false);
  const std::int32_t smallHeight = p.Height;
  font.Size = 20;
  p.hFont = fonts.hFont(font, 0, surface.dc);
  p.Height = 0;
  EXPECT_GT(item->Measure(p, false), small + 20);
  EXPECT_GT(p.Height, smallHeight);
  EXPECT_EQ(p.Height, TextHeight() + 8);
}

TEST_F(Measuring, HiddenAndInvisibleButtonsMeasureNothingOutsideTheList) {
  auto b = MakeButton(u"B", u"Вид");
  EXPECT_EQ(b->Measure(p, true), 0);
  p.SizeStyle = 4;
  EXPECT_EQ(b->Measure(p, true), 0);
  b->Visible(false);
  EXPECT_EQ(b->Measure(p, false), 0);
  p.SizeStyle = 2;
  p.Height = 0;
  EXPECT_GT(b->Measure(p, true), 0);
  p.SizeStyle = 7;
  b->Visible(true);
  EXPECT_EQ(b->Measure(p, false), 0);
}

TEST_F(Measuring, ToolbarButtonsOfEveryStyle) {
  p.SizeStyle = 4;
  ASSERT_LT(TextHeight(), 24);
  auto sep = MakeButton(u"SEP", u"", eSeparator);
  p.Height = 77;
  EXPECT_EQ(sep->Measure(p, false), 8);
  EXPECT_EQ(p.Height, 77);
  p.Orientation = 1;
  EXPECT_EQ(sep->Measure(p, false), 8);
  p.Orientation = 0;

  auto plain = MakeButton(u"NEW");
  plain->IconIndex(0);
  EXPECT_EQ(plain->Measure(p, false), 24);
  EXPECT_EQ(p.Height, 24);
  auto check = MakeButton(u"BOLD", u"", eCheck);
  check->IconIndex(1);
  check->Checked(true);
  EXPECT_EQ(check->Measure(p, false), 24);

  auto split = MakeButton(u"UNDO", u"", eSplit);
  split->IconIndex(2);
  EXPECT_EQ(split->Measure(p, false), 35);
  EXPECT_EQ(p.Height, 24);
  p.Orientation = 2;
  EXPECT_EQ(split->Measure(p, false), 24);
  EXPECT_EQ(p.Height, 35);
  p.Orientation = 3;
  EXPECT_EQ(split->Measure(p, false), 35);

  // A button with a drop-down sub-bar adds its arrow's 7 pixels.
  p.Orientation = 0;
  auto sub = qmtest::MakeBar(u"SUB");
  plain->Bar(sub.get());
  EXPECT_EQ(plain->Measure(p, false), 24);
  plain->ShowDropDownInToolbar(true);
  EXPECT_EQ(plain->Measure(p, false), 31);

  // Without an icon the box is the margins, and the text sets the thickness.
  auto bare = MakeButton(u"BARE");
  EXPECT_EQ(bare->Measure(p, false), 8);
  EXPECT_EQ(p.Height, TextHeight() + 8);
}

TEST_F(Measuring, PanelsTakeTheirWidthOnlyAcrossHorizontalBars) {
  frmPanel form;
  auto panel = MakeButton(u"ZOOM", u"Масштаб", ePanel);
  p.SizeStyle = 4;
  EXPECT_EQ(panel->Measure(p, false), 8);  // no control: a plain button
  panel->PanelControl(&form.txtZoom);
  p.Height = 50;
  EXPECT_EQ(panel->Measure(p, false), 24);
  EXPECT_EQ(p.Height, 50);
  panel->PanelWidth(100);
  EXPECT_EQ(panel->Measure(p, false), 108);
  p.Orientation = 1;
  EXPECT_EQ(panel->Measure(p, false), 0);
}

TEST_F(Measuring, CaptionsBesideAndUnderTheIcon) {
  p.SizeStyle = 4;
  auto b = MakeButton(u"FIND", u"Найти");
  b->IconIndex(0);
  b->ShowCaptionInToolbar(true);
  const std::int32_t w = Text(u"Найти", 0x400).cx;
  EXPECT_EQ(b->Measure(p, false), 24 + w + 4);
  EXPECT_EQ(p.Height, 24);
  p.ButtonPosition = 1;
  EXPECT_EQ(b->Measure(p, false), std::max(w + 12, 24));
  EXPECT_EQ(p.Height, TextHeight() + 24 + 4);
  b->Caption(u"Я");
  EXPECT_EQ(b->Measure(p, false), 24);
  b->ShowCaptionInToolbar(false);
  EXPECT_EQ(b->Measure(p, false), 24);
  EXPECT_EQ(p.Height, 24);
}

TEST_F(Measuring, NoImageListMeansNoIconRoom) {
  cDrawButtonParams draw;
  draw.hdc = surface.dc;
  draw.Height = 9;
  draw.FontFace = u"Tahoma";
  cMeasureButtonParams m;
  m.Size = 321;
  m.FromDrawButtonParams(draw);
  EXPECT_EQ(m.IconWidth, 0);
  EXPECT_EQ(m.IconHeight, 0);
  EXPECT_EQ(m.Size, 321);
  EXPECT_EQ(m.Height, 9);
  cCommandBarImageList list;
  draw.ImageList = &list;  // a list without images has no icon size either
  m.FromDrawButtonParams(draw);
  EXPECT_EQ(m.IconWidth, 0);
  m.SizeStyle = 4;
  m.hFont = p.hFont;
  auto b = MakeButton(u"B");
  b->IconIndex(5);
  EXPECT_EQ(b->Measure(m, false), 8);
}

TEST(MeasureParams, CompareIgnoresContextFontHandleAndSize) {
  cMeasureButtonParams a;
  a.hwnd = 3, a.hdc = 10, a.FontFace = u"Tahoma", a.FontSize = 8, a.hFont = 20, a.IconWidth = 16,
  a.IconHeight = 16, a.Height = 22, a.SizeStyle = 1, a.Orientation = 0, a.ButtonPosition = 0, a.Size = 5;
  cMeasureButtonParams b;
  b.Size = 99;
  b.FromMeasureButtonParams(a);
  EXPECT_EQ(b.Size, 99);
  b.hdc = 11;
  b.hFont = 21;
  EXPECT_EQ(a.CompareTo(b), 0);
  const std::vector<std::function<void(cMeasureButtonParams&)>> changes{
      [](auto& m) { m.hwnd = 4; },         [](auto& m) { m.SizeStyle = 2; },     [](auto& m) { m.Orientation = 1; },
      [](auto& m) { m.Height = 23; },      [](auto& m) { m.FontFace = u"tahoma"; }, [](auto& m) { m.FontSize = 9; },
      [](auto& m) { m.IconWidth = 24; },   [](auto& m) { m.IconHeight = 24; },   [](auto& m) { m.RightToLeft = true; },
      [](auto& m) { m.ButtonPosition = 1; }};
  for (std::size_t i = 0; i < changes.size(); ++i) {
    cMeasureButtonParams c = a;
    changes[i](c);
    EXPECT_EQ(a.CompareTo(c), 1) << i;
  }
}
