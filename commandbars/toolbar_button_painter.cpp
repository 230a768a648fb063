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
  std::int32_t top = 4;  // gradient colour indexes, top to bottom
  std::int32_t bottom = 5;
  bool highlighted = false;  // frames are drawn
  bool accent = false;       // accent text colour and highlighted icon look
  bool pressedLook = false;  // the split part gets the hot gradient
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

// One paint of one button: the state worked out first, then drawn piece by piece.
class ToolbarPaint {
 public:
  ToolbarPaint(const cButtonInt& b, cDrawButtonParams& p)
      : b_(b),
        p_(p),
        // A disabled control paints every button disabled.
        enabled_(p.Enabled && b.CanHighlight(p.Orientation, p.SizeStyle == 2)),
        vertical_(p.Orientation == 1 || p.Orientation == 2),
        themed_(CommandBarStyle() == 3 && IsXPOrLater()),
        iw_(p.ImageList != nullptr ? p.ImageList->IconWidth() : 0),
        ih_(p.ImageList != nullptr ? p.ImageList->IconHeight() : 0),
        hasDropDown_(b.Style() == eSplit || (b.Bar() != nullptr && b.ShowDropDownInToolbar())) {
    ChooseLook();
    PlaceDropDownPart();
  }
  bool Enabled() const { return enabled_; }

  void Background() const;
  void Separator() const;
  // Returns the icon's left edge (the margin when there is no icon).
  int Icon() const;
  void Caption(int iconX) const;
  void DropDownArrow() const;

 private:
  void ChooseLook();
  void PlaceDropDownPart();
  void Frames() const;

  const cButtonInt& b_;
  const cDrawButtonParams& p_;
  const bool enabled_;
  const bool vertical_;
  const bool themed_;
  const int iw_, ih_;
  const bool hasDropDown_;
  Look look_;
  bool noBackground_ = false;
  std::int32_t imageStyle_ = eImageNormal;
  win::RECT part_{};  // the drop-down part (left, top, right, bottom)
};

void ToolbarPaint::ChooseLook() {
  if (!enabled_) {
    noBackground_ = true;
    imageStyle_ = eImageDisabled;
    if (KeyboardCuesOn()) look_.highlighted = p_.MouseOverButton;
    return;
  }
  look_ = b_.Style() == eSplit ? SplitLook(p_) : ButtonLook(p_, b_.Bar() != nullptr, b_.Checked());
  // Style 2 shows a captioned icon button by its icon alone.
  if (CommandBarStyle() == 2 && (p_.SizeStyle == 4 || p_.SizeStyle == 5) && !b_.Caption().empty() &&
      b_.IconIndex() >= 0 && b_.ShowCaptionInToolbar()) {
    noBackground_ = true;
    imageStyle_ = look_.accent ? eImageHighlighted : eImageOwnColours;
  }
}

// Inside the button's rectangle inset by one pixel: a strip at the end, or for a sub-bar button on a
// vertical bar a strip at the bottom.
void ToolbarPaint::PlaceDropDownPart() {
  const int l = p_.left, t = p_.tOp, s = p_.Size, h = p_.Height, w = b_.SplitWidth();
  if (!vertical_ || b_.Style() == eSplit)
    part_ = p_.RightToLeft ? win::RECT{l + 1, t + 1, l + 1 + w, t + h - 1} : win::RECT{l + s - 1 - w, t + 1, l + s - 1, t + h - 1};
  else
    part_ = win::RECT{l + 1, t + h - 1 - w, l + s - 1, t + h - 1};
}

void ToolbarPaint::Background() const {
  const int l = p_.left, t = p_.tOp, s = p_.Size, h = p_.Height, w = b_.SplitWidth();
  if (!themed_) {
    if (!noBackground_)
      FillColourRect(p_.hdc, SchemeColour(look_.top), SchemeColour(look_.bottom), l + 1, t + 1, s - 2, h - 2, false);
    if (look_.highlighted) Frames();
    return;
  }
  if (b_.Style() == eSplit) {
    const bool hot = p_.MouseOverButton || p_.MouseOverSplit || p_.ShowingMenu;
    const bool pressed = p_.MouseDownButton && p_.MouseOverButton;
    DrawThemedToolbarBackground(p_.hwnd, p_.hdc, l, t, s - w, h, enabled_, hot, eSplit, false, p_.Orientation,
                                b_.Checked(), pressed);
    DrawThemedToolbarBackground(p_.hwnd, p_.hdc, l + s - w, t, w, h, enabled_, hot, eSplit, true, p_.Orientation,
                                b_.Checked(), pressed || (p_.MouseDownSplit && p_.MouseOverSplit) || p_.ShowingMenu);
    return;
  }
  DrawThemedToolbarBackground(p_.hwnd, p_.hdc, l, t, s, h, enabled_, p_.MouseOverButton || p_.ShowingMenu, b_.Style(),
                              false, p_.Orientation, b_.Checked(),
                              (p_.MouseDownButton && p_.MouseOverButton) || p_.ShowingMenu);
}

