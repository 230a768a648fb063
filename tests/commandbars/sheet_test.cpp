// Draws what the toolkit's drawing layer makes (glyphs, borders, gradients, blends, text, the
// disabled look, the drop shadows, the icon cache's looks and the colours of every style) onto one sheet and writes it as gdi-sheet.png in the build
// tree, at twice the size, for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>

#include "commandbars/alpha_dib_section.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/menu_drop_shadow.h"
#include "commandbars/utility.h"
#include "platform/gdi/icons.h"
#include "platform/testing/gdi.h"
#include "platform/win/window.h"
#include "support_gdi.h"

using namespace commandbars;

TEST(Sheet, WritesTheDrawingSheet) {
  constexpr int W = 320, H = 320;
  qmtest::Surface s(W, H, win::GetSysColor(win::COLOR_BTNFACE));

  // Row 1: check mark, sub-menu arrow, drop-down arrows, a border and a colour swatch outline.
  DrawCheckMark(s.dc, 4, 4, 16, 16);
  DrawSubMenuArrow(s.dc, 24, 4, 16, 16);
  DrawPixelGlyph(s.dc, 44, 4, 16, 16, 0, 0, 0);
  DrawPixelGlyph(s.dc, 64, 4, 16, 16, 0, 0, 1);
  DrawBorder(s.dc, static_cast<std::int32_t>(0x80000010), 84, 4, 16, 16);
  FillColourRect(s.dc, 0x0000FF, 0x0000FF, 105, 5, 14, 14, true);
  DrawBorder(s.dc, 0x000000, 104, 4, 16, 16);
  win::RECT edge{124, 4, 148, 20};
  win::DrawEdge(s.dc, &edge, win::EDGE_RAISED, win::BF_RECT);
  win::RECT sunken{152, 4, 176, 20};
  win::DrawEdge(s.dc, &sunken, win::EDGE_SUNKEN, win::BF_RECT | win::BF_SOFT);

  // Row 2: gradients and the bar background blend of highlight and face.
  FillColourRect(s.dc, 0xFFFFFF, static_cast<std::int32_t>(0x8000000F), 4, 26, 100, 20, true);
  FillColourRect(s.dc, 0xFFFFFF, 0x804000, 108, 26, 100, 20, false);
  FillColourRect(s.dc, BlendColour(static_cast<std::int32_t>(0x80000014), static_cast<std::int32_t>(0x8000000F), 192),
                 static_cast<std::int32_t>(0x8000000F), 212, 26, 100, 20, true);

  // Row 3: captions, upright and turned, with a marked letter.
  cFontCache fonts;
  vb::StdFont f;
  f.Name = u"Tahoma";
  f.Size = 8.25;
  win::HGDIOBJ oldFont = win::SelectObject(s.dc, fonts.hFont(f, 0, s.dc));
  DrawButtonText(s.dc, u"&Файл  Пр&авка  Вид", 4, 50, 150, 20, 0, 0x000000, 0, false);
  DrawButtonText(s.dc, u"По &центру", 160, 50, 150, 20, 0, 0x800000, 0, true);
  win::SelectObject(s.dc, fonts.hFont(f, 2700, s.dc));
  DrawButtonText(s.dc, u"Сервис", 4, 74, 16, 80, 0, 0x000000, 1, false);
  f.Bold = true;
  win::SelectObject(s.dc, fonts.hFont(f, 0, s.dc));
  DrawButtonText(s.dc, u"Жирный шрифт", 24, 74, 120, 20, 0, 0x000000, 0, false);
  win::SelectObject(s.dc, oldFont);

  // Themed toolbar buttons: hot, pressed, checked, a separator.
  DrawThemedToolbarBackground(0, s.dc, 24, 100, 24, 22, true, true, 0, false, 0, false, false);
  DrawThemedToolbarBackground(0, s.dc, 50, 100, 24, 22, true, true, 0, false, 0, false, true);
  DrawThemedToolbarBackground(0, s.dc, 76, 100, 24, 22, true, false, 0, false, 0, true, false);
  DrawThemedToolbarBackground(0, s.dc, 100, 100, 6, 22, true, false, 1, false, 0, false, false);

  // A picture with alpha blended at three constant alphas, and its disabled look.
  cAlphaDIBSection pic;
  ASSERT_TRUE(pic.Create(16, 16));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      std::uint8_t* p = pic.DIBSectionBitsPtr() + (y * 16 + x) * 4;
      const bool ring = (x - 8) * (x - 8) + (y - 8) * (y - 8) < 49;
      p[0] = static_cast<std::uint8_t>(x * 16), p[1] = 60, p[2] = static_cast<std::uint8_t>(y * 16);
      p[3] = ring ? 255 : 0;
    }
  pic.PreMultiplyAlpha();
  pic.AlphaPaintPicture(s.dc, 160, 80);
  pic.AlphaPaintPicture(s.dc, 180, 80, -1, -1, 0, 0, 128);
  pic.AlphaPaintPicture(s.dc, 200, 80, -1, -1, 0, 0, 48);
  win::ICONINFO ii{};
  win::HDC screen = win::CreateDC("DISPLAY", "", "", nullptr);
  ii.hbmColor = win::CreateCompatibleBitmap(screen, 16, 16);
  ii.hbmMask = win::CreateBitmap(16, 16, 1, 1, nullptr);
  win::DeleteDC(screen);
  win::HDC mem = win::CreateCompatibleDC(0);
  win::HGDIOBJ old = win::SelectObject(mem, ii.hbmColor);
  pic.PaintPicture(mem);
  win::SelectObject(mem, ii.hbmMask);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if ((x - 8) * (x - 8) + (y - 8) * (y - 8) >= 49) win::SetPixel(mem, x, y, 0xFFFFFF);
  win::SelectObject(mem, old);
  win::DeleteDC(mem);
  win::HICON icon = win::CreateIconIndirect(&ii);
  win::DeleteObject(ii.hbmColor);
  win::DeleteObject(ii.hbmMask);
  win::DrawIconEx(s.dc, 220, 80, icon, 0, 0, 0, 0, win::DI_NORMAL);
  win::DrawState(s.dc, 0, nullptr, icon, 0, 240, 80, 16, 16, win::DST_ICON | win::DSS_DISABLED);
  win::DestroyIcon(icon);

  // The two drop shadows of a menu standing at (30, 130), 120 x 50, drawn over white.
  win::RECT menu{30, 130, 150, 180};
  win::FillRect(s.dc, &menu, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  DrawBorder(s.dc, static_cast<std::int32_t>(0x80000010), 30, 130, 120, 50);
  for (int type : {0, 1}) {
    cMenuDropShadow shadow;
    shadow.ShadowType(type);
    shadow.ShadowColor(0x000000);
    shadow.Initialise(type == 0 ? 150 : 30, type == 0 ? 130 : 180, type == 0 ? 5 : 120, type == 0 ? 50 : 5, 0);
    shadow.Create();
    ASSERT_NE(shadow.PictureBits(), nullptr);
    // Draw the picture where the window stands, with the window's constant alpha.
    cAlphaDIBSection copy;
    ASSERT_TRUE(copy.Create(shadow.PictureWidth(), shadow.PictureHeight()));
    std::copy_n(shadow.PictureBits(), shadow.PictureWidth() * shadow.PictureHeight() * 4, copy.DIBSectionBitsPtr());
    win::RECT wr;
    win::GetWindowRect(shadow.hwnd(), &wr);
    copy.AlphaPaintPicture(s.dc, wr.left, wr.top, -1, -1, 0, 0, 96);
  }

  // An icon with the greys 227 and 221 (right half, and a band) in the icon cache's four looks, over
  // the button face and over white.
  const win::HIMAGELIST source = win::ImageList_Create(16, 16, win::ILC_COLOR32 | win::ILC_MASK, 4, 4);
  {
    win::ICONINFO gi{};
    win::HDC disp = win::CreateDC("DISPLAY", "", "", nullptr);
    gi.hbmColor = win::CreateCompatibleBitmap(disp, 16, 16);
    gi.hbmMask = win::CreateBitmap(16, 16, 1, 1, nullptr);
    win::DeleteDC(disp);
    win::HDC m = win::CreateCompatibleDC(0);
    win::HGDIOBJ o = win::SelectObject(m, gi.hbmColor);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        win::SetPixel(m, x, y, y >= 6 && y < 9 ? win::RGB(221, 221, 221)
                               : x >= 8   ? win::RGB(227, 227, 227)
                                          : win::RGB(x * 30, 40, 200 - y * 10));
    win::SelectObject(m, gi.hbmMask);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (x + y < 4 || x + y > 26) win::SetPixel(m, x, y, 0xFFFFFF);
    win::SelectObject(m, o);
    win::DeleteDC(m);
    win::HICON gicon = win::CreateIconIndirect(&gi);
    win::DeleteObject(gi.hbmColor);
    win::DeleteObject(gi.hbmMask);
    win::ImageList_AddIcon(source, gicon);
    win::DestroyIcon(gicon);
  }
  cCommandBarImageList cache;
  cache.InitialiseFromVariant(source);
  cache.SetDisabledColor(win::RGB(128, 128, 128));
  cache.SetHighlightColor(win::RGB(255, 200, 80));
  win::RECT white{100, 188, 184, 208};
  win::FillRect(s.dc, &white, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  for (int look = 0; look < 4; ++look) {
    cache.Draw(s.dc, 0, look, 4 + look * 20, 190);
    cache.Draw(s.dc, 0, look, 102 + look * 20, 190);
  }
  cache.DrawStrip(s.dc, 190, 190);
  cache.Destroy();
  win::ImageList_Destroy(source);

  // The thirty colours of each style, one row each: style 0; style 1 under "NormalColor",
  // "Metallic" and another scheme; style 2; style 3. "No colour" leaves the face showing.
  struct Row {
    int style;
    const char16_t* scheme;
  };
  const Row rows[] = {{0, u"Other"}, {1, u"NormalColor"}, {1, u"Metallic"}, {1, u"Other"}, {2, u"Other"}, {3, u"Other"}};
  std::int32_t (*const colours[30])() = {
      StyleColour01, StyleColour02, StyleColour03, StyleColour04, StyleColour05, StyleColour06,
      StyleColour07, StyleColour08, StyleColour09, StyleColour10, StyleColour11, StyleColour12,
      StyleColour13, StyleColour14, StyleColour15, StyleColour16, StyleColour17, StyleColour18,
      StyleColour19, StyleColour20, StyleColour21, StyleColour22, StyleColour23, StyleColour24,
      StyleColour25, StyleColour26, StyleColour27, StyleColour28, StyleColour29, StyleColour30};
  ResetColours();
  for (int r = 0; r < 6; ++r) {
    platform::testing::SetTheme(true, rows[r].scheme);
    SetCommandBarStyle(rows[r].style == 0 ? 2 : 0);
    SetCommandBarStyle(rows[r].style);
    const int y = 214 + r * 16;
    DrawBorder(s.dc, 0, 4, y, 12, 12);
    for (int k = 0; k < 30; ++k) {
      const std::int32_t c = colours[k]();
      FillColourRect(s.dc, c, c, 20 + k * 9, y, 8, 12, true);
    }
    // The style's number as dots in its marker box.
    for (int d = 0; d < rows[r].style; ++d) win::SetPixel(s.dc, 6 + d * 3, y + 5, 0);
  }
  platform::testing::SetTheme(true);
  ResetColours();

  qmtest::Surface big(2 * W, 2 * H);
  win::StretchBlt(big.dc, 0, 0, 2 * W, 2 * H, s.dc, 0, 0, W, H, win::SRCCOPY);
  const std::string path = std::string(QM_BINARY_DIR) + "/gdi-sheet.png";
  ASSERT_TRUE(platform::testing::SaveSurfacePng(big.dc, path));
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
}
