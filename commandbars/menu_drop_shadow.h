// One soft shadow strip beside a popup menu: a click-through, topmost, layered tool window along the
// menu's right edge or its bottom edge, showing a picture whose alpha falls off away from the menu.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi.h"

namespace commandbars {

class cMenuDropShadow {
 public:
  cMenuDropShadow() = default;
  ~cMenuDropShadow();
  cMenuDropShadow(const cMenuDropShadow&) = delete;
  cMenuDropShadow& operator=(const cMenuDropShadow&) = delete;

  // The menu's rectangle and owner; nothing is made yet.
  void Initialise(int x, int y, int width, int height, win::HWND owner);
  std::int32_t ShadowSize() const { return shadowSize_; }
  void ShadowSize(std::int32_t value) { shadowSize_ = value; }
  std::int32_t ShadowColor() const { return shadowColor_; }
  void ShadowColor(std::int32_t value) { shadowColor_ = value; }
  // 1 for the bottom shadow, anything else for the right one.
  std::int32_t ShadowType() const { return shadowType_; }
  void ShadowType(std::int32_t value) { shadowType_ = value; }
  win::HWND hwnd() const { return hwnd_; }

  void Create();
  void Destroy();

  // The picture handed to the window: premultiplied B,G,R,A, rows bottom-up.
  int PictureWidth() const { return info_.bmiHeader.biWidth; }
  int PictureHeight() const { return info_.bmiHeader.biHeight; }
  const std::uint8_t* PictureBits() const { return bits_; }

 private:
  bool PreparePicture(int width, int height);
  void FreePicture();

  std::int32_t shadowType_ = 0;
  std::int32_t shadowSize_ = 5;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  win::HWND hwnd_ = 0;
  win::HWND owner_ = 0;
  win::BITMAPINFO info_{};
  std::uint8_t* bits_ = nullptr;
  win::HDC dc_ = 0;
  win::HBITMAP dib_ = 0;
  win::HGDIOBJ old_ = 0;
  std::int32_t shadowColor_ = 0x00C00000;  // RGB(0, 0, 192)
};

}  // namespace commandbars
