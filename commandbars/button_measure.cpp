// How long and how thick one button is, as a menu item or as a toolbar button.
#include <algorithm>

#include "commandbars/button.h"
#include "commandbars/font_selection.h"
#include "commandbars/utility.h"
#include "platform/gdi/gdi.h"

namespace commandbars {
namespace {

constexpr win::UINT kCalcSingleLine = 0x420;  // DT_CALCRECT | DT_SINGLELINE
constexpr win::UINT kCalc = 0x400;            // DT_CALCRECT: explicit line breaks count

// The size of text as DrawText measures it, 0 x 0 for no text.
win::SIZE TextSize(win::HDC hdc, std::u16string_view text, win::UINT format, int width, int height) {
  win::RECT r{0, 0, width, height};
  if (text.empty() || DrawTextAW(hdc, text, -1, r, format) == 0) return win::SIZE{0, 0};
  return win::SIZE{r.right - r.left, r.bottom - r.top};
}

bool Vertical(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

}  // namespace

std::int32_t cButtonInt::Measure(cMeasureButtonParams& params, bool hidden) {
  if (params.SizeStyle != 2 && (!visible_ || hidden)) return 0;
  if (params.SizeStyle == 1 || params.SizeStyle == 2) return MeasureMenuItem(params);
  if (params.SizeStyle >= 3 && params.SizeStyle <= 5) return MeasureToolbarButton(params, hidden);
  return 0;
}

std::int32_t cButtonInt::MeasureMenuItem(cMeasureButtonParams& params) {
  const std::int32_t m = ButtonMargin();
  std::int32_t extent = 0;
  if (style_ == eSeparator) {
    params.Height = 3;
  } else {
    if (HasImage()) extent = Vertical(params.Orientation) ? params.IconWidth : params.IconHeight;
    FontSelection font(params.hdc, params.hFont);
    if (params.Height == 0) {
      const std::int32_t textHeight = TextSize(params.hdc, u"Xy", kCalcSingleLine, 256, 256).cy;
      params.Height = std::max(textHeight, params.IconHeight) + 2 * m;
    }
    if (!caption_.empty())
      extent += TextSize(params.hdc, caption_ + u"  " + ShortcutText(), kCalcSingleLine, 256, 256).cx;
  }
  if (caption_.empty()) return extent + 10;
  std::int32_t width = ShortcutMargin() + extent + 32;
  if (params.SizeStyle == 2) width += params.IconWidth + 2;
  return width;
}

std::int32_t cButtonInt::MeasureToolbarButton(cMeasureButtonParams& params, bool hidden) {
  const std::int32_t m = ButtonMargin();
  const bool vertical = Vertical(params.Orientation);
  if (!visible_ || hidden) return 0;
  if (style_ == eSeparator) return 2 * m;
  if (style_ == ePanel && panelControl_ != nullptr) return vertical ? 0 : panelWidth_ + 2 * m;

  std::int32_t box = 2 * m;
  if (HasImage()) box += vertical ? params.IconWidth : params.IconHeight;
  FontSelection font(params.hdc, params.hFont);
  const std::int32_t textHeight = TextSize(params.hdc, u"Xy", kCalcSingleLine, 256, 256).cy;
  const bool captionUnder =
      params.ButtonPosition == 1 && showCaptionInToolbar_ && !caption_.empty() && style_ != ePanel;
  std::int32_t thickness = box;
  if (captionUnder)
    thickness = textHeight + box + 4;
  else if (textHeight >= box)
    thickness = textHeight + 2 * m;
  if (vertical && style_ == eSplit) thickness += SplitWidth();
  params.Height = thickness;

  std::int32_t length = box;
  if (showCaptionInToolbar_) {
    const std::int32_t captionWidth = TextSize(params.hdc, caption_, kCalc, 0, thickness).cx;
    if (params.ButtonPosition != 1 || style_ == ePanel)
      length = box + captionWidth + 4;
    else if (captionWidth + 12 > box)
      length = captionWidth + 12;
  }
  if (!vertical && style_ == eSplit)
    length += SplitWidth();
  else if (Bar() != nullptr && showDropDownInToolbar_)
    length += SplitWidth() - 4;
  return length;
}

}  // namespace commandbars
