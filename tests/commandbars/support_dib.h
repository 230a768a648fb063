// A memory context on a 32-bit top-down bitmap filled with one colour, for pixel checks.
#pragma once

#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"

namespace qmtest {

struct Surface {
  win::HDC dc = 0;
  win::HBITMAP bmp = 0;
  win::HGDIOBJ old = 0;
  Surface(int w, int h, win::COLORREF fill = win::RGB(255, 255, 255)) {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    dc = win::CreateCompatibleDC(0);
    void* bits = nullptr;
    bmp = win::CreateDIBSection(dc, &bi, win::DIB_RGB_COLORS, &bits, 0, 0);
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
  // The pixels of one colour, as "x,y" pairs in reading order.
  std::vector<std::pair<int, int>> where(win::COLORREF c, int w, int h) const {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (at(x, y) == c) out.emplace_back(x, y);
    return out;
  }
};

}  // namespace qmtest
