// The command bars' thirty colours in every style and theme variant, over a system colour table
// whose entries all differ, so that each derivation shows which system colour it took.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "commandbars/colour_scheme.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

namespace {

using namespace commandbars;
namespace pt = platform::testing;

constexpr std::int32_t Rgb(int r, int g, int b) { return static_cast<std::int32_t>(win::RGB(r, g, b)); }

constexpr std::int32_t kFace = Rgb(200, 190, 180);
constexpr std::int32_t kShadow = Rgb(100, 90, 80);
constexpr std::int32_t kLight = Rgb(250, 245, 240);
constexpr std::int32_t kDark = Rgb(40, 30, 20);
constexpr std::int32_t kLight3D = Rgb(220, 215, 210);
constexpr std::int32_t kSelect = Rgb(10, 60, 160);
constexpr std::int32_t kSelectText = Rgb(255, 250, 200);
constexpr std::int32_t kGreyText = Rgb(120, 130, 140);
constexpr std::int32_t kWindow = Rgb(255, 255, 250);
constexpr std::int32_t kMenu = Rgb(230, 225, 220);
constexpr std::int32_t kWindowText = Rgb(5, 6, 7);

// a * n / 255 + b * (255 - n) / 255 per channel, to the nearest integer (no halves occur: 255 is odd).
std::int32_t B(std::int32_t a, std::int32_t b, int n) {
  std::int32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int v = ((a >> shift) & 0xFF) * n + ((b >> shift) & 0xFF) * (255 - n);
    out |= ((v + 127) / 255) << shift;
  }
  return out;
}

using Table = std::array<std::int32_t, 31>;

