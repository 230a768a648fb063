// The inputs of one button measurement: context, font, icon size, drawing mode, orientation and
// caption position. Height is also the answer: a measurement leaves the button's thickness in it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/types.h"

namespace commandbars {

struct cDrawButtonParams;

struct cMeasureButtonParams {
  win::HWND hwnd = 0;
  win::HDC hdc = 0;
  std::u16string FontFace;
  std::int32_t FontSize = 0;
  win::HFONT hFont = 0;
  std::int32_t IconWidth = 0;
  std::int32_t IconHeight = 0;
  std::int32_t Height = 0;
  bool RightToLeft = false;
  std::int32_t SizeStyle = 0;
  std::int32_t Orientation = 0;
  std::int32_t ButtonPosition = 0;
  std::int32_t Size = 0;  // the control's client width; not read by measuring

  // Copies everything but Size; the icon size comes from the drawing record's image list (0 x 0
  // without one).
  void FromDrawButtonParams(const cDrawButtonParams& cDP);
  void FromMeasureButtonParams(const cMeasureButtonParams& cDP);
  // 0 when both describe the same measurement (hdc, hFont and Size do not count), else 1.
  std::int32_t CompareTo(const cMeasureButtonParams& cMP) const;
};

}  // namespace commandbars
