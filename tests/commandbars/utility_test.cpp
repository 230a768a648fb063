#include "commandbars/utility.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/testing/gdi.h"
#include "support_gdi.h"

using namespace commandbars;
using qmtest::Surface;
using Points = std::vector<std::pair<int, int>>;

TEST(CommandBarErrors, CodesRaiseTheirNumbersMessagesAndSource) {
  try {
    RaiseCommandBarError(2);
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, -2147196242);
    EXPECT_EQ(e.Description, u"Owning kestCommandBar Control does not exist.");
    EXPECT_TRUE(e.Source.ends_with(u".kestPicker"));
  }
  try {
    RaiseCommandBarError(9);
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, -2147221495);
    EXPECT_TRUE(e.Description.empty());
  }
  try {
    RaiseCommandBarError(5);
    FAIL();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 457);
  }
}

namespace {
struct Keyed {
  std::set<std::u16string> keys;
  int Item(const std::u16string& k) const {
    if (keys.count(k) == 0) vb::Raise(5);
    return 1;
  }
};
}  // namespace

TEST(CommandBarErrors, CollectionKeyExistsSwallowsTheLookupError) {
  Keyed c{{u"A"}};
  EXPECT_TRUE(CollectionKeyExists(c, std::u16string(u"A")));
  EXPECT_FALSE(CollectionKeyExists(c, std::u16string(u"B")));
}

TEST(Colours, BlendingTranslatesAndRoundsHalvesToEven) {
  EXPECT_EQ(BlendColour(0xFFFFFF, 0, 192), 0xC0C0C0);
  EXPECT_EQ(BlendColour(0x123456, 0x654321, 255), 0x123456);
  EXPECT_EQ(BlendColour(0x123456, 0x654321, 0), 0x654321);
  // 1 * 128 / 255 + 0 = 0.502 -> 1; 3 * 85 / 255 = 1 exactly.
  EXPECT_EQ(BlendColour(0x000001, 0, 128), 0x000001);
  EXPECT_EQ(BlendColour(static_cast<std::int32_t>(0x8000000F), 0xFFFFFF, 255),
            static_cast<std::int32_t>(win::GetSysColor(win::COLOR_BTNFACE)));
  EXPECT_EQ(TranslateColour(static_cast<std::int32_t>(0x80000014)), 0xFFFFFF);
  EXPECT_EQ(TranslateColour(-1), -1);
}

TEST(Colours, HueLightnessSaturationRoundTrips) {
  float h, s, l;
  RGBToHLS(255, 0, 0, h, s, l);
  EXPECT_FLOAT_EQ(h, 0);
  EXPECT_FLOAT_EQ(s, 1);
  EXPECT_FLOAT_EQ(l, 0.5f);
  RGBToHLS(0, 0, 255, h, s, l);
  EXPECT_FLOAT_EQ(h, 4);
  RGBToHLS(90, 90, 90, h, s, l);
  EXPECT_FLOAT_EQ(s, 0);
  EXPECT_FLOAT_EQ(h, 0);
  RGBToHLS(255, 0, 255, h, s, l);
  EXPECT_FLOAT_EQ(h, -1);
  int r, g, b;
  HLSToRGB(-1, 1, 0.5f, r, g, b);
  EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({255, 0, 255}));
  for (int c : {0x102030, 0xFF8000, 0x00C0FF, 0x7F7F80}) {
    RGBToHLS(c & 0xFF, (c >> 8) & 0xFF, c >> 16, h, s, l);
    HLSToRGB(h, s, l, r, g, b);
    EXPECT_EQ(r | (g << 8) | (b << 16), c);
  }
  HLSToRGB(0, 1, 1.5f, r, g, b);  // out of range lightness stays a byte
  EXPECT_EQ(r, 255);
}

TEST(Glyphs, CheckMarkIsBlackTwoPixelsThickAndKeepsTheCallersPen) {
  Surface s(20, 20);
  win::HPEN red = win::CreatePen(win::PS_SOLID, 1, win::RGB(255, 0, 0));
  win::SelectObject(s.dc, red);
  DrawCheckMark(s.dc, 0, 0, 20, 20);  // centre (10, 10)
  const Points expected = {{14, 7}, {13, 8}, {14, 8}, {12, 9}, {13, 9}, {7, 10}, {11, 10},
                           {12, 10}, {7, 11}, {8, 11}, {10, 11}, {11, 11}, {8, 12}, {9, 12}, {10, 12}, {9, 13}};
  EXPECT_EQ(s.where(0, 20, 20), expected);
  EXPECT_EQ(win::GetCurrentObject(s.dc, win::OBJ_PEN), red);
  win::SelectObject(s.dc, win::GetStockObject(win::BLACK_PEN));
  win::DeleteObject(red);
}