// The colours of indexes 1 to 30 without custom colours, read from the scheme's tables.
Table Expected(int style, int variant, bool h) {
  Table t{};
  std::function<std::int32_t(int)> c = [&](int k) -> std::int32_t {
    if (style == 1) {
      const bool v1 = variant == 1, v2 = variant == 2;
      auto pick = [&](std::int32_t a, std::int32_t b, std::int32_t other) { return v1 ? a : v2 ? b : other; };
      switch (k) {
        case 1: case 14: return kWindowText;
        case 2: return c(1);
        case 3: return c(28);
        case 4: case 5: return -1;
        case 6: return pick(Rgb(253, 254, 211), Rgb(255, 239, 192), h ? B(kSelect, kLight, 77) : kFace);
        case 7: return pick(Rgb(253, 221, 152), Rgb(255, 220, 115), h ? B(kSelect, kLight, 84) : c(6));
        case 8: return pick(Rgb(251, 223, 128), Rgb(250, 218, 152), h ? B(c(29), c(6), 16) : kFace);
        case 9: return pick(Rgb(245, 185, 74), Rgb(229, 165, 33), c(29));
        case 10: return pick(Rgb(251, 139, 89), Rgb(236, 176, 139), h ? B(kSelect, kLight, 128) : kLight);
        case 11: return pick(Rgb(206, 47, 3), Rgb(196, 103, 48), h ? B(kSelect, kLight, 150) : c(10));
        case 12: return c(3);
        case 13: return pick(Rgb(0, 45, 150), Rgb(124, 124, 148), h ? B(kDark, kShadow, 96) : kShadow);
        case 15: return c(14);
        case 16: return pick(Rgb(160, 160, 160), Rgb(148, 148, 148), c(28));
        case 17: return h ? pick(Rgb(246, 246, 246), Rgb(253, 250, 255), Rgb(249, 248, 247)) : kMenu;
        case 18: return c(17);
        case 19: return c(6);
        case 20: return c(7);
        case 21: return pick(Rgb(0, 0, 128), Rgb(75, 75, 111), kSelect);
        case 22: return c(8);
        case 23: return c(9);
        case 24: return c(10);
        case 25: return c(11);
        case 26: return pick(Rgb(109, 150, 208), Rgb(168, 167, 190), h ? B(kShadow, kLight, 224) : kShadow);
        case 27: return pick(Rgb(255, 255, 255), Rgb(255, 255, 255), kLight);
        case 28: return pick(Rgb(106, 140, 203), Rgb(110, 109, 143), h ? B(kShadow, kLight, 180) : kShadow);
        case 29: return pick(Rgb(209, 227, 251), Rgb(249, 249, 255), h ? B(kFace, kLight, 24) : kFace);
        case 30: return pick(Rgb(129, 169, 226), Rgb(159, 157, 185), kFace);
      }
      return 0;
    }
    auto by = [&](std::int32_t s0, std::int32_t s2, std::int32_t s3) { return style == 0 ? s0 : style == 2 ? s2 : s3; };
    switch (k) {
      case 1: return by(kWindowText, Rgb(255, 255, 255), kWindowText);
      case 2: return by(c(1), c(15), c(1));
      case 3: return by(c(28), Rgb(190, 190, 190), c(28));
      case 4: case 5: return -1;
      case 6: return by(h ? B(B(kLight, Rgb(255, 255, 255), 128), kSelect, 178) : kFace, Rgb(70, 70, 70), kFace);
      case 7: return c(6);
      case 8: return by(h ? B(kSelect, c(29), 21) : kFace, c(19), h ? B(kLight, kFace, 220) : kFace);
      case 9: return c(8);
      case 10: return by(h ? B(kLight, kSelect, 128) : kLight, Rgb(90, 90, 90), kFace);
      case 11: return c(10);
      case 12: return by(kDark, Rgb(0, 0, 0), kDark);
      case 13: return by(h ? B(kShadow, kDark, 108) : kShadow, Rgb(68, 68, 68), kShadow);
      case 14: return by(kWindowText, Rgb(255, 255, 255), kWindowText);
      case 15: return by(c(14), Rgb(255, 223, 127), kSelectText);
      case 16: return by(h ? B(kFace, kGreyText, 128) : c(28), Rgb(145, 145, 145), c(28));
      case 17: return by(h ? B(kWindow, kFace, 220) : kMenu, h ? Rgb(91, 91, 91) : kMenu, kMenu);
      case 18: return c(17);
      case 19: return by(c(6), c(6), kSelect);
      case 20: return by(c(7), c(7), c(19));
      case 21: return by(kSelect, Rgb(65, 65, 65), kSelect);
      case 22: return by(c(8), c(8), c(17));
      case 23: return by(c(9), c(9), c(17));
      case 24: return by(c(10), c(10), c(17));
      case 25: return by(c(11), c(11), c(17));
      case 26: return by(kShadow, Rgb(70, 70, 70), kShadow);
      case 27: return by(kLight, Rgb(160, 160, 160), kLight);
      case 28: return by(kShadow, Rgb(112, 112, 112), kShadow);
      case 29: return by(h ? B(kLight3D, kFace, 128) : kFace, c(17), -1);
      case 30: return by(c(29), c(29), -1);
    }
    return 0;
  };
  for (int k = 1; k <= 30; ++k) t[static_cast<size_t>(k)] = c(k);
  return t;
}

Table Actual() {
  using F = std::int32_t (*)();
  static constexpr std::array<F, 31> fns = {
      nullptr,       StyleColour01, StyleColour02, StyleColour03, StyleColour04, StyleColour05, StyleColour06,
      StyleColour07, StyleColour08, StyleColour09, StyleColour10, StyleColour11, StyleColour12, StyleColour13,
      StyleColour14, StyleColour15, StyleColour16, StyleColour17, StyleColour18, StyleColour19, StyleColour20,
      StyleColour21, StyleColour22, StyleColour23, StyleColour24, StyleColour25, StyleColour26, StyleColour27,
      StyleColour28, StyleColour29, StyleColour30};
  Table t{};
  for (int k = 1; k <= 30; ++k) t[static_cast<size_t>(k)] = fns[static_cast<size_t>(k)]();
  return t;
}

