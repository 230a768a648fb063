// Pictures for the image list tests: solid icons, and .ico and .bmp files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "controls/image_list.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "support.h"
#include "support_gdi.h"

namespace qmtest {

// Adds an opaque icon of one colour (0xRRGGBB) of the list's size.
inline bool AddSolid(controls::clsImageList& list, std::uint32_t rgb, const std::u16string& key = {},
                     const std::optional<controls::ImageRef>& after = std::nullopt) {
  const win::HICON icon = MakeIcon(list.IconSizeX() > 0 ? list.IconSizeX() : 16, list.IconSizeY() > 0 ? list.IconSizeY() : 16,
                                   [&](int, int) { return rgb; });
  bool added = false;
  try {
    added = list.AddFromHandle(icon, win::IMAGE_ICON, key, -1, after);
  } catch (...) {
    win::DestroyIcon(icon);
    throw;
  }
  win::DestroyIcon(icon);
  return added;
}

// The 0xAARRGGBB colour pixels and see-through mask of image `position`.
struct ImagePixels {
  std::vector<std::uint32_t> colour;
  std::vector<bool> clear;
};
inline ImagePixels PixelsOf(controls::clsImageList& list, int position) {
  ImagePixels out;
  const win::HICON icon = list.ItemCopyOfIcon(position);
  win::ICONINFO ii;
  if (!win::GetIconInfo(icon, &ii)) return out;
  const int w = list.IconSizeX(), h = list.IconSizeY();
  const win::HDC dc = win::CreateCompatibleDC(0);
  out.colour.resize(static_cast<size_t>(w) * h);
  std::vector<std::uint32_t> m(out.colour.size());
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  win::GetDIBits(dc, ii.hbmColor, 0, h, out.colour.data(), &info, win::DIB_RGB_COLORS);
  win::GetDIBits(dc, ii.hbmMask, 0, h, m.data(), &info, win::DIB_RGB_COLORS);
  for (auto v : m) out.clear.push_back((v & 0xFFFFFF) != 0);
  win::DeleteObject(ii.hbmColor);
  win::DeleteObject(ii.hbmMask);
  win::DeleteDC(dc);
  win::DestroyIcon(icon);
  return out;
}
inline std::uint32_t PixelOf(controls::clsImageList& list, int position, int x, int y) {
  return PixelsOf(list, position).colour[static_cast<size_t>(y) * list.IconSizeX() + x] & 0xFFFFFF;
}

// A .ico file of one 32-bit picture of size x size in one colour (0xAARRGGBB), mask all visible.
inline std::vector<std::uint8_t> IcoFile(int size, std::uint32_t argb) {
  const size_t n = static_cast<size_t>(size) * size;
  return IconFile({IconPicture{size, 32, std::vector<unsigned>(n, argb), std::vector<int>(n, 0), {}}});
}

// A 24-bit .bmp file of w x h from 0xRRGGBB pixels (top-down coordinates).
inline std::vector<std::uint8_t> BmpFile(int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> v;
  Put16(v, 0x4D42);
  Put32(v, static_cast<unsigned>(54 + stride * h));
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, w);
  Put32(v, h);
  Put16(v, 1);
  Put16(v, 24);
  for (int i = 0; i < 6; ++i) Put32(v, 0);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> line(static_cast<size_t>(stride), 0);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = pixel(x, y);
      line[x * 3] = p & 0xFF;
      line[x * 3 + 1] = (p >> 8) & 0xFF;
      line[x * 3 + 2] = (p >> 16) & 0xFF;
    }
    v.insert(v.end(), line.begin(), line.end());
  }
  return v;
}

}  // namespace qmtest
