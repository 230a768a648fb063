// Pixels of the menu item and toolbar button painters where the drawing rules fix them: lines,
// boxes, frames, fills, glyph places and text colours.
#include <gtest/gtest.h>

#include <set>

#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "measure_support.h"
#include "platform/gdi/icons.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "stand_in_links.h"
#include "support_gdi.h"

using namespace commandbars;
using qmtest::frmPanel;
using qmtest::MakeBar;
using qmtest::MakeButton;

namespace {

constexpr win::COLORREF kPaper = win::RGB(255, 255, 255);

win::COLORREF Rgb(std::int32_t colour) { return static_cast<win::COLORREF>(TranslateColour(colour)); }

// Each channel of c lies between those of a and b: a pixel of a gradient from a to b.
bool Between(win::COLORREF c, std::int32_t a, std::int32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int v = (c >> shift) & 0xFF, x = (Rgb(a) >> shift) & 0xFF, y = (Rgb(b) >> shift) & 0xFF;
    if (v < std::min(x, y) || v > std::max(x, y)) return false;
  }
  return true;
}

// One paint on a white surface with a 16 x 16 image list of two red icons.
struct Painting : ::testing::Test {
  qmtest::Surface s{160, 40, kPaper};
  cFontCache fonts;
  vb::StdFont font;
  win::HIMAGELIST source = 0;
  cCommandBarImageList icons;
  cDrawButtonParams p;
  qmtest::StandInLinks links;

  void SetUp() override {
    ResetColours();
    font.Name = u"Tahoma";
    font.Size = 8.25;
    source = win::ImageList_Create(16, 16, win::ILC_COLOR32 | win::ILC_MASK, 2, 2);
    for (int i = 0; i < 2; ++i) {
      const win::HICON icon = qmtest::MakeIcon(16, 16, [](int, int) { return 0xFFC00000u; });
      win::ImageList_AddIcon(source, icon);
      win::DestroyIcon(icon);
    }
    icons.InitialiseFromVariant(source);
    p.hdc = s.dc;
    p.hFont = fonts.hFont(font, 0, s.dc);
    p.ImageList = &icons;
    p.left = 0;
    p.tOp = 0;
    p.Size = 150;
    p.Height = 24;
    p.SizeStyle = 1;
  }
  void TearDown() override {
    icons.Destroy();
    win::ImageList_Destroy(source);
    ResetColours();
  }
  // Colours found in the rectangle (left, top, right, bottom excluded).
  std::set<win::COLORREF> ColoursIn(int l, int t, int r, int b) const {
    std::set<win::COLORREF> out;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) out.insert(s.at(x, y));
    return out;
  }
  bool Untouched(int l, int t, int r, int b) const { return ColoursIn(l, t, r, b) == std::set<win::COLORREF>{kPaper}; }
  void Clear() { s.fill(0x00FFFFFF); }
};

}  // namespace

TEST_F(Painting, MenuSeparatorIsOneLineBelowTheTop) {
  auto sep = MakeButton(u"SEP", u"", eSeparator);
  p.tOp = 5;
  sep->Draw(p);
  const int x = 16 + 16;  // past the icon column
  for (int px = 0; px < 160; ++px) EXPECT_EQ(s.at(px, 6), px >= x && px < 150 ? Rgb(SchemeColour(28)) : kPaper) << px;
  EXPECT_TRUE(Untouched(0, 0, 160, 6));
  EXPECT_TRUE(Untouched(0, 7, 160, 40));
  EXPECT_TRUE(p.Enabled);
}

TEST_F(Painting, MenuHighlightIsAFramedGradientInEveryStyle) {
  for (int style = 0; style < 4; ++style) {
    SetCommandBarStyle(style);
    Clear();
    auto item = MakeButton(u"OPEN", u"&Открыть");
    p.MouseOverButton = true;
    item->Draw(p);
    const win::COLORREF frame = Rgb(SchemeColour(21));
    EXPECT_EQ(s.at(2, 1), frame) << style;
    EXPECT_EQ(s.at(147, 1), frame) << style;
    EXPECT_EQ(s.at(2, 23), frame) << style;
    EXPECT_EQ(s.at(147, 23), frame) << style;
    EXPECT_EQ(s.at(1, 10), kPaper) << style;
    EXPECT_EQ(s.at(148, 10), kPaper) << style;
    EXPECT_EQ(s.at(10, 0), kPaper) << style;
    EXPECT_TRUE(Between(s.at(3, 2), SchemeColour(19), SchemeColour(20))) << style;
    EXPECT_TRUE(Between(s.at(3, 22), SchemeColour(19), SchemeColour(20))) << style;
  }
}

