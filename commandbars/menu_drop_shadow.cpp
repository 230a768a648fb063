#include "commandbars/menu_drop_shadow.h"

#include <cstdint>

#include "commandbars/utility.h"
#include "platform/win/window.h"

namespace commandbars {
namespace {

// channel x alpha / 255 rounded to the nearest byte (an exact half cannot occur).
std::uint8_t Premultiplied(std::uint32_t channel, int alpha) {
  return static_cast<std::uint8_t>((2 * channel * static_cast<std::uint32_t>(alpha) + 255) / 510);
}

}  // namespace

cMenuDropShadow::~cMenuDropShadow() { Destroy(); }

void cMenuDropShadow::Initialise(int x, int y, int width, int height, win::HWND owner) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  owner_ = owner;
}

void cMenuDropShadow::Create() {
  Destroy();
  const int s = shadowSize_;
  const bool bottom = shadowType_ == 1;
  const win::RECT r = bottom ? win::RECT{x_ + s, y_, x_ + s + width_, y_ + s + 1}
                             : win::RECT{x_, y_ + s, x_ + s, y_ + s + height_};
  hwnd_ = win::CreateWindowExA(0x800A8, "Static", u"", static_cast<win::LONG>(0x8000000Du), r.left, r.top,
                               r.right - r.left, r.bottom - r.top, owner_, 0, 0, nullptr);
  if (hwnd_ == 0) return;
  const int w = bottom ? r.right - r.left : s;
  const int h = bottom ? s : r.bottom - r.top - s;
  if (PreparePicture(w, h)) {
    const win::SIZE size{w, h};
    const win::POINT origin{0, 0};
    const win::BLENDFUNCTION blend{win::AC_SRC_OVER, 0, 96, win::AC_SRC_ALPHA};
    win::UpdateLayeredWindow(hwnd_, 0, nullptr, &size, dc_, &origin, 0, &blend, win::ULW_ALPHA);
  }
  win::SetWindowPos(hwnd_, 0, r.left, r.top, width_, height_, 0x254);
}

bool cMenuDropShadow::PreparePicture(int w, int h) {
  if (w <= 0 || h <= 0) return false;
  info_ = win::BITMAPINFO{};
  info_.bmiHeader.biWidth = w;
  info_.bmiHeader.biHeight = h;
  info_.bmiHeader.biPlanes = 1;
  info_.bmiHeader.biBitCount = 32;
  info_.bmiHeader.biSizeImage = static_cast<win::DWORD>(w) * 4 * static_cast<win::DWORD>(h);
  dc_ = win::CreateCompatibleDC(0);
  void* bits = nullptr;
  dib_ = dc_ != 0 ? win::CreateDIBSection(dc_, &info_, win::DIB_RGB_COLORS, &bits, 0, 0) : 0;
  if (dib_ == 0) {
    FreePicture();
    return false;
  }
  bits_ = static_cast<std::uint8_t*>(bits);
  old_ = win::SelectObject(dc_, dib_);

  const auto colour = static_cast<std::uint32_t>(TranslateColour(shadowColor_));
  const bool bottom = shadowType_ == 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int alpha;
      if (bottom) {
        const int c = x < h ? x * 255 / h : x >= w - h ? (w - x) * 255 / h : 255;
        alpha = c * y / h;
      } else {
        const int rowFactor = y >= h - w ? (h - y) * 255 / w : 255;
        alpha = (w - x) * rowFactor / w;
      }
      std::uint8_t* p = bits_ + (static_cast<size_t>(y) * w + x) * 4;
      p[0] = Premultiplied((colour >> 16) & 0xFF, alpha);
      p[1] = Premultiplied((colour >> 8) & 0xFF, alpha);
      p[2] = Premultiplied(colour & 0xFF, alpha);
      p[3] = static_cast<std::uint8_t>(alpha);
    }
  return true;
}

void cMenuDropShadow::FreePicture() {
  if (dc_ != 0) {
    if (dib_ != 0) win::SelectObject(dc_, old_);
    win::DeleteDC(dc_);
  }
  if (dib_ != 0) win::DeleteObject(dib_);
  dc_ = 0;
  dib_ = 0;
  old_ = 0;
  bits_ = nullptr;
  info_ = win::BITMAPINFO{};
}

void cMenuDropShadow::Destroy() {
  if (hwnd_ != 0) {
    win::DestroyWindow(hwnd_);
    hwnd_ = 0;
  }
  FreePicture();
}

}  // namespace commandbars