class ColourScheme : public ::testing::Test {
 protected:
  void SetUp() override {
    pt::SetSysColor(win::COLOR_BTNFACE, kFace);
    pt::SetSysColor(win::COLOR_BTNSHADOW, kShadow);
    pt::SetSysColor(win::COLOR_BTNHIGHLIGHT, kLight);
    pt::SetSysColor(win::COLOR_3DDKSHADOW, kDark);
    pt::SetSysColor(win::COLOR_3DLIGHT, kLight3D);
    pt::SetSysColor(win::COLOR_HIGHLIGHT, kSelect);
    pt::SetSysColor(win::COLOR_HIGHLIGHTTEXT, kSelectText);
    pt::SetSysColor(win::COLOR_GRAYTEXT, kGreyText);
    pt::SetSysColor(win::COLOR_WINDOW, kWindow);
    pt::SetSysColor(win::COLOR_MENU, kMenu);
    pt::SetSysColor(win::COLOR_WINDOWTEXT, kWindowText);
    pt::SetDisplayBitsPerPixel(32);
    pt::SetTheme(true, u"Other");
    ResetColours();
    SetColourRefreshHandler(nullptr);
  }
  void TearDown() override {
    pt::ResetSysColors();
    pt::SetDisplayBitsPerPixel(32);
    pt::SetTheme(true);
    SetColourRefreshHandler(nullptr);
    ResetColours();
  }
  // Style `style` on a display of `bits` per pixel, detected under the colour scheme `scheme`.
  void Use(int style, int bits, const std::u16string& scheme = u"Other") {
    pt::SetDisplayBitsPerPixel(bits);
    pt::SetTheme(true, scheme);
    SetCommandBarStyle(style == 0 ? 2 : 0);
    SetCommandBarStyle(style);
  }
  void ExpectTable(int style, int variant, bool h) {
    const Table want = Expected(style, variant, h);
    const Table got = Actual();
    for (int k = 1; k <= 30; ++k)
      EXPECT_EQ(got[static_cast<size_t>(k)], want[static_cast<size_t>(k)])
          << "style " << style << " variant " << variant << " high colour " << h << " index " << k;
  }
};

TEST_F(ColourScheme, EveryStyleOnHighAndLowColourDisplays) {
  for (int style : {0, 2, 3}) {
    Use(style, 32);
    EXPECT_TRUE(HighColourDisplay());
    ExpectTable(style, 0, true);
    Use(style, 8);
    EXPECT_FALSE(HighColourDisplay());
    ExpectTable(style, 0, false);
  }
}

TEST_F(ColourScheme, StyleOneFollowsTheVisualStylesColourScheme) {
  Use(1, 32, u"NormalColor");
  ExpectTable(1, 1, true);
  EXPECT_EQ(StyleColour06(), Rgb(253, 254, 211));
  Use(1, 32, u"Metallic");
  ExpectTable(1, 2, true);
  Use(1, 32, u"Other");
  ExpectTable(1, 0, true);
  Use(1, 8, u"Other");
  ExpectTable(1, 0, false);
  EXPECT_EQ(StyleColour06(), kFace);
  EXPECT_EQ(StyleColour17(), kMenu);
  Use(1, 8, u"NormalColor");
  EXPECT_EQ(StyleColour17(), kMenu);
  // "Homestead" has no colours of its own: it follows the system colours as variant 0 does.
  Use(1, 32, u"Homestead");
  ExpectTable(1, 0, true);
}

TEST_F(ColourScheme, FixedColoursOfStyleTwoDoNotDependOnTheDisplay) {
  for (int bits : {32, 8}) {
    Use(2, bits);
    EXPECT_EQ(StyleColour01(), Rgb(255, 255, 255));
    EXPECT_EQ(StyleColour13(), Rgb(68, 68, 68));
  }
  Use(3, 32);
  EXPECT_EQ(StyleColour29(), -1);
  EXPECT_EQ(StyleColour30(), -1);
}

TEST_F(ColourScheme, VariantIsKeptWhenNoVisualStyleOpens) {
  Use(1, 32, u"Metallic");
  pt::SetTheme(false);
  SetCommandBarStyle(0);
  SetCommandBarStyle(1);
  ExpectTable(1, 2, true);
}

