#include "platform/vb/shape.h"

#include <QPainter>
#include <QWidget>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;

namespace {

class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  int shape = vbShapeRectangle;
  OLE_COLOR borderColor = vbWindowText;
  int borderWidth = 1;
  int borderStyle = 1;
  OLE_COLOR fillColor = vbBlack;
  int fillStyle = vbFSTransparent;
  int backStyle = 0;
  OLE_COLOR backColor = vbWindowBackground;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect();
    if (shape == vbShapeSquare || shape == vbShapeCircle || shape == vbShapeRoundedSquare) {
      const int side = std::min(r.width(), r.height());
      r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    const int inset = borderStyle == 0 ? 0 : borderWidth / 2;
    r.adjust(inset, inset, -inset - (borderStyle == 0 ? 0 : 1), -inset - (borderStyle == 0 ? 0 : 1));
    if (borderStyle == 0) {
      p.setPen(Qt::NoPen);
    } else {
      p.setPen(QPen(platform::detail::ToQColor(borderColor), borderWidth));
    }
    auto draw = [&](const QBrush& b) {
      p.setBrush(b);
      switch (shape) {
        case vbShapeOval:
        case vbShapeCircle: p.drawEllipse(r); break;
        case vbShapeRoundedRectangle:
        case vbShapeRoundedSquare: p.drawRoundedRect(r, 8, 8); break;
        default: p.drawRect(r); break;
      }
    };
    if (backStyle == 1) {
      draw(QBrush(platform::detail::ToQColor(backColor)));
    }
    draw(fillStyle == vbFSSolid ? QBrush(platform::detail::ToQColor(fillColor)) : QBrush(Qt::NoBrush));
  }
};

}  // namespace

void Shape::CreateControlWindow() { Adopt(*this, new ShapeWidget(ContainerWidget(*this)), "ThunderShape"); }
static ShapeWidget& ShapeOf(Control& c) { return static_cast<ShapeWidget&>(*c.core().widget); }
#define SHAPE_PROPERTY(Type, Name, field)   \
  Type Shape::Name() {                      \
    EnsureWindow();                                \
    return ShapeOf(*this).field;            \
  }                                         \
  void Shape::Name(Type v) {                \
    EnsureWindow();                                \
    ShapeOf(*this).field = v;               \
    core().widget->update();                \
  }
SHAPE_PROPERTY(int, ShapeKind, shape)
SHAPE_PROPERTY(OLE_COLOR, BorderColor, borderColor)
SHAPE_PROPERTY(int, BorderWidth, borderWidth)
SHAPE_PROPERTY(int, BorderStyle, borderStyle)
SHAPE_PROPERTY(OLE_COLOR, FillColor, fillColor)
SHAPE_PROPERTY(int, FillStyle, fillStyle)
SHAPE_PROPERTY(int, BackStyle, backStyle)
#undef SHAPE_PROPERTY

}  // namespace vb
