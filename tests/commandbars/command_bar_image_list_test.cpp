// The icon cache's rendered cells, pixel for pixel, and the strip that keeps them.
#include <gtest/gtest.h>

#include <vector>

#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar_image_list.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/vb/error.h"
#include "support_gdi.h"

namespace {

using namespace commandbars;

constexpr std::uint32_t kClear = 0x01000000;  // marks a see-through pixel in the pictures below

// An icon from 0xAARRGGBB pixels, top-down; kClear pixels are see-through.
win::HICON MakeIcon(int w, int h, const std::vector<std::uint32_t>& px) {
  const auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
  return qmtest::MakeIcon(w, h, at, [&](int x, int y) { return at(x, y) == kClear; });
}

// A 4 x 1 icon list with the given icons' pixels.
class IconCache : public ::testing::Test {
 protected:
  void SetUp() override { list = win::ImageList_Create(4, 1, win::ILC_COLOR32 | win::ILC_MASK, 4, 4); }
  void TearDown() override { win::ImageList_Destroy(list); }
  void Add(const std::vector<std::uint32_t>& px) {
    const win::HICON icon = MakeIcon(4, 1, px);
    ASSERT_GE(win::ImageList_AddIcon(list, icon), 0);
    win::DestroyIcon(icon);
  }
  // The premultiplied pixels of cell `n` (1-based) of the strip.
  std::vector<std::uint32_t> Cell(const cCommandBarImageList& cache, int n) {
    qmtest::Surface strip(cache.Capacity() * 4, 1, 0);
    cache.DrawStrip(strip.dc, 0, 0);
    return {strip.bits + (n - 1) * 4, strip.bits + n * 4};
  }
  win::HIMAGELIST list = 0;
};

constexpr std::uint32_t Premul(std::uint32_t rgb, std::uint32_t a) {
  return (a << 24) | ((((rgb >> 16) & 0xFF) * a / 255) << 16) | ((((rgb >> 8) & 0xFF) * a / 255) << 8) |
         ((rgb & 0xFF) * a / 255);
}

TEST_F(IconCache, DisabledLookIsAsOpaqueAsThePixelIsDark) {
  Add({0xFF000000, 0xFFFFFFFF, 0xFF6496C8, kClear});  // black, white, (100, 150, 200), see-through
  Add({0xFFFFFFFF, 0xFFE3E3E3, kClear, 0xFFFFFFFF});  // white apart from a grey
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  cache.SetDisabledColor(win::RGB(0x10, 0x80, 0xF0));
  const std::uint32_t disabled = 0x1080F0;  // as a pixel: red 0x10, green 0x80, blue 0xF0
  qmtest::Surface out(8, 1);
  out.fill(0xFFFFFFFF);
  cache.Draw(out.dc, 0, eImageDisabled, 0, 0);
  cache.Draw(out.dc, 1, eImageDisabled, 4, 0);
  // luma of (100, 150, 200) = round(142.45) = 142: alpha 255 - 142 = 113.
  EXPECT_EQ(Cell(cache, 1), (std::vector<std::uint32_t>{Premul(disabled, 255), 0, Premul(disabled, 113), 0}));
  // An all-white icon keeps its white solid; the grey 227 is faint.
  EXPECT_EQ(Cell(cache, 2), (std::vector<std::uint32_t>{Premul(disabled, 255), Premul(disabled, 28), 0,
                                                         Premul(disabled, 255)}));
  // Blended over white: solid pixels in the disabled colour, vanished ones white.
  EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, disabled);
  EXPECT_EQ(out.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(out.pixel(3, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(out.pixel(4, 0) & 0xFFFFFF, disabled);
}

TEST_F(IconCache, OwnColoursFadeTheGreysAndHighlightRecoloursThem) {
  Add({0xFFDDDDDD, 0xFFE3E3E3, 0xFF204060, kClear});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  cache.SetHighlightColor(win::RGB(200, 100, 50));
  qmtest::Surface out(4, 1, 0);
  cache.Draw(out.dc, 0, eImageOwnColours, 0, 0);
  cache.Draw(out.dc, 0, eImageHighlighted, 0, 0);
  EXPECT_EQ(Cell(cache, 1), (std::vector<std::uint32_t>{Premul(0xDDDDDD, 50), Premul(0xE3E3E3, 50),
                                                         Premul(0x204060, 255), 0}));
  const std::uint32_t hl = 0xC86432;
  EXPECT_EQ(Cell(cache, 2), (std::vector<std::uint32_t>{Premul(hl, 90), Premul(hl, 90), Premul(0x204060, 255), 0}));
}

TEST_F(IconCache, IconsWithTheirOwnAlphaScaleEveryLook) {
  Add({0x80000000, 0x80DDDDDD, 0x40FFFFFF, 0x00000000});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  cache.SetHighlightColor(win::RGB(255, 255, 255));
  qmtest::Surface out(4, 1, 0);
  cache.Draw(out.dc, 0, eImageDisabled, 0, 0);
  cache.Draw(out.dc, 0, eImageOwnColours, 0, 0);
  cache.Draw(out.dc, 0, eImageHighlighted, 0, 0);
  // Disabled (colour 0): black at alpha 128 stays 128; grey 221 has luma 221, (34 * 128) / 255 -> 17.
  EXPECT_EQ(Cell(cache, 1), (std::vector<std::uint32_t>{0x80000000, 0x11000000, 0, 0}));
  // Own colours: the grey at 128 * 50 / 255 -> 25.
  EXPECT_EQ(Cell(cache, 2), (std::vector<std::uint32_t>{0x80000000, Premul(0xDDDDDD, 25), Premul(0xFFFFFF, 0x40), 0}));
  // Highlighted: (128 * 90) \ 255 = 45.
  EXPECT_EQ(Cell(cache, 3), (std::vector<std::uint32_t>{0x80000000, Premul(0xFFFFFF, 45), Premul(0xFFFFFF, 0x40), 0}));
}

TEST_F(IconCache, EachLookOfAnIconIsRenderedOnceAndTheStripGrows) {
  for (int i = 0; i < 12; ++i) Add({0xFF000000u | static_cast<std::uint32_t>(i), kClear, kClear, kClear});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  EXPECT_EQ(cache.IconWidth(), 4);
  EXPECT_EQ(cache.IconHeight(), 1);
  EXPECT_EQ(cache.Capacity(), 10);
  qmtest::Surface out(4, 1, 0);
  cache.Draw(out.dc, 3, eImageOwnColours, 0, 0);
  cache.Draw(out.dc, 3, eImageOwnColours, 0, 0);
  EXPECT_EQ(cache.count(), 1);
  EXPECT_EQ(cache.IndexOf(3, eImageOwnColours), 1);
  EXPECT_EQ(cache.IndexOf(3, eImageDisabled), 0);
  EXPECT_EQ(cache.IconIndexOf(1), 3);
  for (int i = 4; i < 12; ++i) cache.Draw(out.dc, i, eImageOwnColours, 0, 0);
  EXPECT_EQ(cache.count(), 9);
  EXPECT_EQ(cache.Capacity(), 10);
  cache.Draw(out.dc, 0, eImageOwnColours, 0, 0);  // the tenth cell leaves no free one: grow
  EXPECT_EQ(cache.count(), 10);
  EXPECT_EQ(cache.Capacity(), 20);
  EXPECT_EQ(Cell(cache, 1)[0], 0xFF000003u);
  EXPECT_EQ(Cell(cache, 10)[0], 0xFF000000u);
  cCommandBarImageList other;
  other.InitialiseFromInstance(cache);
  EXPECT_EQ(other.count(), 0);
  EXPECT_EQ(other.SourceHandle(), list);
  EXPECT_EQ(other.IconWidth(), 4);
}

TEST_F(IconCache, NewColourRendersOnlyTheCellsOfItsLook) {
  Add({0xFF000000, 0xFFDDDDDD, kClear, kClear});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  cache.SetDisabledColor(win::RGB(0, 0, 255));
  cache.SetHighlightColor(win::RGB(0, 255, 0));
  qmtest::Surface out(4, 1, 0);
  cache.Draw(out.dc, 0, eImageDisabled, 0, 0);
  cache.Draw(out.dc, 0, eImageHighlighted, 0, 0);
  cache.SetHighlightColor(win::RGB(255, 0, 0));
  EXPECT_EQ(Cell(cache, 1)[0], 0xFF0000FFu);
  EXPECT_EQ(Cell(cache, 2)[1], Premul(0xFF0000, 90));
  cache.SetDisabledColor(0x80000005);  // a system colour: the window colour, white
  EXPECT_EQ(Cell(cache, 1)[0], 0xFFFFFFFFu);
  EXPECT_EQ(Cell(cache, 2)[1], Premul(0xFF0000, 90));
}

TEST_F(IconCache, DrawCutsToTheIconAndTheNormalLookComesFromTheList) {
  Add({0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  qmtest::Surface out(6, 1);
  out.fill(0xFFFFFFFF);
  cache.Draw(out.dc, 0, eImageDisabled, 0, 0, 2, 5);
  EXPECT_EQ(out.pixel(1, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(out.pixel(2, 0) & 0xFFFFFF, 0xFFFFFFu);
  cache.Draw(out.dc, 0, eImageNormal, 2, 0, 1, 1);
  EXPECT_EQ(out.pixel(5, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(cache.count(), 1);
  cache.Destroy();
  EXPECT_EQ(cache.count(), 0);
  EXPECT_EQ(cache.Capacity(), 0);
}

TEST_F(IconCache, DrawImageDrawsTheIconOrAnOutlinedSwatch) {
  Add({0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(list);
  ResetColours();
  SetCommandBarStyle(2);  // colour 13 is RGB(68, 68, 68)
  qmtest::Surface out(20, 20);
  out.fill(0xFFFFFFFF);
  DrawImage(out.dc, nullptr, -1, -1, 0, 0, eImageDisabled);
  for (int i = 0; i < 400; ++i) ASSERT_EQ(out.bits[i], 0xFFFFFFFFu);
  DrawImage(out.dc, &cache, -1, static_cast<std::int32_t>(0x80000005u) /* window: white */, 2, 2, 0);
  DrawImage(out.dc, &cache, -1, win::RGB(255, 0, 0), 2, 2, 0);
  int border = 0, inside = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const std::uint32_t p = out.pixel(x, y) & 0xFFFFFF;
      const bool edge = (x == 2 || x == 16 || y == 2 || y == 16) && x >= 2 && x <= 16 && y >= 2 && y <= 16;
      const bool in = x > 2 && x < 16 && y > 2 && y < 16;
      if (edge) border += p == 0x444444;
      if (in) inside += p == 0xFF0000;
      if (!edge && !in) {
        EXPECT_EQ(p, 0xFFFFFFu) << x << "," << y;
      }
    }
  EXPECT_EQ(border, 56);
  EXPECT_EQ(inside, 13 * 13);
  DrawImage(out.dc, &cache, 0, -1, 0, 0, eImageDisabled);
  EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, 0u);
  EXPECT_THROW(DrawImage(out.dc, nullptr, 0, -1, 0, 0, eImageDisabled), vb::Error);
  ResetColours();
}

}  // namespace