TEST_F(ColourScheme, CustomColourReachesWhatDerivesFromIt) {
  Use(0, 32);
  const Table plain = Actual();
  SetCustomColour(8, Rgb(1, 2, 3));
  EXPECT_FALSE(UseStyleColour(8));
  EXPECT_TRUE(UseStyleColour(9));
  EXPECT_EQ(StyleColour08(), Rgb(1, 2, 3));
  EXPECT_EQ(StyleColour09(), Rgb(1, 2, 3));
  EXPECT_EQ(StyleColour22(), Rgb(1, 2, 3));
  EXPECT_EQ(StyleColour23(), Rgb(1, 2, 3));
  std::int32_t index = 8;
  EXPECT_EQ(StyleColour(index), plain[8]);
  EXPECT_EQ(CustomColour(8), Rgb(1, 2, 3));  // put back after StyleColour
  index = 9;  // derives from 8, whose custom colour stays in force
  EXPECT_EQ(StyleColour(index), Rgb(1, 2, 3));
  index = 0;
  EXPECT_EQ(StyleColour(index), 0);
  index = 31;
  EXPECT_EQ(StyleColour(index), 0);
}

TEST_F(ColourScheme, SystemColourAsCustomColourIsTranslatedExceptOnTwoTwentySixAndTwentyEight) {
  Use(0, 32);
  const auto window = static_cast<std::int32_t>(0x80000005u);
  SetCustomColour(6, window);
  EXPECT_EQ(StyleColour06(), kWindow);
  EXPECT_EQ(StyleColour07(), kWindow);
  for (int k : {2, 26, 28}) SetCustomColour(k, window);
  EXPECT_EQ(StyleColour02(), window);
  EXPECT_EQ(StyleColour26(), window);
  EXPECT_EQ(StyleColour28(), window);
  EXPECT_EQ(StyleColour03(), window);  // [28] as it stands
  SetCustomColour(6, -1);
  EXPECT_TRUE(UseStyleColour(6));
}

TEST_F(ColourScheme, CustomColourIndexOutsideTheSlotsRaisesNine) {
  for (int bad : {-1, 32}) {
    try {
      SetCustomColour(bad, 0);
      ADD_FAILURE() << bad;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number, 9);
    }
    EXPECT_THROW(CustomColour(bad), vb::Error);
  }
  SetCustomColour(0, Rgb(9, 9, 9));
  SetCustomColour(31, Rgb(9, 9, 9));
  EXPECT_EQ(CustomColour(31), Rgb(9, 9, 9));
  ResetColours();
  EXPECT_EQ(CustomColour(31), -1);
  EXPECT_EQ(CommandBarStyle(), 1);
}

TEST_F(ColourScheme, OnlyAChangedStyleDetectsTheThemeAgain) {
  int refreshes = 0;
  SetColourRefreshHandler([&] { ++refreshes; });
  Use(1, 32, u"NormalColor");
  EXPECT_EQ(refreshes, 2);
  pt::SetTheme(true, u"Metallic");
  pt::SetDisplayBitsPerPixel(8);
  SetCommandBarStyle(1);
  EXPECT_EQ(refreshes, 2);
  EXPECT_TRUE(HighColourDisplay());
  ExpectTable(1, 1, true);
  DetectTheme(win::GetDesktopWindow());
  EXPECT_EQ(refreshes, 3);
  ExpectTable(1, 2, false);
}

TEST_F(ColourScheme, BarBackgroundOfEqualColoursIsSolidAndOfNoColourIsNothing) {
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = -4;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bmp = win::CreateDIBSection(0, &info, win::DIB_RGB_COLORS, &bits, 0, 0);
  const win::HDC dc = win::CreateCompatibleDC(0);
  const win::HGDIOBJ old = win::SelectObject(dc, bmp);
  auto* px = static_cast<std::uint32_t*>(bits);
  std::fill(px, px + 16, 0x00123456u);
  FillBarBackground(0, 0, dc, -1, kFace, 0, 0, 4, 4, true, false);
  EXPECT_EQ(px[5], 0x00123456u);
  FillBarBackground(0, 0, dc, static_cast<std::int32_t>(0x8000000Fu), static_cast<std::int32_t>(0x8000000Fu), 1, 1,
                    2, 2, true, false);
  EXPECT_EQ(win::GetPixel(dc, 1, 1), static_cast<win::COLORREF>(kFace));
  EXPECT_EQ(win::GetPixel(dc, 2, 2), static_cast<win::COLORREF>(kFace));
  EXPECT_EQ(px[0], 0x00123456u);
  EXPECT_EQ(px[15], 0x00123456u);
  win::SelectObject(dc, old);
  win::DeleteObject(bmp);
  win::DeleteDC(dc);
}