TEST_F(Painting, DisabledItemsHighlightOnlyUnderTheKeyboard) {
  auto item = MakeButton(u"PRINT", u"&Печать");
  item->Enabled(false);
  p.MouseOverButton = true;
  item->Draw(p);
  EXPECT_EQ(s.at(2, 1), kPaper);
  links.cues = true;
  item->Draw(p);
  EXPECT_EQ(s.at(2, 1), Rgb(SchemeColour(21)));
  EXPECT_TRUE(Between(s.at(3, 2), SchemeColour(17), SchemeColour(18)));
  // The control's disabled state disables the item too.
  Clear();
  links.cues = false;
  item->Enabled(true);
  p.Enabled = false;
  item->Draw(p);
  EXPECT_EQ(s.at(2, 1), kPaper);
  EXPECT_FALSE(p.Enabled);
}

TEST_F(Painting, MenuTextColoursFollowTheState) {
  SetCustomColour(14, 0x0000A0);
  SetCustomColour(15, 0x00A000);
  SetCustomColour(16, 0xA00000);
  auto item = MakeButton(u"NEW", u"Новый");
  item->Draw(p);
  EXPECT_TRUE(ColoursIn(32, 0, 150, 24).count(Rgb(0x0000A0)));
  Clear();
  p.ShowingMenu = true;
  item->Draw(p);
  EXPECT_TRUE(ColoursIn(32, 2, 146, 22).count(Rgb(0x00A000)));
  Clear();
  p.ShowingMenu = false;
  item->Enabled(false);
  item->Draw(p);
  EXPECT_TRUE(ColoursIn(32, 0, 150, 24).count(Rgb(0xA00000)));
  EXPECT_FALSE(ColoursIn(32, 0, 150, 24).count(Rgb(0x0000A0)));
}

TEST_F(Painting, CheckedItemsShowABoxAndAMarkOnlyWithoutAnIcon) {
  auto item = MakeButton(u"WRAP", u"Перенос", eCheck);
  item->Checked(true);
  item->Draw(p);
  const win::COLORREF frame = Rgb(SchemeColour(21));
  // The box: (3, 2), 21 x 21.
  EXPECT_EQ(s.at(3, 2), frame);
  EXPECT_EQ(s.at(23, 22), frame);
  EXPECT_EQ(s.at(2, 2), kPaper);
  const auto black = s.where(win::RGB(0, 0, 0), 30, 40);  // the caption starts at 32
  ASSERT_FALSE(black.empty());
  for (auto [x, y] : black) {
    EXPECT_GE(x, 5);
    EXPECT_LT(x, 21);
    EXPECT_GE(y, 4);
    EXPECT_LT(y, 20);
  }
  Clear();
  item->IconIndex(0);
  item->Draw(p);
  EXPECT_EQ(s.at(3, 2), frame);
  EXPECT_TRUE(s.where(win::RGB(0, 0, 0), 30, 40).empty());
  EXPECT_EQ(s.at(5, 4), win::RGB(0xC0, 0, 0));  // the icon sits in the cell
  EXPECT_EQ(s.at(20, 19), win::RGB(0xC0, 0, 0));
}

TEST_F(Painting, ShortcutAndSubMenuArrowOnlyLeftToRight) {
  SetCustomColour(14, 0x0000A0);  // text apart from the black arrow
  auto sub = MakeBar(u"SUB");
  auto item = MakeButton(u"RECENT", u"Недавние");
  item->Bar(sub.get());
  item->Draw(p);
  const auto black = s.where(win::RGB(0, 0, 0), 160, 40);
  ASSERT_FALSE(black.empty());
  for (auto [x, y] : black) EXPECT_GE(x, 130);
  auto save = MakeButton(u"SAVE", u"Сохранить");
  save->ShortcutKey('S');
  save->ShortcutModifiers(kCtrlModifier);
  Clear();
  save->Draw(p);
  EXPECT_TRUE(ColoursIn(100, 0, 130, 24).count(Rgb(0x0000A0)));  // the shortcut, right-aligned
  Clear();
  p.RightToLeft = true;
  item->Draw(p);
  EXPECT_TRUE(s.where(win::RGB(0, 0, 0), 160, 40).empty());
  save->Caption(u"");
  Clear();
  save->Draw(p);
  EXPECT_TRUE(Untouched(0, 0, 160, 40));
}

