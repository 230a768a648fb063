#include "commandbars/alpha_dib_section.h"

#include <algorithm>

#include "controls/colour_hls.h"

namespace commandbars {

vb::Picture cAlphaDIBSection::Picture() {
  if (hdc() == 0 || hDib() == 0) return nullptr;
  cAlphaDIBSection copy;
  if (!copy.Create(Width(), Height())) return nullptr;
  copy.LoadPictureBlt(hdc(), 0, 0, -1, -1, win::SRCCOPY);
  return std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, copy.ExtractDib());
}

void cAlphaDIBSection::PreMultiplyAlpha() {
  if (Empty()) return;
  for (int row = 0; row < Height(); ++row)
    for (int x = 0; x < Width(); ++x) {
      std::uint8_t* p = Pixel(x, row);
      for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(p[k] * p[3] / 255);
    }
}

void cAlphaDIBSection::AlphaPaintPicture(win::HDC hdc, int destLeft, int destTop, int destWidth, int destHeight,
                                         int srcLeft, int srcTop, std::uint8_t constantAlpha, bool hasAlphaChannel) {
  if (Empty()) return;
  if (destWidth < 0) destWidth = Width();
  if (destHeight < 0) destHeight = Height();
  win::AlphaBlend(hdc, destLeft, destTop, destWidth, destHeight, this->hdc(), srcLeft, srcTop, destWidth, destHeight,
                  win::BLENDFUNCTION{win::AC_SRC_OVER, 0, constantAlpha,
                                     static_cast<std::uint8_t>(hasAlphaChannel ? win::AC_SRC_ALPHA : 0)});
}

void cAlphaDIBSection::AdjustHLS(std::int32_t newHue, std::int32_t newSaturation, float luminanceAdjust) {
  if (Empty() || (newHue == -1 && newSaturation == -1)) return;
  const float hue = static_cast<float>(newHue) * 6.0f / 255.0f - 1.0f;
  const float saturation = static_cast<float>(newSaturation) / 255.0f;
  for (int row = 0; row < Height(); ++row)
    for (int x = 0; x < Width(); ++x) {
      std::uint8_t* p = Pixel(x, row);
      float h, s, l;
      controls::RGBToHLS(p[2], p[1], p[0], h, s, l);
      if (newHue != -1) h = hue;
      if (newSaturation != -1) s = std::clamp(saturation, 0.0f, 1.0f);
      l = std::clamp(l * (1.0f + luminanceAdjust), 0.0f, 1.0f);
      int r, g, b;
      controls::HLSToRGB(h, s, l, r, g, b);
      p[0] = static_cast<std::uint8_t>(b), p[1] = static_cast<std::uint8_t>(g), p[2] = static_cast<std::uint8_t>(r);
    }
}

std::unique_ptr<cAlphaDIBSection> cAlphaDIBSection::Resample(int newHeight, int newWidth) {
  if (Empty()) return nullptr;
  auto out = std::make_unique<cAlphaDIBSection>();
  if (!out->Create(newWidth, newHeight)) return nullptr;
  ResampleInto(*out);
  return out;
}

}  // namespace commandbars
