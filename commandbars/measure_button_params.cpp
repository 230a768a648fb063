// Copying and comparing measurement inputs.
#include "commandbars/measure_button_params.h"

#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"

namespace commandbars {

void cMeasureButtonParams::FromDrawButtonParams(const cDrawButtonParams& cDP) {
  hwnd = cDP.hwnd;
  hdc = cDP.hdc;
  FontFace = cDP.FontFace;
  FontSize = cDP.FontSize;
  hFont = cDP.hFont;
  IconWidth = cDP.ImageList != nullptr ? cDP.ImageList->IconWidth() : 0;
  IconHeight = cDP.ImageList != nullptr ? cDP.ImageList->IconHeight() : 0;
  Height = cDP.Height;
  RightToLeft = cDP.RightToLeft;
  SizeStyle = cDP.SizeStyle;
  Orientation = cDP.Orientation;
  ButtonPosition = cDP.ButtonPosition;
}

void cMeasureButtonParams::FromMeasureButtonParams(const cMeasureButtonParams& cDP) {
  const std::int32_t keep = Size;
  *this = cDP;
  Size = keep;
}

std::int32_t cMeasureButtonParams::CompareTo(const cMeasureButtonParams& cMP) const {
  const bool same = hwnd == cMP.hwnd && SizeStyle == cMP.SizeStyle && Orientation == cMP.Orientation &&
                    Height == cMP.Height && FontFace == cMP.FontFace && FontSize == cMP.FontSize &&
                    IconWidth == cMP.IconWidth && IconHeight == cMP.IconHeight &&
                    RightToLeft == cMP.RightToLeft && ButtonPosition == cMP.ButtonPosition;
  return same ? 0 : 1;
}

}  // namespace commandbars