TEST_F(Painting, ColourBoxesAndMissingIcons) {
  auto swatch = MakeButton(u"RED", u"");
  swatch->ColorBox(0x0000FF);
  swatch->Draw(p);
  EXPECT_EQ(s.at(6, 5), win::RGB(255, 0, 0));
  EXPECT_EQ(s.at(5, 4), Rgb(SchemeColour(13)));
  EXPECT_EQ(s.at(19, 18), Rgb(SchemeColour(13)));
  // Without an image list an icon is not drawn, and a swatch still is.
  Clear();
  p.ImageList = nullptr;
  auto icon = MakeButton(u"ICON", u"");
  icon->IconIndex(0);
  icon->Draw(p);
  EXPECT_TRUE(Untouched(0, 0, 160, 40));
  p.SizeStyle = 4;
  p.Size = 24;
  icon->Draw(p);
  EXPECT_TRUE(Untouched(0, 0, 160, 40));
  swatch->Draw(p);
  EXPECT_FALSE(Untouched(0, 0, 160, 40));
  // An icon the cache cannot take from the list leaves its cell see-through.
  Clear();
  p.ImageList = &icons;
  p.SizeStyle = 1;
  p.Size = 150;
  icon->IconIndex(7);
  icon->Draw(p);
  EXPECT_TRUE(Untouched(0, 0, 160, 40));
  icon->Enabled(false);
  icon->Draw(p);
  EXPECT_TRUE(Untouched(0, 0, 160, 40));
}

TEST_F(Painting, AddOrRemoveListEntriesCarryACheckColumn) {
  auto shown = MakeButton(u"SHOWN", u"Показан");
  shown->State(1);
  p.SizeStyle = 2;
  shown->Draw(p);
  const win::COLORREF frame = Rgb(SchemeColour(21));
  EXPECT_EQ(s.at(3, 2), frame);
  EXPECT_FALSE(s.where(win::RGB(0, 0, 0), 24, 40).empty());
  EXPECT_EQ(p.left, 20);
  EXPECT_EQ(p.Size, 130);
  Clear();
  p.left = 0;
  p.Size = 150;
  auto hidden = MakeButton(u"HIDDEN", u"Скрыт");
  hidden->State(0);
  hidden->Draw(p);
  EXPECT_EQ(s.at(3, 2), frame);
  EXPECT_TRUE(s.where(win::RGB(0, 0, 0), 24, 40).empty());
  // An ordinary item has no box and its icon in the disabled look.
  Clear();
  p.left = 0;
  p.Size = 150;
  auto other = MakeButton(u"RESET", u"Сброс");
  other->IconIndex(0);
  other->Draw(p);
  EXPECT_EQ(s.at(3, 2), kPaper);
  EXPECT_FALSE(ColoursIn(25, 4, 41, 20).count(win::RGB(0xC0, 0, 0)));
}

TEST_F(Painting, ToolbarHotFrameAndFillInEveryGradientStyle) {
  auto b = MakeButton(u"OPEN");
  p.SizeStyle = 4;
  p.Size = 24;
  p.MouseOverButton = true;
  for (int style = 0; style < 3; ++style) {
    SetCommandBarStyle(style);
    Clear();
    b->Draw(p);
    const win::COLORREF frame = Rgb(SchemeColour(21));
    EXPECT_EQ(s.at(1, 1), frame) << style;
    EXPECT_EQ(s.at(22, 22), frame) << style;
    EXPECT_EQ(s.at(0, 0), kPaper) << style;
    EXPECT_EQ(s.at(23, 23), kPaper) << style;
    EXPECT_TRUE(Between(s.at(2, 2), SchemeColour(6), SchemeColour(7))) << style;
    EXPECT_TRUE(Between(s.at(21, 21), SchemeColour(6), SchemeColour(7))) << style;
  }
  // The themed style draws no frame of its own.
  SetCommandBarStyle(3);
  Clear();
  b->Draw(p);
  EXPECT_NE(s.at(1, 1), Rgb(SchemeColour(21)));
}

