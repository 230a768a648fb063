// Pictures for tests that draw: a memory context on a 32-bit DIB section, icons made from pixels;
// and for tests that read pictures of windows: where a window lies in a picture of another, and
// what ink, ticks and raised tabs look like there.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control.h"
#include "platform/testing/picture.h"
#include "platform/win/messages.h"
#include "platform/win/placement.h"

namespace qmtest {

// Little-endian numbers of file formats.
inline void Put16(std::vector<std::uint8_t>& v, unsigned x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
inline void Put32(std::vector<std::uint8_t>& v, unsigned x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// One icon picture as the file keeps it: header, colour table, colour rows and mask rows, bottom-up.
struct IconPicture {
  int size;
  int bpp;                                  // 4 or 32
  std::vector<unsigned> pixels;             // top-down; 4-bit: palette index; 32-bit: 0xAARRGGBB
  std::vector<int> clear;                   // top-down mask, 1 = see-through
  std::vector<unsigned> palette;            // 0x00RRGGBB
};

inline std::vector<std::uint8_t> IconDib(const IconPicture& p) {
  std::vector<std::uint8_t> v;
  Put32(v, 40);
  Put32(v, p.size);
  Put32(v, p.size * 2);
  Put16(v, 1);
  Put16(v, p.bpp);
  for (int i = 0; i < 6; ++i) Put32(v, 0);
  if (p.bpp == 4)
    for (int i = 0; i < 16; ++i) Put32(v, i < static_cast<int>(p.palette.size()) ? p.palette[i] : 0);
  const int stride = ((p.size * p.bpp + 31) / 32) * 4;
  for (int row = p.size - 1; row >= 0; --row) {
    std::vector<std::uint8_t> line(stride, 0);
    for (int x = 0; x < p.size; ++x) {
      const unsigned px = p.pixels[row * p.size + x];
      if (p.bpp == 32) {
        line[x * 4] = px & 0xFF, line[x * 4 + 1] = (px >> 8) & 0xFF, line[x * 4 + 2] = (px >> 16) & 0xFF,
        line[x * 4 + 3] = px >> 24;
      } else {
        line[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? px << 4 : px);
      }
    }
    v.insert(v.end(), line.begin(), line.end());
  }
  const int mstride = ((p.size + 31) / 32) * 4;
  for (int row = p.size - 1; row >= 0; --row) {
    std::vector<std::uint8_t> line(mstride, 0);
    for (int x = 0; x < p.size; ++x)
      if (p.clear[row * p.size + x]) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    v.insert(v.end(), line.begin(), line.end());
  }
  return v;
}

// An .ico (type 1) or .cur (type 2, hot spot (3, 4)) file of the pictures.
inline std::vector<std::uint8_t> IconFile(const std::vector<IconPicture>& pics, int type = 1) {
  std::vector<std::uint8_t> v;
  Put16(v, 0);
  Put16(v, type);
  Put16(v, pics.size());
  std::vector<std::vector<std::uint8_t>> dibs;
  for (auto& p : pics) dibs.push_back(IconDib(p));
  unsigned offset = 6 + 16 * pics.size();
  for (size_t i = 0; i < pics.size(); ++i) {
    v.push_back(pics[i].size);
    v.push_back(pics[i].size);
    v.push_back(0);
    v.push_back(0);
    Put16(v, type == 1 ? 1 : 3);              // planes, or the hot spot's x
    Put16(v, type == 1 ? pics[i].bpp : 4);    // bits, or the hot spot's y
    Put32(v, dibs[i].size());
    Put32(v, offset);
    offset += dibs[i].size();
  }
  for (auto& d : dibs) v.insert(v.end(), d.begin(), d.end());
  return v;
}

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

// The ink of the texts and marks that controls draw smoothed: the dark pixels.
inline bool DarkInk(win::COLORREF c) { return win::GetRValue(c) < 96 && win::GetGValue(c) < 96 && win::GetBValue(c) < 96; }

// A check box at r in a picture shows its tick: ink in its box at the left.
inline bool ShowsTick(const platform::testing::Picture& picture, const win::RECT& r) {
  return picture.Count(win::RECT{r.left, r.top, r.left + 18, r.bottom}, DarkInk) > 0;
}

// The window h in the client coordinates of `in` (a picture of a form shows its client area, a
// picture of the screen is in screen coordinates: pass 0 for the screen).
inline win::RECT RectIn(win::HWND h, win::HWND in) {
  win::RECT r{};
  win::GetWindowRect(h, &r);
  win::POINT origin{0, 0};
  if (in != 0) win::ClientToScreen(in, &origin);
  return win::RECT{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
}

// Tab i (0-based) of the tab window `tabs` stands out in a picture of the form `form`: raised two
// pixels above the row, its top edge in the highlight colour there.
inline bool TabStandsOut(const platform::testing::Picture& picture, win::HWND form, win::HWND tabs, int i) {
  win::RECT r{};
  win::SendMessageA(tabs, win::TCM_GETITEMRECT, static_cast<win::WPARAM>(i), reinterpret_cast<win::LPARAM>(&r));
  const win::RECT strip = RectIn(tabs, form);
  return picture.at(strip.left + r.left + 5, strip.top + r.top - 2) == win::GetSysColor(win::COLOR_3DHILIGHT);
}

}  // namespace qmtest
