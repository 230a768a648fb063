// Pictures for tests that draw: a memory context on a 32-bit DIB section, and icons made from
// pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"

namespace qmtest {

// A memory context on a 32-bit top-down bitmap, filled through the context with one colour (the
// fourth byte 0, as drawing leaves it).
struct Surface {
  win::HDC dc = 0;
  win::HBITMAP bmp = 0;
  win::HGDIOBJ old = 0;
  std::uint32_t* bits = nullptr;  // 0xAARRGGBB, rows top-down
  int width = 0;
  int height = 0;
  Surface(int w, int h, win::COLORREF fill = win::RGB(255, 255, 255)) : width(w), height(h) {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    dc = win::CreateCompatibleDC(0);
    void* p = nullptr;
    bmp = win::CreateDIBSection(dc, &bi, win::DIB_RGB_COLORS, &p, 0, 0);
    bits = static_cast<std::uint32_t*>(p);
    old = win::SelectObject(dc, bmp);
    win::RECT r{0, 0, w, h};
    win::HBRUSH b = win::CreateSolidBrush(fill);
    win::FillRect(dc, &r, b);
    win::DeleteObject(b);
  }
  ~Surface() {
    win::SelectObject(dc, old);
    win::DeleteObject(bmp);
    win::DeleteDC(dc);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  win::COLORREF at(int x, int y) const { return win::GetPixel(dc, x, y); }
  // The stored pixel, fourth byte included.
  std::uint32_t pixel(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
  // Sets every pixel to one stored value.
  void fill(std::uint32_t argb) { std::fill(bits, bits + static_cast<size_t>(width) * height, argb); }
  // The pixels of one colour, as "x,y" pairs in reading order.
  std::vector<std::pair<int, int>> where(win::COLORREF c, int w, int h) const {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (at(x, y) == c) out.emplace_back(x, y);
    return out;
  }
};

// Sets every pixel of a DIB section object (one with Width, Height and DIBSectionBitsPtr) to the
// bytes b, g, r, a.
template <class Dib>
void FillDib(Dib& d, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
  for (int i = 0; i < d.Width() * d.Height(); ++i) {
    std::uint8_t* p = d.DIBSectionBitsPtr() + i * 4;
    p[0] = b, p[1] = g, p[2] = r, p[3] = a;
  }
}

// An icon of w x h from 0xAARRGGBB pixels (top-down); `clear` pixels are see-through.
inline win::HICON MakeIcon(int w, int h, const std::function<std::uint32_t(int, int)>& pixel,
                           const std::function<bool(int, int)>& clear = nullptr) {
  const win::HDC dc = win::CreateCompatibleDC(0);
  const win::HBITMAP colour = win::CreateBitmap(w, h, 1, 32, nullptr);
  const win::HBITMAP mask = win::CreateBitmap(w, h, 1, 1, nullptr);
  std::vector<std::uint32_t> c, m;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool see = clear && clear(x, y);
      c.push_back(see ? 0 : pixel(x, y));
      m.push_back(see ? 0xFFFFFF : 0);
    }
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  win::SetDIBits(dc, colour, 0, h, c.data(), &info, win::DIB_RGB_COLORS);
  win::SetDIBits(dc, mask, 0, h, m.data(), &info, win::DIB_RGB_COLORS);
  win::ICONINFO ii;
  ii.hbmColor = colour;
  ii.hbmMask = mask;
  const win::HICON icon = win::CreateIconIndirect(&ii);
  win::DeleteObject(colour);
  win::DeleteObject(mask);
  win::DeleteDC(dc);
  return icon;
}

}  // namespace qmtest
