// One button painted on a toolbar or a menu bar: background by state, frames, drop-down part,
// etched separator, panel control, icon, caption and drop-down arrow.
#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/font_selection.h"
#include "commandbars/toolkit_links.h"
#include "commandbars/utility.h"
#include "platform/vb/control.h"

namespace commandbars {
namespace {

bool Vertical(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

void Line(win::HDC hdc, std::int32_t colour, int x1, int y1, int x2, int y2) {
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, static_cast<win::COLORREF>(TranslateColour(colour)));
  const win::HGDIOBJ old = win::SelectObject(hdc, pen);
  win::MoveToEx(hdc, x1, y1, nullptr);
  win::LineTo(hdc, x2, y2);
  win::SelectObject(hdc, old);
  win::DeleteObject(pen);
}

// What the pointer state makes of one enabled button.
struct Look {
  std::int32_t top = 4;  // gradient colour indexes
  std::int32_t bottom = 5;
  bool highlighted = false;
  bool accent = false;
  bool pressedLook = false;
};

Look Pair(std::int32_t top, std::int32_t bottom, bool accent) { return Look{top, bottom, true, accent, false}; }

Look SplitLook(const cDrawButtonParams& p) {
  if ((p.MouseDownSplit && p.MouseOverSplit) || p.ShowingMenu) return Pair(29, 30, true);
  if (p.MouseOverButton || p.MouseOverSplit) {
    if (!p.MouseDownButton) return Pair(6, 7, true);
    Look look = Pair(10, 11, true);
    look.pressedLook = true;
    return look;
  }
  if (p.MouseDownButton) return Pair(6, 7, true);
  return Look{};
}

Look ButtonLook(const cDrawButtonParams& p, bool hasSubBar, bool checked) {
  if (p.ShowingMenu) return !hasSubBar || CommandBarStyle() == 2 ? Pair(10, 11, true) : Pair(29, 30, false);
  if (p.MouseOverButton && p.MouseDownButton) return hasSubBar ? Pair(29, 30, false) : Pair(10, 11, true);
  if (p.MouseOverButton || p.MouseDownButton) return checked ? Pair(10, 11, true) : Pair(6, 7, true);
  if (checked) return Look{8, 9, false, false, false};
  return Look{};
}

}  // namespace

void cButtonInt::DrawToolbarButton(cDrawButtonParams& p) {
  const bool entryEnabled = p.Enabled;
  // A disabled control paints every button disabled.
  const bool enabled = p.Enabled && CanHighlight(p.Orientation, p.SizeStyle == 2);
  p.Enabled = enabled;
  const std::int32_t m = ButtonMargin();
  const std::int32_t w = SplitWidth();
  const bool vertical = Vertical(p.Orientation);
  const bool themed = CommandBarStyle() == 3 && IsXPOrLater();
  const int iw = p.ImageList != nullptr ? p.ImageList->IconWidth() : 0;
  const int ih = p.ImageList != nullptr ? p.ImageList->IconHeight() : 0;
  const win::HDC dc = p.hdc;
  const int l = p.left, t = p.tOp, s = p.Size, h = p.Height;

  Look look;
  bool noBackground = false;
  std::int32_t imageStyle = eImageNormal;
  if (!enabled) {
    noBackground = true;
    imageStyle = eImageDisabled;
    if (KeyboardCuesOn()) look.highlighted = p.MouseOverButton;
  } else {
    look = style_ == eSplit ? SplitLook(p) : ButtonLook(p, Bar() != nullptr, checked_);
    if (CommandBarStyle() == 2 && (p.SizeStyle == 4 || p.SizeStyle == 5) && !caption_.empty() && iconIndex_ >= 0 &&
        showCaptionInToolbar_) {
      noBackground = true;
      imageStyle = look.accent ? eImageHighlighted : eImageOwnColours;
    }
  }

  // The drop-down part, inside the button's rectangle inset by one pixel.
  const bool hasDropDown = style_ == eSplit || (Bar() != nullptr && showDropDownInToolbar_);
  win::RECT dd{};
  if (!vertical || style_ == eSplit)
    dd = p.RightToLeft ? win::RECT{l + 1, t + 1, l + 1 + w, t + h - 1} : win::RECT{l + s - 1 - w, t + 1, l + s - 1, t + h - 1};
  else
    dd = win::RECT{l + 1, t + h - 1 - w, l + s - 1, t + h - 1};

  if (themed) {
    if (style_ == eSplit) {
      const bool hot = p.MouseOverButton || p.MouseOverSplit || p.ShowingMenu;
      const bool pressed = p.MouseDownButton && p.MouseOverButton;
      DrawThemedToolbarBackground(p.hwnd, dc, l, t, s - w, h, enabled, hot, style_, false, p.Orientation, checked_,
                                  pressed);
      DrawThemedToolbarBackground(p.hwnd, dc, l + s - w, t, w, h, enabled, hot, style_, true, p.Orientation, checked_,
                                  pressed || (p.MouseDownSplit && p.MouseOverSplit) || p.ShowingMenu);
    } else {
      DrawThemedToolbarBackground(p.hwnd, dc, l, t, s, h, enabled, p.MouseOverButton || p.ShowingMenu, style_, false,
                                  p.Orientation, checked_, (p.MouseDownButton && p.MouseOverButton) || p.ShowingMenu);
    }
  } else {
    if (!noBackground) FillColourRect(dc, SchemeColour(look.top), SchemeColour(look.bottom), l + 1, t + 1, s - 2, h - 2, false);
    if (look.highlighted) {
      const std::int32_t frame = SchemeColour(p.ShowingMenu ? 13 : 21);
      DrawBorder(dc, frame, l + 1, t + 1, s - 2, h - 2);
      if (hasDropDown) {
        const int ddw = dd.right - dd.left, ddh = dd.bottom - dd.top;
        if (look.pressedLook) {
          FillColourRect(dc, SchemeColour(6), SchemeColour(7), dd.left, dd.top, ddw, ddh, false);
          DrawBorder(dc, SchemeColour(21), dd.left, dd.top, ddw, ddh);
        } else {
          DrawBorder(dc, frame, dd.left, dd.top, ddw, ddh);
        }
      }
    }
  }

  if (style_ == eSeparator) {
    const int bx = vertical ? l + m : l + (s - 2) / 2;
    const int by = vertical ? t + (h - 2) / 2 : t + m;
    const int bw = vertical ? s - 2 * m : 2;
    const int bh = vertical ? 2 : h - 2 * m;
    if (themed) {
      DrawThemedToolbarBackground(p.hwnd, dc, bx, by, bw, bh, false, false, eSeparator, false, p.Orientation, false,
                                  false);
    } else {
      const int dx = vertical ? s - 2 * m : 0;
      const int dy = vertical ? 0 : h - 2 * m;
      Line(dc, SchemeColour(28), bx, by, bx + dx, by + dy);
      Line(dc, SchemeColour(27), bx + 1, by + 1, bx + 1 + dx, by + 1 + dy);
    }
  }

  if (style_ == ePanel && panelControl_ != nullptr && !vertical) PlacePanelControl(p);

  int iconX = l + m;
  if (HasImage()) {
    int y = t + (h - ih) / 2;
    if (vertical) {
      y = t + m;
      iconX = style_ == eSplit ? l + m : l + (s - iw) / 2;
    } else if (p.ButtonPosition == 1 && !locked_) {
      iconX = l + (s - iw) / 2;
      y = t + m;
    } else if (p.RightToLeft) {
      iconX = l + s - m - iw;
    }
    if (themed && enabled && ((p.MouseDownButton && p.MouseOverButton) || checked_ || p.ShowingMenu)) {
      ++iconX;
      ++y;
    }
    if (iconIndex_ < 0 || p.ImageList != nullptr)
      DrawImage(dc, p.ImageList, iconIndex_, colorBox_, iconX, y, enabled ? imageStyle : eImageDisabled);
  }

  if (showCaptionInToolbar_) {
    std::int32_t textColour = SchemeColour(!enabled && !locked_ ? 3 : look.accent && !locked_ ? 2 : 1);
    if (themed && p.MouseDownButton && p.MouseOverButton) textColour = TranslateColour(static_cast<std::int32_t>(0x80000014));
    const int e = !HasImage() ? 0 : vertical ? ih : iw;
    win::RECT r{};  // left, top, width, height
    if (vertical) {
      r = win::RECT{l + m, t + e + 2 + m, s - 2 * m, h};
    } else if (p.ButtonPosition == 1 && style_ == ePanel && iconIndex_ < 0) {
      r = win::RECT{l + 6, t + m, s - 12, p.ToolbarSize - (t + m) - m};
    } else if (p.ButtonPosition == 1) {
      const int y = t + ih + m + 2;
      r = win::RECT{l + 6, y, s - 12, h - y};
    } else {
      const int x = p.RightToLeft ? l + m + 2 + (style_ == eSplit ? w + 2 : 0) : iconX + e + 2 + (e > 0 ? 2 : 0);
      r = win::RECT{x, t + m, s - e - 2 * m - 2 - (e > 0 ? 2 : 0), h - 2 * m};
    }
    FontSelection font(dc, p.hFont);
    DrawButtonText(dc, caption_, r.left, r.top, r.right, r.bottom, 0, textColour, p.Orientation, p.ButtonPosition == 1);
  }

  if (hasDropDown)
    DrawPixelGlyph(dc, dd.left, dd.top, dd.right - dd.left, dd.bottom - dd.top, 0, SchemeColour(enabled ? 1 : 3),
                   style_ == eSplit ? 0 : p.Orientation);
  p.Enabled = entryEnabled;
}

void cButtonInt::PlacePanelControl(const cDrawButtonParams& p) {
  try {
    if (!panelControl_->Visible()) panelControl_->Visible(true);
    const int twips = vb::TwipsPerPixel;
    const int thickness = p.ButtonPosition == 1 ? p.ToolbarSize : p.Height;
    const int height = static_cast<int>(panelControl_->Height()) / twips;
    const int top = p.tOp + (thickness - height) / 2;
    panelControl_->Move(static_cast<float>((p.left + 1) * twips), static_cast<float>(top * twips));
  } catch (...) {
  }
}

}  // namespace commandbars