TEST(Glyphs, SubMenuArrowPointsRight) {
  Surface s(10, 10);
  DrawSubMenuArrow(s.dc, 0, 0, 10, 10);  // centre (5, 5)
  Points expected;
  for (int y = 2; y <= 8; ++y) {
    expected.emplace_back(3, y);
    if (y >= 3 && y <= 7) expected.emplace_back(4, y);
    if (y >= 4 && y <= 6) expected.emplace_back(5, y);
    if (y == 5) expected.emplace_back(6, y);
  }
  EXPECT_EQ(s.where(0, 10, 10), expected);
}

TEST(Glyphs, DropDownArrowPointsDownOrLeftInTheGivenColour) {
  Surface s(12, 12);
  DrawPixelGlyph(s.dc, 0, 0, 11, 11, 0, static_cast<std::int32_t>(0x80000012), 0);  // centre (5, 5), button text
  const Points down = {{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}};
  EXPECT_EQ(s.where(win::GetSysColor(win::COLOR_BTNTEXT), 12, 12), down);
  Surface v(12, 12);
  DrawPixelGlyph(v.dc, 0, 0, 11, 11, 0, 0x0000FF, 1);
  const Points side = {{6, 3}, {5, 4}, {6, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}, {6, 6}, {6, 7}};
  EXPECT_EQ(v.where(win::RGB(255, 0, 0), 12, 12), side);
}

TEST(Fills, BordersGradientsAndSolidFillsTranslateTheirColours) {
  Surface s(8, 8);
  DrawBorder(s.dc, static_cast<std::int32_t>(0x80000010), 1, 1, 4, 3);
  const win::COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
  const Points outline = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}};
  EXPECT_EQ(s.where(shadow, 8, 8), outline);

  Surface f(4, 2);
  FillColourRect(f.dc, -1, 0, 0, 0, 4, 2, true);
  EXPECT_EQ(f.at(0, 0), win::RGB(255, 255, 255));
  FillColourRect(f.dc, static_cast<std::int32_t>(0x8000000F), static_cast<std::int32_t>(0x8000000F), 0, 0, 4, 2,
                 true);
  EXPECT_EQ(f.at(3, 1), win::GetSysColor(win::COLOR_BTNFACE));
  FillColourRect(f.dc, 0x000000, 0x0000FF, 0, 0, 4, 2, true);
  EXPECT_EQ(f.at(0, 0), win::RGB(0, 0, 0));
  EXPECT_EQ(f.at(2, 1), win::RGB(127, 0, 0));
  FillColourRect(f.dc, 0x000000, 0x0000FF, 0, 0, 4, 2, false);
  EXPECT_EQ(f.at(3, 0), win::RGB(0, 0, 0));
  EXPECT_EQ(f.at(3, 1), win::RGB(127, 0, 0));

  win::TRIVERTEX v;
  ColourToVertex(v, 0x80FF01);
  EXPECT_EQ(v.Red, 0x0100);
  EXPECT_EQ(v.Green, 0xFF00);
  EXPECT_EQ(v.Blue, 0x8000);
  EXPECT_EQ(v.Alpha, 0);
}

TEST(Fills, TilesFollowAbsoluteCoordinatesEvenLeftOfZero) {
  Surface tile(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) win::SetPixel(tile.dc, x, y, win::RGB(x * 10, y * 10, 0));
  Surface s(10, 10, 0);
  TileBitmap(s.dc, 1, 1, 7, 5, tile.dc, 3, 2, 1);
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 8; ++x) ASSERT_EQ(s.at(x, y), win::RGB((x % 3) * 10, ((y + 1) % 2) * 10, 0)) << x << "," << y;
  EXPECT_EQ(s.at(8, 1), 0u);
  EXPECT_EQ(s.at(1, 6), 0u);
  // Negative origins take a non-negative remainder: column -1 shows tile column 2.
  win::POINT was;
  win::SetViewportOrgEx(s.dc, 4, 4, &was);
  TileBitmap(s.dc, -1, -1, 2, 1, tile.dc, 3, 2, 0);
  win::SetViewportOrgEx(s.dc, was.x, was.y, nullptr);
  EXPECT_EQ(s.at(3, 3), win::RGB(20, 10, 0));
  EXPECT_EQ(s.at(4, 3), win::RGB(0, 10, 0));
  Surface untouched(4, 4, 0);
  TileBitmap(untouched.dc, 0, 0, 4, 4, tile.dc, 0, 2, 0);
  EXPECT_EQ(untouched.where(0, 4, 4).size(), 16u);
}