void ToolbarPaint::Frames() const {
  const std::int32_t frame = SchemeColour(p_.ShowingMenu ? 13 : 21);
  DrawBorder(p_.hdc, frame, p_.left + 1, p_.tOp + 1, p_.Size - 2, p_.Height - 2);
  if (!hasDropDown_) return;
  const int w = part_.right - part_.left, h = part_.bottom - part_.top;
  if (look_.pressedLook) {
    FillColourRect(p_.hdc, SchemeColour(6), SchemeColour(7), part_.left, part_.top, w, h, false);
    DrawBorder(p_.hdc, SchemeColour(21), part_.left, part_.top, w, h);
  } else {
    DrawBorder(p_.hdc, frame, part_.left, part_.top, w, h);
  }
}

// A band two pixels thick across the button's middle: themed, or an etched line.
void ToolbarPaint::Separator() const {
  if (b_.Style() != eSeparator) return;
  const int l = p_.left, t = p_.tOp, s = p_.Size, h = p_.Height, m = b_.ButtonMargin();
  const int x = vertical_ ? l + m : l + (s - 2) / 2;
  const int y = vertical_ ? t + (h - 2) / 2 : t + m;
  if (themed_) {
    DrawThemedToolbarBackground(p_.hwnd, p_.hdc, x, y, vertical_ ? s - 2 * m : 2, vertical_ ? 2 : h - 2 * m, false,
                                false, eSeparator, false, p_.Orientation, false, false);
    return;
  }
  const int dx = vertical_ ? s - 2 * m : 0;
  const int dy = vertical_ ? 0 : h - 2 * m;
  Line(p_.hdc, SchemeColour(28), x, y, x + dx, y + dy);
  Line(p_.hdc, SchemeColour(27), x + 1, y + 1, x + 1 + dx, y + 1 + dy);
}

int ToolbarPaint::Icon() const {
  const int l = p_.left, t = p_.tOp, s = p_.Size, h = p_.Height, m = b_.ButtonMargin();
  int x = l + m;
  if (!b_.HasImage()) return x;
  int y = t + (h - ih_) / 2;
  if (vertical_) {
    y = t + m;
    x = b_.Style() == eSplit ? l + m : l + (s - iw_) / 2;
  } else if (p_.ButtonPosition == 1 && !b_.Locked()) {
    x = l + (s - iw_) / 2;
    y = t + m;
  } else if (p_.RightToLeft) {
    x = l + s - m - iw_;
  }
  // The themed style pushes a pressed, checked or open button's icon in.
  if (themed_ && enabled_ && ((p_.MouseDownButton && p_.MouseOverButton) || b_.Checked() || p_.ShowingMenu)) {
    ++x;
    ++y;
  }
  // Without an image list there is no icon to draw; a colour swatch needs none.
  if (b_.IconIndex() < 0 || p_.ImageList != nullptr)
    DrawImage(p_.hdc, p_.ImageList, b_.IconIndex(), b_.ColorBox(), x, y, enabled_ ? imageStyle_ : eImageDisabled);
  return x;
}

void ToolbarPaint::Caption(int iconX) const {
  if (!b_.ShowCaptionInToolbar()) return;
  const int l = p_.left, t = p_.tOp, s = p_.Size, h = p_.Height, m = b_.ButtonMargin();
  const bool locked = b_.Locked();
  std::int32_t colour = SchemeColour(!enabled_ && !locked ? 3 : look_.accent && !locked ? 2 : 1);
  if (themed_ && p_.MouseDownButton && p_.MouseOverButton) colour = TranslateColour(static_cast<std::int32_t>(0x80000014));
  const int e = !b_.HasImage() ? 0 : vertical_ ? ih_ : iw_;
  int x, y, w, height;  // the text rectangle
  if (vertical_) {
    x = l + m, y = t + e + 2 + m, w = s - 2 * m, height = h;
  } else if (p_.ButtonPosition == 1 && b_.Style() == ePanel && b_.IconIndex() < 0) {
    x = l + 6, y = t + m, w = s - 12, height = p_.ToolbarSize - (t + m) - m;
  } else if (p_.ButtonPosition == 1) {
    x = l + 6, y = t + ih_ + m + 2, w = s - 12, height = h - y;
  } else {
    const int beside = e > 0 ? 2 : 0;
    x = p_.RightToLeft ? l + m + 2 + (b_.Style() == eSplit ? b_.SplitWidth() + 2 : 0) : iconX + e + 2 + beside;
    y = t + m, w = s - e - 2 * m - 2 - beside, height = h - 2 * m;
  }
  FontSelection font(p_.hdc, p_.hFont);
  DrawButtonText(p_.hdc, b_.Caption(), x, y, w, height, 0, colour, p_.Orientation, p_.ButtonPosition == 1);
}

// A split button's arrow is always the upright one in its end strip; a sub-bar button's follows
// the bar.
void ToolbarPaint::DropDownArrow() const {
  if (!hasDropDown_) return;
  DrawPixelGlyph(p_.hdc, part_.left, part_.top, part_.right - part_.left, part_.bottom - part_.top, 0,
                 SchemeColour(enabled_ ? 1 : 3), b_.Style() == eSplit ? 0 : p_.Orientation);
}

}  // namespace

void cButtonInt::DrawToolbarButton(cDrawButtonParams& p) {
  const bool entryEnabled = p.Enabled;
  const ToolbarPaint paint(*this, p);
  p.Enabled = paint.Enabled();
  paint.Background();
  paint.Separator();
  if (style_ == ePanel && panelControl_ != nullptr && p.Orientation != 1 && p.Orientation != 2) PlacePanelControl(p);
  paint.Caption(paint.Icon());
  paint.DropDownArrow();
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
