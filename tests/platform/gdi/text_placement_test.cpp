// Letters drawn through a device context stand at whole-pixel advances, as the platform places them:
// a word's pixels are its letters' pixels, each letter where the extents of the ones before it end,
// with no gap or overlap inside the word. Scaled screens draw fonts at fractional advances unless
// the drawing asks otherwise, so ctest also runs this test at QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/vb/strings.h"

using namespace win;

namespace {

// A white memory context with the menus' font selected.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(0);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, 0, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    LOGFONTA lf{};
    lf.lfHeight = -11;
    std::strcpy(lf.lfFaceName, "Tahoma");
    font_ = CreateFontIndirectA(&lf);
    oldFont_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Canvas() {
    SelectObject(dc_, oldFont_);
    DeleteObject(font_);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void Clear() {
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  int Extent(std::u16string_view text) {
    SIZE s{};
    GetTextExtentPoint32W(dc_, text, static_cast<int>(text.size()), &s);
    return s.cx;
  }
  void Draw(std::u16string_view text, int x) {
    RECT r{x, 0, kWidth, kHeight};
    DrawTextW(dc_, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  }
  // Which pixels are ink, row by row.
  std::string Ink() {
    std::string out;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) out += GetPixel(dc_, x, y) == RGB(255, 255, 255) ? '.' : '#';
      out += '\n';
    }
    return out;
  }

 private:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 16;
  HDC dc_ = 0;
  HBITMAP bitmap_ = 0;
  HFONT font_ = 0;
  HGDIOBJ oldBitmap_ = 0;
  HGDIOBJ oldFont_ = 0;
};

TEST(TextPlacement, AWordIsItsLettersSetSideBySideAtTheirExtents) {
  Canvas c;
  for (const std::u16string word : {u"Стандартная", u"Поиск", u"Сервис", u"Перекодирование", u"Справка"}) {
    c.Clear();
    c.Draw(word, 0);
    const std::string whole = c.Ink();
    c.Clear();
    int x = 0;
    for (char16_t letter : word) {
      const std::u16string one(1, letter);
      c.Draw(one, x);
      x += c.Extent(one);
    }
    EXPECT_EQ(c.Extent(word), x) << vb::ToUtf8(word);
    EXPECT_EQ(whole, c.Ink()) << vb::ToUtf8(word) << " at scale " << (std::getenv("QT_SCALE_FACTOR") ? std::getenv("QT_SCALE_FACTOR") : "1");
  }
}

}  // namespace