namespace {

// Toolbar paints with every gradient pair made one plain colour of its own.
struct ToolbarPainting : Painting {
  const std::int32_t idle = 0x101010, hot = 0x202020, checked = 0x303030, pressed = 0x404040, open = 0x505050;
  const std::int32_t frame = 0x0000C0, menuFrame = 0x00C000;
  void SetUp() override {
    Painting::SetUp();
    for (auto [index, colour] : {std::pair{4, idle}, {5, idle}, {6, hot}, {7, hot}, {8, checked}, {9, checked},
                                 {10, pressed}, {11, pressed}, {29, open}, {30, open}, {21, frame}, {13, menuFrame}})
      SetCustomColour(index, colour);
    p.SizeStyle = 4;
    p.Size = 24;
    p.Height = 24;
    p.left = 10;
    p.tOp = 5;
  }
  // The fill's colour inside the frame, and the colour where the frame would be.
  win::COLORREF Fill() const { return s.at(12, 8); }
  win::COLORREF Edge() const { return s.at(11, 6); }
};

}  // namespace

TEST_F(ToolbarPainting, BackgroundsAndFramesByState) {
  auto b = MakeButton(u"BOLD", u"", eCheck);
  struct Case {
    bool over, down, isChecked;
    std::int32_t fill;
    bool framed;
  };
  const Case cases[] = {{false, false, false, idle, false},  {false, false, true, checked, false},
                        {true, false, false, hot, true},     {true, false, true, pressed, true},
                        {true, true, false, pressed, true},  {false, true, false, hot, true},
                        {false, true, true, pressed, true}};
  for (const Case& c : cases) {
    Clear();
    b->Checked(c.isChecked);
    p.MouseOverButton = c.over;
    p.MouseDownButton = c.down;
    b->Draw(p);
    EXPECT_EQ(Fill(), Rgb(c.fill)) << c.over << c.down << c.isChecked;
    EXPECT_EQ(Edge(), Rgb(c.framed ? frame : c.fill)) << c.over << c.down << c.isChecked;
    EXPECT_EQ(s.at(10, 5), kPaper);  // the outer pixel ring stays
    EXPECT_EQ(s.at(33, 28), kPaper);
  }
}

TEST_F(ToolbarPainting, SubBarButtonsAndOpenMenus) {
  auto sub = MakeBar(u"SUB");
  auto b = MakeButton(u"FILE", u"&Файл");
  b->Bar(sub.get());
  p.ShowingMenu = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(open));
  EXPECT_EQ(Edge(), Rgb(menuFrame));
  Clear();
  p.ShowingMenu = false;
  p.MouseOverButton = true;
  p.MouseDownButton = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(open));
  EXPECT_EQ(Edge(), Rgb(frame));
  Clear();
  SetCommandBarStyle(2);
  p.MouseOverButton = p.MouseDownButton = false;
  p.ShowingMenu = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(pressed));
}

TEST_F(ToolbarPainting, SplitButtonsFrameTheirDropDownPart) {
  auto b = MakeButton(u"UNDO", u"", eSplit);
  p.Size = 35;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(idle));
  // Pressed with the pointer over it: the part gets the hot fill and its own frame.
  Clear();
  p.MouseOverButton = p.MouseDownButton = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(pressed));
  const int partLeft = 10 + 35 - 1 - 11;
  EXPECT_EQ(s.at(partLeft, 10), Rgb(frame));
  EXPECT_EQ(s.at(partLeft + 1, 7), Rgb(hot));
  // Its menu open: the open fill and the menu frame round button and part.
  Clear();
  p.MouseOverButton = p.MouseDownButton = false;
  p.ShowingMenu = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), Rgb(open));
  EXPECT_EQ(Edge(), Rgb(menuFrame));
  EXPECT_EQ(s.at(partLeft, 10), Rgb(menuFrame));
  // The drop-down arrow sits in the part.
  const auto arrow = s.where(Rgb(SchemeColour(1)), 160, 40);
  ASSERT_FALSE(arrow.empty());
  for (auto [x, y] : arrow) EXPECT_GT(x, partLeft);
}

