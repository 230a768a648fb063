// Inside the layer only: the painter of the runtime's controls, the desktop's widget style with
// the platform's disabled look. A disabled control's caption (label, check box, option button,
// button, frame, drop-down list) stands embossed: the text once in the highlight colour one pixel
// down and right, then in grey text over it, both from the disabled colours of the control's
// palette (ApplyColors gives them: COLOR_3DHILIGHT and COLOR_GRAYTEXT). A button with the keyboard
// focus shows the platform's focus rectangle, a dotted line of every other pixel in the button's
// text colour three pixels inside its edges, so a default button with the focus looks other than
// one without. The application uses it for every widget.
//
// The desktop's style keeps what it draws (a button's face, a list's frame) under a key that holds
// the palette's cache key, which the toolkit makes anew for every widget given colours of its own:
// each control of each window opened would add drawings nobody finds again. So the style draws
// with one palette for each set of colours, and a window opened again finds its drawings there.
#pragma once

#include "platform/layer_only.h"

#include <QProxyStyle>

namespace platform::detail {

class ControlStyle : public QProxyStyle {
 public:
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, bool enabled,
                    const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};

}  // namespace platform::detail
