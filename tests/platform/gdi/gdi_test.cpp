#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"

using namespace win;

namespace {

// A memory context with a 32-bit DIB section selected; rows bottom-up unless topDown.
struct Dib {
  HDC dc = 0;
  HBITMAP bmp = 0;
  HGDIOBJ old = 0;
  BYTE* bits = nullptr;
  int w, h;
  Dib(int width, int height, bool topDown = false) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = topDown ? -h : h;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(0);
    void* p = nullptr;
    bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, 0, 0);
    bits = static_cast<BYTE*>(p);
    old = SelectObject(dc, bmp);
  }
  ~Dib() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  // The four bytes of the pixel at (x, y) counted from the top of the picture.
  BYTE* at(int x, int y, bool topDown = false) { return bits + ((topDown ? y : h - 1 - y) * w + x) * 4; }
  void fill(BYTE b, BYTE g, BYTE r, BYTE a) {
    for (int i = 0; i < w * h; ++i) {
      bits[i * 4] = b;
      bits[i * 4 + 1] = g;
      bits[i * 4 + 2] = r;
      bits[i * 4 + 3] = a;
    }
  }
};

std::vector<int> Bytes(const BYTE* p) { return {p[0], p[1], p[2], p[3]}; }

}  // namespace

TEST(DeviceContexts, DibSectionRowsAreBottomUpAndDrawingClearsTheFourthByte) {
  Dib d(3, 2);
  d.fill(9, 9, 9, 200);
  EXPECT_EQ(SetPixel(d.dc, 0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(Bytes(d.bits + (1 * 3 + 0) * 4), (std::vector<int>{0, 0, 255, 0}));  // top line is the last row
  EXPECT_EQ(GetPixel(d.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(d.dc, 3, 0), CLR_INVALID);

  Dib top(3, 2, true);
  SetPixel(top.dc, 0, 0, RGB(1, 2, 3));
  EXPECT_EQ(Bytes(top.bits), (std::vector<int>{3, 2, 1, 0}));

  BITMAP bm;
  ASSERT_EQ(GetObject(d.bmp, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 12);
  EXPECT_EQ(bm.bmBits, d.bits);
}

TEST(DeviceContexts, SelectObjectHandsBackThePreviousObjectAndSelectedBitmapsStay) {
  HDC dc = CreateCompatibleDC(0);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ firstPen = SelectObject(dc, red);
  EXPECT_EQ(firstPen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, firstPen), red);

  HBITMAP a = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ initial = SelectObject(dc, a);
  EXPECT_NE(initial, 0);
  EXPECT_FALSE(DeleteObject(a)) << "a bitmap selected into a context is not deleted";
  HDC other = CreateCompatibleDC(0);
  EXPECT_EQ(SelectObject(other, a), 0) << "a bitmap goes into one context at a time";
  EXPECT_EQ(SelectObject(dc, initial), a);
  EXPECT_TRUE(DeleteObject(a));
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), 0u);
  DeleteDC(other);
  DeleteDC(dc);
}

TEST(DeviceContexts, CompatibleBitmapOfAFreshMemoryContextIsMonochrome) {
  HDC screen = CreateDC("DISPLAY", "", "", nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAP bm;
  HBITMAP mono = CreateCompatibleBitmap(mem, 8, 8);
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP colour = CreateCompatibleBitmap(screen, 8, 8);
  GetObject(colour, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(mem, LOGPIXELSY), 96);
  platform::testing::SetDisplayBitsPerPixel(8);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
  platform::testing::SetDisplayBitsPerPixel(32);
  DeleteObject(mono);
  DeleteObject(colour);
  DeleteDC(mem);
  DeleteDC(screen);
}

TEST(Drawing, RectanglesAndLinesLeaveOutTheirFarEdges) {
  Dib d(10, 10);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r{2, 2, 5, 4};
  FillRect(d.dc, &r, blue);
  EXPECT_EQ(GetPixel(d.dc, 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(d.dc, 4, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(d.dc, 5, 3), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(d.dc, 4, 4), RGB(0, 0, 0));

  HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(d.dc, white);
  MoveToEx(d.dc, 0, 9, nullptr);
  LineTo(d.dc, 3, 6);  // diagonal up-right; (3, 6) is left out
  EXPECT_EQ(GetPixel(d.dc, 0, 9), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(d.dc, 2, 7), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(d.dc, 3, 6), RGB(0, 0, 0));
  SelectObject(d.dc, old);
  DeleteObject(white);

  // The viewport origin moves drawing; clip rectangles hold it in, in device pixels.
  POINT was;
  SetViewportOrgEx(d.dc, 5, 5, &was);
  HRGN clip = CreateRectRgn(0, 0, 7, 7);
  SelectClipRgn(d.dc, clip);
  RECT all{0, 0, 5, 5};
  FillRect(d.dc, &all, GetSysColorBrush(COLOR_WINDOW));
  SetViewportOrgEx(d.dc, was.x, was.y, nullptr);
  SelectClipRgn(d.dc, 0);
  DeleteObject(clip);
  EXPECT_EQ(GetPixel(d.dc, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(d.dc, 6, 6), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(d.dc, 7, 7), RGB(0, 0, 0));
  DeleteObject(blue);
}

TEST(Drawing, EdgesUseTheClassicColoursAndAdjust) {
  Dib d(6, 6);
  RECT r{0, 0, 6, 6};
  DrawEdge(d.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(GetPixel(d.dc, 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(d.dc, 5, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(d.dc, 5, 0), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(d.dc, 1, 1), GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(GetPixel(d.dc, 4, 4), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.bottom, 4);
}

TEST(Copies, BitBltCarriesAllFourBytesAndConvertsMonochrome) {
  Dib src(2, 2), dst(4, 4);
  src.fill(10, 20, 30, 40);
  ASSERT_TRUE(BitBlt(dst.dc, 1, 1, 2, 2, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(Bytes(dst.at(1, 1)), (std::vector<int>{10, 20, 30, 40}));
  EXPECT_EQ(Bytes(dst.at(0, 0)), (std::vector<int>{0, 0, 0, 0}));
  BitBlt(dst.dc, 1, 1, 1, 1, src.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(Bytes(dst.at(1, 1)), (std::vector<int>{0, 0, 0, 0}));

  // Monochrome to colour: black takes the text colour, white the background colour.
  const BYTE rows[2][2] = {{0x80, 0}, {0x00, 0}};  // top row: white, black
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, rows);
  HDC mdc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(mdc, mono);
  SetTextColor(dst.dc, RGB(1, 2, 3));
  SetBkColor(dst.dc, RGB(250, 251, 252));
  BitBlt(dst.dc, 0, 0, 2, 1, mdc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(250, 251, 252));
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(1, 2, 3));
  // Colour to monochrome: the source's background colour gives white.
  SetBkColor(dst.dc, RGB(1, 2, 3));
  BitBlt(mdc, 0, 0, 2, 1, dst.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(255, 255, 255));
  SelectObject(mdc, old);
  DeleteObject(mono);
  DeleteDC(mdc);
}

TEST(Copies, StretchBltTakesTheNearestSourcePixel) {
  Dib src(2, 1), dst(4, 1);
  SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(src.dc, 1, 0, RGB(0, 255, 0));
  StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc, 2, 0), RGB(0, 255, 0));
}

TEST(Blending, ConstantAlphaMixesEveryByteWithNearestRounding) {
  Dib src(1, 1), dst(1, 1);
  src.fill(255, 255, 255, 255);
  dst.fill(0, 100, 200, 0);
  ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0}));
  // (255 * 128 + d * 127) / 255, rounded.
  EXPECT_EQ(Bytes(dst.at(0, 0)), (std::vector<int>{128, 178, 228, 128}));
}

TEST(Blending, PerPixelAlphaTakesPremultipliedSources) {
  Dib src(2, 1), dst(2, 1);
  // Premultiplied: colour 100 at alpha 128; and a fully transparent pixel.
  src.at(0, 0)[0] = 100, src.at(0, 0)[1] = 0, src.at(0, 0)[2] = 50, src.at(0, 0)[3] = 128;
  dst.fill(200, 200, 200, 255);
  AlphaBlend(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 2, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
  // s + d * (255 - 128) / 255: 100 + 100 (99.6 rounded).
  EXPECT_EQ(Bytes(dst.at(0, 0)), (std::vector<int>{200, 100, 150, 255}));
  EXPECT_EQ(Bytes(dst.at(1, 0)), (std::vector<int>{200, 200, 200, 255}));
  // Constant alpha 96 scales the source first: 100 * 96 / 255 = 38, alpha 48.
  dst.fill(0, 0, 0, 0);
  AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 96, AC_SRC_ALPHA});
  EXPECT_EQ(Bytes(dst.at(0, 0)), (std::vector<int>{38, 0, 19, 48}));
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, 1, 0, 2, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 255, 0}))
      << "a source rectangle outside the picture is refused";
}

TEST(Gradients, RectangleGradientsStepByTruncatedIntegerParts) {
  Dib d(4, 3);
  TRIVERTEX v[2];
  v[0].x = 0, v[0].y = 0, v[0].Red = 0, v[0].Green = 0xFF00, v[0].Blue = 0;
  v[1].x = 4, v[1].y = 3, v[1].Red = 0xFF00, v[1].Green = 0, v[1].Blue = 0x8000;
  GRADIENT_RECT g{0, 1};
  ASSERT_TRUE(GradientFill(d.dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H));
  // Column i: c1 + (c2 - c1) * i / 4, high byte.
  EXPECT_EQ(GetPixel(d.dc, 0, 2), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(d.dc, 1, 0), RGB(63, 191, 32));
  EXPECT_EQ(GetPixel(d.dc, 3, 1), RGB(191, 63, 96));
  ASSERT_TRUE(GradientFill(d.dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(GetPixel(d.dc, 3, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(d.dc, 0, 1), RGB(85, 170, 42));
  GRADIENT_RECT bad{0, 2};
  EXPECT_FALSE(GradientFill(d.dc, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));

  // A gradient laid over a wider area than the clip shows the clipped part of the whole gradient:
  // the colours step over the whole width, and nothing outside the clip changes.
  Dib wide(8, 3);
  wide.fill(1, 2, 3, 255);
  const HRGN clip = CreateRectRgn(2, 1, 4, 2);
  SelectClipRgn(wide.dc, clip);
  TRIVERTEX across[2] = {v[0], v[1]};
  across[0].x = -4;
  across[1].x = 12;  // 16 steps, from x = -4
  ASSERT_TRUE(GradientFill(wide.dc, across, 2, &g, 1, GRADIENT_FILL_RECT_H));
  SelectClipRgn(wide.dc, 0);
  DeleteObject(clip);
  // Column x is step x + 4: red 0xFF00 * (x + 4) / 16, high byte.
  EXPECT_EQ(GetPixel(wide.dc, 2, 1), RGB(95, 159, 48));
  EXPECT_EQ(GetPixel(wide.dc, 3, 1), RGB(111, 143, 56));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 8; ++x)
      if (y != 1 || x < 2 || x > 3) EXPECT_EQ(GetPixel(wide.dc, x, y), RGB(3, 2, 1)) << x << "," << y;
}

TEST(DibBits, ReadAndWriteScanLinesIn32And1Bits) {
  Dib d(3, 2);
  SetPixel(d.dc, 2, 0, RGB(255, 255, 255));
  BITMAPINFO bi{};
  ASSERT_EQ(GetDIBits(d.dc, d.bmp, 0, 2, nullptr, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bi.bmiHeader.biBitCount, 32);
  bi.bmiHeader.biBitCount = 1;
  std::vector<BYTE> mono(8, 0xAA);
  ASSERT_EQ(GetDIBits(d.dc, d.bmp, 0, 2, mono.data(), &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(mono[4], 0x20) << "row 1 (the top line) has its third pixel white";
  EXPECT_EQ(mono[0], 0x00);
  EXPECT_EQ(bi.bmiColors[1].rgbRed, 255);

  std::vector<BYTE> px(3 * 2 * 4, 0);
  px[0] = 1, px[1] = 2, px[2] = 3, px[3] = 4;  // bottom-left
  bi.bmiHeader.biBitCount = 32;
  ASSERT_EQ(SetDIBits(d.dc, d.bmp, 0, 2, px.data(), &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(Bytes(d.at(0, 1)), (std::vector<int>{1, 2, 3, 4}));
  bi.bmiHeader.biWidth = 4;
  EXPECT_EQ(SetDIBits(d.dc, d.bmp, 0, 2, px.data(), &bi, DIB_RGB_COLORS), 0) << "a width that differs is refused";
}

TEST(DibBits, StartLinesAtOrBeyondTheHeightAreRefusedAndTouchNothing) {
  Dib d(3, 2);
  d.fill(7, 7, 7, 7);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<BYTE> row(3 * 4, 0x55);
  // Start lines past the end, including those that wrap around when added to the line count.
  for (UINT start : {2u, 3u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(SetDIBits(d.dc, d.bmp, start, 1, row.data(), &bi, DIB_RGB_COLORS), 0) << start;
    EXPECT_EQ(GetDIBits(d.dc, d.bmp, start, 1, row.data(), &bi, DIB_RGB_COLORS), 0) << start;
    EXPECT_EQ(row, std::vector<BYTE>(3 * 4, 0x55)) << "nothing is read for start " << start;
  }
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Bytes(d.at(x, y)), (std::vector<int>{7, 7, 7, 7}));
  // A count that runs past the end stops at the last line.
  std::vector<BYTE> two(3 * 4 * 2, 0x11);
  EXPECT_EQ(SetDIBits(d.dc, d.bmp, 1, 0xFFFFFFFFu, two.data(), &bi, DIB_RGB_COLORS), 1);
  EXPECT_EQ(Bytes(d.at(0, 0)), (std::vector<int>{0x11, 0x11, 0x11, 0x11})) << "line 1 of a bottom-up bitmap is the top";
  EXPECT_EQ(Bytes(d.at(0, 1)), (std::vector<int>{7, 7, 7, 7}));
}

TEST(Colours, SystemColoursComeFromATableTestsMayChange) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  COLORREF c = 1;
  EXPECT_EQ(OleTranslateColor(0x8000000F, 0, &c), S_OK);
  EXPECT_EQ(c, RGB(212, 208, 200));
  EXPECT_EQ(OleTranslateColor(RGB(1, 2, 3), 0, &c), S_OK);
  EXPECT_EQ(c, RGB(1, 2, 3));
  EXPECT_EQ(OleTranslateColor(0xFFFFFFFF, 0, &c), E_INVALIDARG);
  EXPECT_EQ(OleTranslateColor(0x80000040, 0, &c), E_INVALIDARG);
  EXPECT_EQ(OleTranslateColor(0x01000005, 0, &c), E_INVALIDARG);

  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  platform::testing::SetSysColor(COLOR_BTNFACE, RGB(192, 192, 192));
  Dib d(1, 1);
  RECT r{0, 0, 1, 1};
  FillRect(d.dc, &r, face);
  EXPECT_EQ(GetPixel(d.dc, 0, 0), RGB(192, 192, 192));
  FillRect(d.dc, &r, static_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_EQ(GetPixel(d.dc, 0, 0), RGB(255, 255, 255));
  platform::testing::ResetSysColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_FALSE(DeleteObject(face) && GetObjectType(face) == 0) << "system colour brushes stay";
}

TEST(Text, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);  // 10.67
  EXPECT_EQ(MulDiv(-8, 96, 72), -11);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
}

TEST(Text, PrefixesAreMeasuredWithoutTheirAmpersand) {
  Dib d(200, 40);
  LOGFONTA lf;
  lf.lfHeight = -11;
  std::strcpy(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(d.dc, font);
  RECT a{0, 0, 256, 256}, b{0, 0, 256, 256}, c{0, 0, 256, 256}, e{0, 0, 256, 256};
  DrawTextW(d.dc, u"&Файл", -1, &a, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(d.dc, u"Файл", -1, &b, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(d.dc, u"A&&B", -1, &c, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(d.dc, u"A&B", -1, &e, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(a.right, b.right);
  EXPECT_GT(a.right, 10);
  EXPECT_EQ(c.right, e.right);
  SIZE ext;
  GetTextExtentPoint32W(d.dc, u"Файл", 4, &ext);
  EXPECT_EQ(ext.cx, b.right);
  EXPECT_EQ(ext.cy, b.bottom);
  TEXTMETRICA tm;
  GetTextMetricsA(d.dc, &tm);
  EXPECT_EQ(tm.tmHeight, b.bottom);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  // Two lines are twice as high as one.
  RECT two{0, 0, 256, 256};
  EXPECT_EQ(DrawTextW(d.dc, u"a\r\nb", -1, &two, DT_CALCRECT), 2 * tm.tmHeight);
  SelectObject(d.dc, old);
  DeleteObject(font);
}

// A caption drawn again (a menu item repainted) looks as it did, and the same text in another font or
// with other flags is laid out for that font and those flags.
TEST(Text, TextDrawnAgainIsTheSameAndAnotherFontOrFlagsLayItOutAnew) {
  const auto draw = [](HFONT font, UINT format) {
    auto d = std::make_unique<Dib>(120, 40);
    d->fill(0, 0, 0, 255);
    SetTextColor(d->dc, RGB(255, 255, 255));
    SetBkMode(d->dc, TRANSPARENT);
    const HGDIOBJ old = SelectObject(d->dc, font);
    RECT r{0, 0, 120, 40};
    DrawTextW(d->dc, u"&Правка", -1, &r, format);
    SelectObject(d->dc, old);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) pixels.push_back(GetPixel(d->dc, x, y));
    return pixels;
  };
  const auto width = [](HFONT font, std::u16string_view text) {
    Dib d(4, 4);
    const HGDIOBJ old = SelectObject(d.dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(d.dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SIZE extent{};
    GetTextExtentPoint32W(d.dc, text, static_cast<int>(text.size()), &extent);
    SelectObject(d.dc, old);
    return std::pair{r.right, extent.cx};
  };
  LOGFONTA lf;
  lf.lfHeight = -11;
  std::strcpy(lf.lfFaceName, "Tahoma");
  const HFONT small = CreateFontIndirectA(&lf);
  lf.lfHeight = -22;
  const HFONT large = CreateFontIndirectA(&lf);
  const std::vector<COLORREF> first = draw(small, DT_SINGLELINE);
  EXPECT_EQ(draw(small, DT_SINGLELINE), first);
  EXPECT_NE(draw(large, DT_SINGLELINE), first);
  EXPECT_NE(draw(small, DT_SINGLELINE | DT_NOPREFIX), first) << "the \"&\" shown, no letter underlined";
  EXPECT_NE(draw(small, DT_SINGLELINE | DT_CENTER), first);
  EXPECT_GT(width(large, u"Правка").first, width(small, u"Правка").first);
  EXPECT_GT(width(large, u"Правка").second, width(small, u"Правка").second);
  EXPECT_GT(width(small, u"Правка правка").second, width(small, u"Правка").second);
  DeleteObject(small);
  DeleteObject(large);
}

TEST(Text, DrawnTextIsCentredClippedAndUnderlinedAtTheMarkedLetter) {
  Dib d(100, 30);
  d.fill(0, 0, 0, 0);
  SetTextColor(d.dc, RGB(255, 255, 255));
  SetBkMode(d.dc, TRANSPARENT);
  RECT r{10, 0, 90, 30};
  DrawTextW(d.dc, u"&Ш", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  int minX = 100, maxX = -1, minY = 30, maxY = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x)
      if (GetPixel(d.dc, x, y) == RGB(255, 255, 255)) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0) << "something was drawn";
  EXPECT_NEAR((minX + maxX) / 2.0, 50, 3);
  EXPECT_NEAR((minY + maxY) / 2.0, 15, 4);
  // The underline runs below the letter: its lowest row is a line of ink as wide as the letter.
  int underline = 0;
  for (int x = 0; x < 100; ++x) underline += GetPixel(d.dc, x, maxY) == RGB(255, 255, 255);
  EXPECT_GE(underline, (maxX - minX) / 2);

  Dib clip(20, 20);
  SetTextColor(clip.dc, RGB(255, 255, 255));
  SetBkMode(clip.dc, TRANSPARENT);
  RECT small{0, 0, 3, 20};
  DrawTextW(clip.dc, u"WWWW", -1, &small, DT_SINGLELINE);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(GetPixel(clip.dc, 5, y), RGB(0, 0, 0));
}

TEST(Text, TextTurnedDownwardsLiesLeftOfItsReferencePoint) {
  Dib d(40, 100);
  LOGFONTA lf;
  lf.lfHeight = -11;
  lf.lfEscapement = lf.lfOrientation = 2700;
  std::strcpy(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(d.dc, font);
  SetTextColor(d.dc, RGB(255, 255, 255));
  SetBkMode(d.dc, TRANSPARENT);
  RECT r{30, 5, 0, 100};  // reversed in x, as vertical captions are given
  DrawTextW(d.dc, u"Правка", -1, &r, DT_SINGLELINE);
  int minX = 40, maxX = -1, minY = 100, maxY = -1;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 40; ++x)
      if (GetPixel(d.dc, x, y) == RGB(255, 255, 255)) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_LT(maxX, 30);
  EXPECT_GE(minY, 5);
  EXPECT_GT(maxY - minY, maxX - minX) << "the text runs downwards";
  SelectObject(d.dc, old);
  DeleteObject(font);
}

TEST(WindowSurfaces, WindowContextsDrawOnTheRetainedSurfaceAtAnyTime) {
  WNDCLASSA wc;
  wc.lpszClassName = "GdiSurfaceTest";
  wc.lpfnWndProc = &DefWindowProcA;
  RegisterClassA(wc);
  HWND h = CreateWindowExA(0, "GdiSurfaceTest", u"", WS_POPUP, 0, 0, 20, 10, 0, 0, 0, nullptr);
  ASSERT_NE(h, 0);
  HDC dc = GetDC(h);
  HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
  RECT r{0, 0, 5, 5};
  FillRect(dc, &r, b);
  EXPECT_EQ(ReleaseDC(h, dc), 1);
  EXPECT_EQ(platform::testing::SurfacePixel(h, 4, 4), RGB(10, 20, 30));
  EXPECT_EQ(platform::testing::SurfacePixel(h, 5, 5), GetSysColor(COLOR_BTNFACE));

  PAINTSTRUCT ps;
  HDC pdc = BeginPaint(h, &ps);
  EXPECT_EQ(ps.rcPaint.right, 20);
  SetPixel(pdc, 19, 9, RGB(1, 1, 1));
  EndPaint(h, &ps);
  EXPECT_EQ(platform::testing::SurfacePixel(h, 19, 9), RGB(1, 1, 1));
  EXPECT_EQ(GetObjectType(pdc), 0u) << "the paint context is gone after EndPaint";
  DeleteObject(b);
  DestroyWindow(h);
}

TEST(WindowSurfaces, LayeredWindowsShowPremultipliedPixelsWithTheirConstantAlpha) {
  WNDCLASSA wc;
  wc.lpszClassName = "GdiLayeredTest";
  wc.lpfnWndProc = &DefWindowProcA;
  RegisterClassA(wc);
  HWND h = CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "GdiLayeredTest", u"",
                           WS_POPUP, 0, 0, 2, 1, 0, 0, 0, nullptr);
  Dib src(2, 1);
  src.at(0, 0)[0] = 200, src.at(0, 0)[3] = 200;
  POINT at{30, 40}, zero{0, 0};
  SIZE size{2, 1};
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 96, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(h, 0, &at, &size, src.dc, &zero, 0, &bf, ULW_ALPHA));
  EXPECT_EQ(platform::testing::SurfaceAlpha(h, 0, 0), 75);  // 200 * 96 / 255
  EXPECT_EQ(platform::testing::SurfaceAlpha(h, 1, 0), 0);
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.left, 30);
  EXPECT_EQ(wr.right - wr.left, 2);
  DestroyWindow(h);
}

namespace {
int paints = 0;
LRESULT PaintThroughGetDC(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_PAINT) {
    ++paints;
    HDC dc = GetDC(h);
    SetPixel(dc, 0, 0, RGB(9, 8, 7));
    ReleaseDC(h, dc);
    return 0;
  }
  return DefWindowProcA(h, msg, w, l);
}
}  // namespace

TEST(WindowSurfaces, DrawingWhileHandlingPaintAsksForNoFurtherPaint) {
  WNDCLASSA wc;
  wc.lpszClassName = "GdiPaintLoopTest";
  wc.lpfnWndProc = &PaintThroughGetDC;
  RegisterClassA(wc);
  HWND h = CreateWindowExA(0, "GdiPaintLoopTest", u"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 10, 0, 0, 0, nullptr);
  for (int i = 0; i < 5; ++i) vb::DoEvents();
  ASSERT_GT(paints, 0);
  EXPECT_EQ(platform::testing::SurfacePixel(h, 0, 0), RGB(9, 8, 7));
  const int settled = paints;
  for (int i = 0; i < 5; ++i) vb::DoEvents();
  EXPECT_EQ(paints, settled);
  DestroyWindow(h);
}