TEST_F(ToolbarPainting, DisabledButtonsHaveNoBackgroundAndTheirTextColour) {
  SetCustomColour(3, 0x0080FF);
  SetCustomColour(1, 0x000080);
  auto b = MakeButton(u"CUT", u"Вырезать");
  b->ShowCaptionInToolbar(true);
  b->Enabled(false);
  p.Size = 80;
  p.MouseOverButton = true;
  b->Draw(p);
  EXPECT_EQ(Fill(), kPaper);
  EXPECT_EQ(Edge(), kPaper);
  EXPECT_TRUE(ColoursIn(10, 5, 90, 29).count(Rgb(0x0080FF)));
  Clear();
  b->Locked(true);
  b->Draw(p);
  EXPECT_TRUE(ColoursIn(10, 5, 90, 29).count(Rgb(0x000080)));
  // An enabled button on a disabled control is painted disabled, and the record keeps its value.
  Clear();
  b->Locked(false);
  b->Enabled(true);
  p.Enabled = false;
  b->Draw(p);
  EXPECT_EQ(Fill(), kPaper);
  EXPECT_TRUE(ColoursIn(10, 5, 90, 29).count(Rgb(0x0080FF)));
  EXPECT_FALSE(p.Enabled);
}

TEST_F(ToolbarPainting, SeparatorsAreEtchedLines) {
  auto sep = MakeButton(u"SEP", u"", eSeparator);
  p.Size = 8;
  sep->Draw(p);
  const win::COLORREF dark = Rgb(SchemeColour(28)), light = Rgb(SchemeColour(27));
  const int x = 10 + (8 - 2) / 2;
  for (int y = 5; y < 29; ++y) {
    EXPECT_EQ(s.at(x, y), y >= 9 && y < 25 ? dark : kPaper) << y;
    EXPECT_EQ(s.at(x + 1, y), y >= 10 && y < 26 ? light : kPaper) << y;
  }
  // Across a vertical bar.
  Clear();
  p.Orientation = 1;
  p.Size = 24;
  p.Height = 8;
  sep->Draw(p);
  const int y = 5 + (8 - 2) / 2;
  for (int px = 10; px < 34; ++px) {
    EXPECT_EQ(s.at(px, y), px >= 14 && px < 30 ? dark : kPaper) << px;
    EXPECT_EQ(s.at(px, y + 1), px >= 15 && px < 31 ? light : kPaper) << px;
  }
}

TEST_F(ToolbarPainting, IconsSitByOrientationAndCaptionPosition) {
  auto b = MakeButton(u"NEW", u"Новый");
  b->IconIndex(0);
  b->Draw(p);
  const win::COLORREF red = win::RGB(0xC0, 0, 0);
  EXPECT_EQ(s.at(14, 9), red);  // (L + 4, T + (24 - 16) / 2)
  EXPECT_EQ(s.at(29, 24), red);
  EXPECT_NE(s.at(13, 9), red);
  EXPECT_NE(s.at(30, 24), red);
  Clear();
  p.RightToLeft = true;
  p.Size = 40;
  b->Draw(p);
  EXPECT_EQ(s.at(10 + 40 - 4 - 16, 9), red);
  EXPECT_NE(s.at(10 + 40 - 4 - 17, 9), red);
  Clear();
  p.RightToLeft = false;
  p.ButtonPosition = 1;
  p.Height = 40;
  b->Draw(p);
  EXPECT_EQ(s.at(10 + (40 - 16) / 2, 9), red);
  EXPECT_NE(s.at(10 + (40 - 16) / 2 - 1, 9), red);
}

TEST_F(ToolbarPainting, PanelControlsSitOverTheirButtonAndHideWhenNotDrawn) {
  frmPanel form;
  form.txtZoom.Move(0, 0, 900, 300);
  form.txtZoom.Visible(false);
  auto b = MakeButton(u"ZOOM", u"", ePanel);
  b->PanelControl(&form.txtZoom);
  p.Size = 64;
  p.Height = 30;
  b->Draw(p);
  EXPECT_TRUE(form.txtZoom.Visible());
  EXPECT_EQ(form.txtZoom.Left(), 11 * 15);
  EXPECT_EQ(form.txtZoom.Top(), (5 + (30 - 20) / 2) * 15);
  p.ButtonPosition = 1;
  p.ToolbarSize = 50;
  b->Draw(p);
  EXPECT_EQ(form.txtZoom.Top(), (5 + (50 - 20) / 2) * 15);
  p.Hidden = true;
  b->Draw(p);
  EXPECT_FALSE(form.txtZoom.Visible());
  p.Hidden = false;
  b->Draw(p);
  b->Visible(false);
  b->Draw(p);
  EXPECT_FALSE(form.txtZoom.Visible());
}