// A gradient spans the area window, placed within the origin window, and is cut to the rectangle.
TEST_F(ColourScheme, BarBackgroundGradientSpansTheAreaWindow) {
  win::WNDCLASSA wc;
  wc.lpszClassName = "BarBackgroundProbe";
  wc.lpfnWndProc = &win::DefWindowProcA;
  win::RegisterClassA(wc);
  const win::HWND origin = win::CreateWindowExA(0, "BarBackgroundProbe", u"", win::WS_POPUP, 100, 100, 200, 50, 0, 0, 0, nullptr);
  const win::HWND area = win::CreateWindowExA(0, "BarBackgroundProbe", u"", win::WS_POPUP, 110, 100, 100, 50, 0, 0, 0, nullptr);
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = 200;
  info.bmiHeader.biHeight = -50;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bmp = win::CreateDIBSection(0, &info, win::DIB_RGB_COLORS, &bits, 0, 0);
  const win::HDC dc = win::CreateCompatibleDC(0);
  const win::HGDIOBJ old = win::SelectObject(dc, bmp);
  std::fill(static_cast<std::uint32_t*>(bits), static_cast<std::uint32_t*>(bits) + 200 * 50, 0x00123456u);
  // Position i of 100 takes c1 + (c2 - c1) * i / 100 on 16-bit channels, then the high byte.
  FillBarBackground(origin, area, dc, 0, Rgb(200, 0, 0), 20, 0, 10, 10, true, false);
  EXPECT_EQ(win::GetPixel(dc, 20, 5), static_cast<win::COLORREF>(Rgb(20, 0, 0)));
  EXPECT_EQ(win::GetPixel(dc, 29, 9), static_cast<win::COLORREF>(Rgb(38, 0, 0)));
  EXPECT_EQ(win::GetPixel(dc, 19, 5), 0x563412u);
  EXPECT_EQ(win::GetPixel(dc, 30, 5), 0x563412u);
  EXPECT_EQ(win::GetPixel(dc, 25, 10), 0x563412u);
  // Two different colours make the gradient also when one of them is "no colour", which reads as
  // white: 0xFF00 + (200 * 256 - 0xFF00) * 10 / 100 of red, 0xFF00 - 0xFF00 * 10 / 100 of green.
  FillBarBackground(origin, area, dc, -1, Rgb(200, 0, 0), 20, 10, 10, 10, true, false);
  EXPECT_EQ(win::GetPixel(dc, 20, 15), static_cast<win::COLORREF>(Rgb(249, 229, 229)));
  EXPECT_EQ(win::GetPixel(dc, 30, 15), 0x563412u);
  // The system gradient: from highlight and face blended at 192 to the face, whatever the colours.
  FillBarBackground(origin, area, dc, 0, 0, 10, 0, 1, 1, false, true);
  EXPECT_EQ(win::GetPixel(dc, 10, 0), static_cast<win::COLORREF>(B(kLight, kFace, 192)));
  pt::SetDisplayBitsPerPixel(8);
  DetectTheme(win::GetDesktopWindow());
  FillBarBackground(origin, area, dc, kWindow, kWindow, 40, 0, 1, 1, false, true);
  EXPECT_EQ(win::GetPixel(dc, 40, 0), static_cast<win::COLORREF>(kWindow));
  win::SelectObject(dc, old);
  win::DeleteObject(bmp);
  win::DeleteDC(dc);
  win::DestroyWindow(origin);
  win::DestroyWindow(area);
}

}  // namespace
