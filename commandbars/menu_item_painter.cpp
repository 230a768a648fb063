// One button painted as an item of a drop-down or popup menu.
#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/font_selection.h"
#include "commandbars/toolkit_links.h"
#include "commandbars/utility.h"

namespace commandbars {
namespace {

constexpr win::UINT kCalcSingleLine = 0x420;

void Line(win::HDC hdc, std::int32_t colour, int x1, int y1, int x2, int y2) {
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, static_cast<win::COLORREF>(TranslateColour(colour)));
  const win::HGDIOBJ old = win::SelectObject(hdc, pen);
  win::MoveToEx(hdc, x1, y1, nullptr);
  win::LineTo(hdc, x2, y2);
  win::SelectObject(hdc, old);
  win::DeleteObject(pen);
}

}  // namespace

void cButtonInt::DrawMenuItem(cDrawButtonParams& p) {
  const bool entryEnabled = p.Enabled;
  const bool addOrRemove = p.SizeStyle == 2;
  const bool enabled = addOrRemove ? state_ != 2 : p.Enabled && enabled_;
  p.Enabled = enabled;
  const int iw = p.ImageList != nullptr ? p.ImageList->IconWidth() : 0;
  const int ih = p.ImageList != nullptr ? p.ImageList->IconHeight() : 0;
  const win::HDC dc = p.hdc;
  const int t = p.tOp;
  const int h = p.Height;
  const int x = p.RightToLeft ? p.left + 4 : iw + 16 + (addOrRemove ? iw + 6 : 0);

  if (style_ == eSeparator) {
    if (p.RightToLeft)
      Line(dc, SchemeColour(28), p.left + p.Size - 2 * iw - 4, t + 1, p.left, t + 1);
    else
      Line(dc, SchemeColour(28), x, t + 1, p.Size, t + 1);
    p.Enabled = entryEnabled;
    return;
  }

  const bool highlighted = p.MouseOverButton || p.ShowingMenu;
  std::int32_t boxTop = 22;
  std::int32_t boxBottom = 23;
  if (highlighted && (enabled || KeyboardCuesOn())) {
    FillColourRect(dc, SchemeColour(enabled ? 19 : 17), SchemeColour(enabled ? 20 : 18), p.left + 2, t + 1,
                   p.Size - 4, h - 1, false);
    DrawBorder(dc, SchemeColour(21), p.left + 2, t + 1, p.Size - 4, h - 1);
    if (enabled) boxTop = 24, boxBottom = 25;
  }

  // The check box sits under the icon cell, a little larger than it.
  auto checkBox = [&] {
    const int left = p.RightToLeft ? p.left + p.Size - iw - 8 : p.left + 3;
    FillColourRect(dc, SchemeColour(boxTop), SchemeColour(boxBottom), left, t + 2, iw + 5, ih + 5, false);
    DrawBorder(dc, SchemeColour(21), left, t + 2, iw + 5, ih + 5);
  };
  auto cellX = [&] { return p.RightToLeft ? p.left + p.Size - iw - 6 : p.left + 5; };
  const int cellY = t + (h - ih) / 2;

  if (addOrRemove) {
    if (state_ != 2) {
      checkBox();
      if (state_ == 1) DrawCheckMark(dc, cellX(), cellY, iw, ih);
    }
    if (!p.RightToLeft) p.left += iw + 4;
    p.Size -= iw + 4;
  }
  if (checked_) checkBox();

  if (HasImage()) {
    if (iconIndex_ < 0 || p.ImageList != nullptr)
      DrawImage(dc, p.ImageList, iconIndex_, colorBox_, cellX(), cellY, enabled ? eImageNormal : eImageDisabled);
  } else if (checked_) {
    DrawCheckMark(dc, cellX(), cellY, iw, ih);
  }

  const std::int32_t textColour = SchemeColour(!enabled_ ? 16 : highlighted ? 15 : 14);
  {
    FontSelection font(dc, p.hFont);
    DrawButtonText(dc, caption_, x, t, p.Size - x, h, 0, textColour, p.Orientation, false);
    const std::u16string shortcut = p.RightToLeft ? std::u16string() : ShortcutText();
    if (!shortcut.empty()) {
      win::RECT r{0, 0, 0, 0};
      DrawTextAW(dc, shortcut, -1, r, kCalcSingleLine);
      const int sx = p.left + p.Size - (r.right - r.left) - ShortcutMargin();
      DrawButtonText(dc, shortcut, sx, t, p.Size - sx, h, 0, textColour, p.Orientation, false);
    }
  }
  if (!p.RightToLeft && Bar() != nullptr)
    DrawSubMenuArrow(dc, p.left + p.Size - ShortcutMargin(), t, ShortcutMargin(), h);
  p.Enabled = entryEnabled;
}

}  // namespace commandbars
