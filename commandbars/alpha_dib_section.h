// A 32-bit bottom-up DIB section with an alpha byte per pixel, in its own memory context: the
// command-bar control keeps its background picture in one.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/dib_section.h"

namespace commandbars {

class cAlphaDIBSection : public controls::DibSectionCore {
 public:
  // A picture object owning a copy of this section's bitmap; none while empty.
  vb::Picture Picture();
  // Colour bytes become (value x alpha) \ 255, truncated; alpha stays.
  void PreMultiplyAlpha();
  // Alpha blend onto hdc with the constant alpha, and per-pixel alpha when the section has an
  // alpha channel; negative sizes are the section's. (Every system this runs on blends.)
  void AlphaPaintPicture(win::HDC hdc, int destLeft = 0, int destTop = 0, int destWidth = -1, int destHeight = -1,
                         int srcLeft = 0, int srcTop = 0, std::uint8_t constantAlpha = 255,
                         bool hasAlphaChannel = true);
  // Gives up the section: the caller owns the returned bitmap, and this object is empty.
  win::HBITMAP ExtractDib() { return Release(); }
  // Replaces hue (0 to 255, -1 keeps it) and saturation (0 to 255, -1 keeps it) and scales
  // lightness by 1 + luminanceAdjust, held within 0 to 1. Nothing changes when both hue and
  // saturation are -1.
  void AdjustHLS(std::int32_t newHue, std::int32_t newSaturation, float luminanceAdjust);
  // A new section of the given size (note: height first); none when it cannot be made.
  std::unique_ptr<cAlphaDIBSection> Resample(int newHeight, int newWidth);
};

}  // namespace commandbars