TEST(Captions, TextIsDrawnTransparentlyInItsColourAndEmptyTextDrawsNothing) {
  Surface s(80, 20, win::RGB(0, 0, 255));
  win::RECT r{0, 0, 80, 20};
  EXPECT_EQ(DrawTextAW(s.dc, u"", 0, r, 0x24), 0);
  EXPECT_EQ(s.where(win::RGB(0, 0, 255), 80, 20).size(), 1600u);
  DrawButtonText(s.dc, u"&Да", 0, 0, 80, 20, 0, static_cast<std::int32_t>(0x80000008), 0, true);
  const auto ink = s.where(win::GetSysColor(win::COLOR_WINDOWTEXT), 80, 20);
  ASSERT_FALSE(ink.empty());
  EXPECT_EQ(ink.size() + s.where(win::RGB(0, 0, 255), 80, 20).size(), 1600u) << "only ink and background";
  int minX = 80, maxX = 0;
  for (auto [x, y] : ink) minX = std::min(minX, x), maxX = std::max(maxX, x);
  EXPECT_NEAR((minX + maxX) / 2.0, 40, 3);
}

TEST(Themes, ToolbarBackgroundsFollowTheButtonState) {
  Surface s(40, 10, 0);
  DrawThemedToolbarBackground(0, s.dc, 0, 0, 10, 10, true, true, 0, false, 0, false, false);
  DrawThemedToolbarBackground(0, s.dc, 10, 0, 10, 10, true, true, 0, false, 0, false, true);
  DrawThemedToolbarBackground(0, s.dc, 20, 0, 10, 10, true, false, 0, false, 0, true, false);
  DrawThemedToolbarBackground(0, s.dc, 30, 0, 10, 10, false, true, 0, false, 0, true, true);
  EXPECT_EQ(s.at(5, 5), win::RGB(225, 235, 250)) << "hot";
  EXPECT_EQ(s.at(15, 5), win::RGB(190, 210, 240)) << "pressed";
  EXPECT_EQ(s.at(25, 5), win::RGB(240, 244, 252)) << "checked";
  EXPECT_EQ(s.at(35, 5), 0u) << "disabled";
  platform::testing::SetTheme(false);
  Surface off(10, 10, 0);
  DrawThemedToolbarBackground(0, off.dc, 0, 0, 10, 10, true, true, 0, false, 0, false, false);
  platform::testing::SetTheme(true);
  EXPECT_EQ(off.at(5, 5), 0u);
}

TEST(Fonts, DescriptionsRoundThePointSizeAndCutLongFaceNames) {
  Surface s(1, 1);
  vb::StdFont f;
  f.Name = u"Tahoma";
  f.Size = 8.25;
  f.Bold = true;
  f.Underline = true;
  win::LOGFONTA lf;
  FontToLogFont(f, s.dc, lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfUnderline, 0xFF);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfCharSet, 204);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
  f.Size = 8.5;  // halves go to the even neighbour: 8
  FontToLogFont(f, s.dc, lf);
  EXPECT_EQ(lf.lfHeight, -11);
  f.Size = 9.5;  // 10
  FontToLogFont(f, s.dc, lf);
  EXPECT_EQ(lf.lfHeight, -13);
  platform::testing::SetLogPixels(120);
  FontToLogFont(f, s.dc, lf);
  platform::testing::SetLogPixels(96);
  EXPECT_EQ(lf.lfHeight, -17) << "10 points at 120 pixels an inch: 16.67";
  f.Name = std::u16string(40, u'A');
  FontToLogFont(f, s.dc, lf);
  EXPECT_EQ(std::string(lf.lfFaceName), std::string(31, 'A'));
}

TEST(Fonts, TheCacheKeepsOneFontPerFaceSizeEscapementAndStyle) {
  Surface s(1, 1);
  win::HFONT regular, again, bold, turned;
  {
    cFontCache cache;
    vb::StdFont f;
    f.Name = u"Tahoma";
    regular = cache.hFont(f, 0, s.dc);
    again = cache.hFont(f, 0, s.dc);
    turned = cache.hFont(f, 2700, s.dc);
    f.Bold = true;
    bold = cache.hFont(f, 0, s.dc);
    EXPECT_EQ(regular, again);
    EXPECT_NE(regular, turned);
    EXPECT_NE(regular, bold) << "a bold request never gets the regular font";
    win::LOGFONTA lf;
    win::GetObject(turned, sizeof lf, &lf);
    EXPECT_EQ(lf.lfEscapement, 2700);
    EXPECT_EQ(lf.lfOrientation, 2700);
    win::GetObject(bold, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
  }
  EXPECT_EQ(win::GetObjectType(regular), 0u) << "the cache deletes its fonts";
  EXPECT_EQ(win::GetObjectType(bold), 0u);
}
