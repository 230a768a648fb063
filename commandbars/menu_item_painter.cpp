// One button painted as an item of a drop-down or popup menu: highlight, check box, icon or
// colour swatch, check mark, caption, shortcut text and sub-menu arrow, or a separator line.
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

// One paint of one item. The add-or-remove list (drawing mode 2) shifts the record's left edge and
// narrows it by its check column; the shift stays in the record.
class MenuItemPaint {
 public:
  MenuItemPaint(const cButtonInt& b, cDrawButtonParams& p)
      : b_(b),
        p_(p),
        addOrRemove_(p.SizeStyle == 2),
        enabled_(addOrRemove_ ? b.State() != 2 : p.Enabled && b.Enabled()),
        highlighted_(p.MouseOverButton || p.ShowingMenu),
        iw_(p.ImageList != nullptr ? p.ImageList->IconWidth() : 0),
        ih_(p.ImageList != nullptr ? p.ImageList->IconHeight() : 0),
        // The text column: past the icon column (and the check column) whatever the item's left.
        textX_(p.RightToLeft ? p.left + 4 : iw_ + 16 + (addOrRemove_ ? iw_ + 6 : 0)) {}
  bool Enabled() const { return enabled_; }

  void SeparatorLine() const;
  void Highlight();
  void CheckColumn();
  void CheckBox() const;
  void IconCell() const;
  void Texts() const;
  void SubMenuArrow() const;

 private:
  int CellX() const { return p_.RightToLeft ? p_.left + p_.Size - iw_ - 6 : p_.left + 5; }
  int CellY() const { return p_.tOp + (p_.Height - ih_) / 2; }

  const cButtonInt& b_;
  cDrawButtonParams& p_;
  const bool addOrRemove_;
  const bool enabled_;
  const bool highlighted_;
  const int iw_, ih_;
  const int textX_;
  std::int32_t boxTop_ = 22;  // check box gradient
  std::int32_t boxBottom_ = 23;
};

void MenuItemPaint::SeparatorLine() const {
  const int y = p_.tOp + 1;
  if (p_.RightToLeft)
    Line(p_.hdc, SchemeColour(28), p_.left + p_.Size - 2 * iw_ - 4, y, p_.left, y);
  else
    Line(p_.hdc, SchemeColour(28), textX_, y, p_.Size, y);
}

// A disabled item is highlighted only while the menu is driven from the keyboard.
void MenuItemPaint::Highlight() {
  if (!highlighted_ || !(enabled_ || KeyboardCuesOn())) return;
  const int l = p_.left + 2, t = p_.tOp + 1, w = p_.Size - 4, h = p_.Height - 1;
  FillColourRect(p_.hdc, SchemeColour(enabled_ ? 19 : 17), SchemeColour(enabled_ ? 20 : 18), l, t, w, h, false);
  DrawBorder(p_.hdc, SchemeColour(21), l, t, w, h);
  if (enabled_) boxTop_ = 24, boxBottom_ = 25;
}

void MenuItemPaint::CheckColumn() {
  if (!addOrRemove_) return;
  if (b_.State() != 2) {
    CheckBox();
    if (b_.State() == 1) DrawCheckMark(p_.hdc, CellX(), CellY(), iw_, ih_);
  }
  if (!p_.RightToLeft) p_.left += iw_ + 4;
  p_.Size -= iw_ + 4;
}

// A little larger than the icon cell, under it.
void MenuItemPaint::CheckBox() const {
  const int left = p_.RightToLeft ? p_.left + p_.Size - iw_ - 8 : p_.left + 3;
  FillColourRect(p_.hdc, SchemeColour(boxTop_), SchemeColour(boxBottom_), left, p_.tOp + 2, iw_ + 5, ih_ + 5, false);
  DrawBorder(p_.hdc, SchemeColour(21), left, p_.tOp + 2, iw_ + 5, ih_ + 5);
}

void MenuItemPaint::IconCell() const {
  if (b_.HasImage()) {
    // Without an image list there is no icon to draw; a colour swatch needs none.
    if (b_.IconIndex() < 0 || p_.ImageList != nullptr)
      DrawImage(p_.hdc, p_.ImageList, b_.IconIndex(), b_.ColorBox(), CellX(), CellY(),
                enabled_ ? eImageNormal : eImageDisabled);
  } else if (b_.Checked()) {
    DrawCheckMark(p_.hdc, CellX(), CellY(), iw_, ih_);
  }
}

// The caption from the text column; left to right, the shortcut ends ShortcutMargin before the edge.
void MenuItemPaint::Texts() const {
  const std::int32_t colour = SchemeColour(!b_.Enabled() ? 16 : highlighted_ ? 15 : 14);
  const int t = p_.tOp, h = p_.Height;
  FontSelection font(p_.hdc, p_.hFont);
  DrawButtonText(p_.hdc, b_.Caption(), textX_, t, p_.Size - textX_, h, 0, colour, p_.Orientation, false);
  if (p_.RightToLeft) return;
  const std::u16string shortcut = b_.ShortcutText();
  if (shortcut.empty()) return;
  win::RECT r{0, 0, 0, 0};
  DrawTextAW(p_.hdc, shortcut, -1, r, kCalcSingleLine);
  const int x = p_.left + p_.Size - (r.right - r.left) - b_.ShortcutMargin();
  DrawButtonText(p_.hdc, shortcut, x, t, p_.Size - x, h, 0, colour, p_.Orientation, false);
}

void MenuItemPaint::SubMenuArrow() const {
  if (p_.RightToLeft || b_.Bar() == nullptr) return;
  const int margin = b_.ShortcutMargin();
  DrawSubMenuArrow(p_.hdc, p_.left + p_.Size - margin, p_.tOp, margin, p_.Height);
}

}  // namespace

void cButtonInt::DrawMenuItem(cDrawButtonParams& p) {
  const bool entryEnabled = p.Enabled;
  MenuItemPaint paint(*this, p);
  p.Enabled = paint.Enabled();
  if (style_ == eSeparator) {
    paint.SeparatorLine();
  } else {
    paint.Highlight();
    paint.CheckColumn();
    if (checked_) paint.CheckBox();
    paint.IconCell();
    paint.Texts();
    paint.SubMenuArrow();
  }
  p.Enabled = entryEnabled;
}

}  // namespace commandbars
