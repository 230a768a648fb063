// 32-bit DIB sections in their own memory context, and an off-screen drawing buffer.
//
// DibSectionCore holds what every DIB section class of the program shares: the bottom-up 32-bit
// section (pixels B, G, R, fourth byte; rows without padding; row 0 the bottom line) selected into
// its own memory context, copying in and painting out, the .bmp writer, the random fill and the
// bilinear resampling. pcDibSection adds the pixel operations the segmented progress bar uses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/vb/stdole.h"

namespace controls {

class DibSectionCore {
 public:
  DibSectionCore() = default;
  virtual ~DibSectionCore();
  DibSectionCore(const DibSectionCore&) = delete;
  DibSectionCore& operator=(const DibSectionCore&) = delete;

  bool UseDrawDib() const { return drawDib_ != 0; }
  void UseDrawDib(bool state);

  // Fills the bitmap information for width x height and makes the section on hdc.
  bool CreateDIB(win::HDC hdc, int width, int height, win::HBITMAP& dib);
  bool CreateFromPicture(const vb::Picture& picture);
  bool CreateFromHBitmap(win::HBITMAP bitmap);
  bool Create(int width, int height);

  std::int32_t BytesPerScanLine() const { return info_.bmiHeader.biWidth * 4; }
  std::int32_t Width() const { return info_.bmiHeader.biWidth; }
  std::int32_t Height() const { return info_.bmiHeader.biHeight; }

  // A negative width or height means the section's.
  void LoadPictureBlt(win::HDC hdc, int srcLeft = 0, int srcTop = 0, int srcWidth = -1, int srcHeight = -1,
                      win::DWORD rop = win::SRCCOPY);
  // Writes a bottom-up 32-bit .bmp file: 14-byte file header, the 44 bytes of bitmap information,
  // the pixels. False when a write is incomplete or the section is empty; raises 17 when the file
  // cannot be created.
  bool SavePicture(const std::u16string& fileName);
  void PaintPicture(win::HDC hdc, int destLeft = 0, int destTop = 0, int destWidth = -1, int destHeight = -1,
                    int srcLeft = 0, int srcTop = 0, win::DWORD rop = win::SRCCOPY);

  win::HDC hdc() const { return hdc_; }
  win::HBITMAP hDib() const { return hDib_; }
  std::uint8_t* DIBSectionBitsPtr() const { return bits_; }
  // The bitmap information: a 40-byte header and one zero colour-table entry.
  const win::BITMAPINFO& Info() const { return info_; }

  // Random pixels whose colour bytes never exceed their fourth byte (grey: one level for all three).
  void RandomiseBits(bool grey = false);
  void ClearUp();

 protected:
  bool Empty() const { return hdc_ == 0 || hDib_ == 0 || bits_ == nullptr; }
  std::uint8_t* Pixel(int x, int row) const { return bits_ + (static_cast<size_t>(row) * Width() + x) * 4; }
  // Fills `target` (already created at its size) from this section: a plain copy at the same size,
  // else bilinear interpolation whose neighbours are held at the last row and column.
  void ResampleInto(DibSectionCore& target);
  // Gives up the section: the caller owns the returned bitmap.
  win::HBITMAP Release();

 private:
  win::HDC hdc_ = 0;
  win::HBITMAP hDib_ = 0;
  win::HGDIOBJ oldBitmap_ = 0;
  std::uint8_t* bits_ = nullptr;
  win::BITMAPINFO info_{};
  win::HANDLE drawDib_ = 0;
};

class pcDibSection : public DibSectionCore {
 public:
  // AlphaBlend to the destination with the constant alpha and per-pixel alpha; negative sizes are
  // the section's.
  void AlphaPaintPicture(win::HDC hdc, int destLeft, int destTop, int width, int height, int srcLeft, int srcTop,
                         std::uint8_t constantAlpha);
  // Blends the colour bytes of source into destination at (x, y): round((1 - a/255) * d + s * a/255),
  // halves to even; -1 sizes take the smaller of the two sections. Only pixels inside both sections
  // are touched.
  static void CodeAlphaBlend(pcDibSection& destination, pcDibSection& source, int x, int y, int width, int height,
                      std::uint8_t alpha);
  void Clear();
  std::unique_ptr<pcDibSection> Resample(int newHeight, int newWidth);
  // Factors are held at 0 and above; lightness and saturation stay within 1.
  void ModifyHLS(float hueFactor, float lightnessFactor, float saturationFactor);
  void Lighten(std::int32_t percent);
};

// An off-screen drawing buffer that grows on demand.
class pcMemDC {
 public:
  pcMemDC() = default;
  ~pcMemDC();
  pcMemDC(const pcMemDC&) = delete;
  pcMemDC& operator=(const pcMemDC&) = delete;

  // The buffer's context, made or remade first when it is smaller than width x height; 0 on failure.
  win::HDC hdc(int width, int height);
  // Copies the buffer to hdc; sizes of 0 or below are the buffer's.
  void Draw(win::HDC hdc, int srcLeft, int srcTop, int width, int height, int destLeft, int destTop);
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void Free();
  win::HDC hdc_ = 0;
  win::HBITMAP bitmap_ = 0;
  win::HGDIOBJ old_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace controls
