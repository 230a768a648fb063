#include "controls/dib_section.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <utility>

#include "controls/colour_hls.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"

namespace controls {
namespace {

std::uint8_t RoundByte(double v) { return static_cast<std::uint8_t>(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

}  // namespace

DibSectionCore::~DibSectionCore() { ClearUp(); }

void DibSectionCore::UseDrawDib(bool state) {
  if (state && drawDib_ == 0) drawDib_ = win::DrawDibOpen();
  if (!state && drawDib_ != 0) {
    win::DrawDibClose(drawDib_);
    drawDib_ = 0;
  }
}

bool DibSectionCore::CreateDIB(win::HDC hdc, int width, int height, win::HBITMAP& dib) {
  info_ = win::BITMAPINFO{};
  info_.bmiHeader.biSize = 40;
  info_.bmiHeader.biWidth = width;
  info_.bmiHeader.biHeight = height;
  info_.bmiHeader.biPlanes = 1;
  info_.bmiHeader.biBitCount = 32;
  info_.bmiHeader.biCompression = win::BI_RGB;
  const long long image = static_cast<long long>(width) * 4 * height;
  if (width <= 0 || height <= 0 || image > 0x7FFFFFFF) {
    dib = 0;
    return false;
  }
  info_.bmiHeader.biSizeImage = static_cast<win::DWORD>(image);
  void* bits = nullptr;
  dib = win::CreateDIBSection(hdc, &info_, win::DIB_RGB_COLORS, &bits, 0, 0);
  bits_ = static_cast<std::uint8_t*>(bits);
  return dib != 0;
}

bool DibSectionCore::CreateFromPicture(const vb::Picture& picture) {
  return picture != nullptr && CreateFromHBitmap(picture->Handle());
}

bool DibSectionCore::CreateFromHBitmap(win::HBITMAP bitmap) {
  win::BITMAP bm;
  if (win::GetObject(bitmap, sizeof bm, &bm) == 0) return false;
  if (!Create(bm.bmWidth, bm.bmHeight)) return false;
  const win::HDC desktop = win::GetDC(win::GetDesktopWindow());
  const win::HDC mem = win::CreateCompatibleDC(desktop);
  win::ReleaseDC(win::GetDesktopWindow(), desktop);
  if (mem == 0) return true;
  const win::HGDIOBJ old = win::SelectObject(mem, bitmap);
  if (old != 0) {
    LoadPictureBlt(mem, 0, 0, -1, -1, win::SRCCOPY);
    win::SelectObject(mem, old);
  }
  win::DeleteDC(mem);
  return true;
}

bool DibSectionCore::Create(int width, int height) {
  const bool drawDib = UseDrawDib();
  ClearUp();
  hdc_ = win::CreateCompatibleDC(0);
  if (hdc_ == 0) return false;
  if (CreateDIB(hdc_, width, height, hDib_)) {
    oldBitmap_ = win::SelectObject(hdc_, hDib_);
    UseDrawDib(drawDib);
    return true;
  }
  win::DeleteDC(hdc_);
  hdc_ = 0;
  bits_ = nullptr;
  return false;
}

void DibSectionCore::LoadPictureBlt(win::HDC hdc, int srcLeft, int srcTop, int srcWidth, int srcHeight,
                                    win::DWORD rop) {
  if (Empty()) return;
  win::BitBlt(hdc_, 0, 0, srcWidth < 0 ? Width() : srcWidth, srcHeight < 0 ? Height() : srcHeight, hdc, srcLeft,
              srcTop, rop);
}

bool DibSectionCore::SavePicture(const std::u16string& fileName) {
  if (Empty()) return false;
  const std::uint32_t image = info_.bmiHeader.biSizeImage;
  std::uint8_t header[14] = {'B', 'M'};
  const std::uint32_t fileSize = image + 58;
  const std::uint32_t offset = 58;
  std::memcpy(header + 2, &fileSize, 4);
  std::memcpy(header + 10, &offset, 4);
  std::uint8_t info[44] = {};
  std::memcpy(info, &info_.bmiHeader, 40);
  std::string bytes;
  bytes.reserve(fileSize);
  bytes.append(reinterpret_cast<const char*>(header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(info), sizeof info);
  bytes.append(reinterpret_cast<const char*>(bits_), image);
  // Written as documents are (a new file renamed into place), so a failure leaves the old file as
  // it was. A full disk is a failed write; any other failure means the file could not be made.
  try {
    vb::WriteAllBytesSafely(fileName, bytes);
  } catch (const vb::Error& e) {
    if (e.Number == vb::err::kDiskFull) return false;
    std::u16string message = e.Description;
    if (message.size() > 256) message.resize(256);
    vb::Raise(vb::err::kCannotPerformOperation, vb::ErrorSource(u"cDIBSection"), message);
  }
  return true;
}

void DibSectionCore::PaintPicture(win::HDC hdc, int destLeft, int destTop, int destWidth, int destHeight,
                                  int srcLeft, int srcTop, win::DWORD rop) {
  if (Empty()) return;
  if (destWidth < 0) destWidth = Width();
  if (destHeight < 0) destHeight = Height();
  if (drawDib_ != 0) {
    win::DrawDibDraw(drawDib_, hdc, destLeft, destTop, destWidth, destHeight, &info_.bmiHeader, bits_, srcLeft,
                     srcTop, destWidth, destHeight, 0);
  } else {
    win::BitBlt(hdc, destLeft, destTop, destWidth, destHeight, hdc_, srcLeft, srcTop, rop);
  }
}

void DibSectionCore::RandomiseBits(bool grey) {
  if (Empty()) return;
  std::mt19937 engine(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::uniform_real_distribution<double> random(0.0, 1.0);
  const size_t pixels = static_cast<size_t>(Width()) * Height();
  for (size_t i = 0; i < pixels; ++i) {
    std::uint8_t* p = bits_ + i * 4;
    if (grey) {
      const double g = random(engine) * 255.0;
      const double a = random(engine) * 255.0;
      const std::uint8_t c = RoundByte(g * RoundByte(a) / 255.0);
      p[0] = p[1] = p[2] = c;
      p[3] = RoundByte(a);
    } else {
      const std::uint8_t a = RoundByte(random(engine) * 255.0);
      for (int k = 0; k < 3; ++k) p[k] = RoundByte(random(engine) * 255.0 / 255.0 * a);
      p[3] = a;
    }
  }
}

void DibSectionCore::ClearUp() {
  if (hdc_ != 0) {
    if (hDib_ != 0) {
      win::SelectObject(hdc_, oldBitmap_);
      win::DeleteObject(hDib_);
    }
    win::DeleteDC(hdc_);
  }
  hdc_ = 0;
  hDib_ = 0;
  oldBitmap_ = 0;
  bits_ = nullptr;
  UseDrawDib(false);
}

win::HBITMAP DibSectionCore::Release() {
  if (hdc_ != 0) {
    win::SelectObject(hdc_, oldBitmap_);
    win::DeleteDC(hdc_);
  }
  hdc_ = 0;
  oldBitmap_ = 0;
  bits_ = nullptr;
  return std::exchange(hDib_, 0);
}

void DibSectionCore::ResampleInto(DibSectionCore& target) {
  if (Empty() || target.Empty()) return;
  const int w = Width(), h = Height();
  const int nw = target.Width(), nh = target.Height();
  if (nw == w && nh == h) {
    target.LoadPictureBlt(hdc_, 0, 0, -1, -1, win::SRCCOPY);
    return;
  }
  for (int y = 0; y < nh; ++y)
    for (int x = 0; x < nw; ++x) {
      const double sx = static_cast<double>(x) * (w - 1) / nw;
      const double sy = static_cast<double>(y) * (h - 1) / nh;
      const int ix = static_cast<int>(sx), iy = static_cast<int>(sy);
      const double fx = sx - ix, fy = sy - iy;
      const int ix1 = std::min(ix + 1, w - 1), iy1 = std::min(iy + 1, h - 1);
      const std::uint8_t* p00 = Pixel(ix, iy);
      const std::uint8_t* p10 = Pixel(ix1, iy);
      const std::uint8_t* p01 = Pixel(ix, iy1);
      const std::uint8_t* p11 = Pixel(ix1, iy1);
      std::uint8_t* out = target.Pixel(x, y);
      for (int k = 0; k < 4; ++k)
        out[k] = RoundByte((1 - fy) * ((1 - fx) * p00[k] + fx * p10[k]) + fy * ((1 - fx) * p01[k] + fx * p11[k]));
    }
}

void pcDibSection::AlphaPaintPicture(win::HDC hdc, int destLeft, int destTop, int width, int height, int srcLeft,
                                     int srcTop, std::uint8_t constantAlpha) {
  if (Empty()) return;
  if (width < 0) width = Width();
  if (height < 0) height = Height();
  win::AlphaBlend(hdc, destLeft, destTop, width, height, this->hdc(), srcLeft, srcTop, width, height,
                  win::BLENDFUNCTION{win::AC_SRC_OVER, 0, constantAlpha, win::AC_SRC_ALPHA});
}

void pcDibSection::CodeAlphaBlend(pcDibSection& destination, pcDibSection& source, int x, int y, int width,
                                  int height, std::uint8_t alpha) {
  if (destination.Empty() || source.Empty()) return;
  if (width == -1) width = std::min(destination.Width(), source.Width());
  if (height == -1) height = std::min(destination.Height(), source.Height());
  const double a = alpha / 255.0;
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c) {
      const long long dx = static_cast<long long>(x) + c, dy = static_cast<long long>(y) + r;
      if (dx < 0 || dy < 0 || dx >= destination.Width() || dy >= destination.Height() || c >= source.Width() ||
          r >= source.Height())
        continue;
      std::uint8_t* d = destination.Pixel(static_cast<int>(dx), static_cast<int>(dy));
      const std::uint8_t* s = source.Pixel(c, r);
      for (int k = 0; k < 3; ++k) d[k] = RoundByte((1 - a) * d[k] + s[k] * a);
    }
}

void pcDibSection::Clear() {
  if (Empty()) return;
  std::memset(DIBSectionBitsPtr(), 0, static_cast<size_t>(Width()) * Height() * 4);
}

std::unique_ptr<pcDibSection> pcDibSection::Resample(int newHeight, int newWidth) {
  if (Empty()) return nullptr;
  auto out = std::make_unique<pcDibSection>();
  if (!out->Create(newWidth, newHeight)) return nullptr;
  ResampleInto(*out);
  return out;
}

void pcDibSection::ModifyHLS(float hueFactor, float lightnessFactor, float saturationFactor) {
  if (Empty()) return;
  hueFactor = std::max(0.0f, hueFactor);
  lightnessFactor = std::max(0.0f, lightnessFactor);
  saturationFactor = std::max(0.0f, saturationFactor);
  for (int row = 0; row < Height(); ++row)
    for (int x = 0; x < Width(); ++x) {
      std::uint8_t* p = Pixel(x, row);
      float h, s, l;
      RGBToHLS(p[2], p[1], p[0], h, s, l);
      int r, g, b;
      HLSToRGB(h * hueFactor, std::min(1.0f, s * saturationFactor), std::min(1.0f, l * lightnessFactor), r, g, b);
      p[0] = static_cast<std::uint8_t>(b), p[1] = static_cast<std::uint8_t>(g), p[2] = static_cast<std::uint8_t>(r);
    }
}

void pcDibSection::Lighten(std::int32_t percent) {
  // Lightness alone: hue and saturation keep their values.
  ModifyHLS(1.0f, 1.0f + static_cast<float>(percent) / 100.0f, 1.0f);
}

pcMemDC::~pcMemDC() { Free(); }

void pcMemDC::Free() {
  if (hdc_ != 0) {
    if (bitmap_ != 0) win::SelectObject(hdc_, old_);
    win::DeleteDC(hdc_);
  }
  if (bitmap_ != 0) win::DeleteObject(bitmap_);
  hdc_ = 0;
  bitmap_ = 0;
  old_ = 0;
  width_ = 0;
  height_ = 0;
}

win::HDC pcMemDC::hdc(int width, int height) {
  if (hdc_ != 0 && width <= width_ && height <= height_) return hdc_;
  Free();
  const win::HDC display = win::CreateDC("DISPLAY", "", "", nullptr);
  if (display == 0) return 0;
  hdc_ = win::CreateCompatibleDC(display);
  if (hdc_ != 0) bitmap_ = win::CreateCompatibleBitmap(display, width, height);
  win::DeleteDC(display);
  if (hdc_ == 0 || bitmap_ == 0) {
    Free();
    return 0;
  }
  old_ = win::SelectObject(hdc_, bitmap_);
  width_ = width;
  height_ = height;
  return hdc_;
}

void pcMemDC::Draw(win::HDC hdc, int srcLeft, int srcTop, int width, int height, int destLeft, int destTop) {
  if (hdc_ == 0) return;
  win::BitBlt(hdc, destLeft, destTop, width <= 0 ? width_ : width, height <= 0 ? height_ : height, hdc_, srcLeft,
              srcTop, win::SRCCOPY);
}

}  // namespace controls
