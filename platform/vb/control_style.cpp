#include "platform/vb/control_style.h"

#include <QByteArray>
#include <QHash>
#include <QPainter>
#include <QStyleOption>

namespace platform::detail {
namespace {

// The one palette of these colours: the same cache key for every widget whose palette holds the
// same solid colours. A palette of patterns or gradients is its own.
QPalette SharedPalette(const QPalette& palette) {
  static QHash<QByteArray, QPalette> shared;
  QByteArray colours;
  colours.reserve(QPalette::NColorGroups * QPalette::NColorRoles * 4);
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const QBrush& brush = palette.brush(QPalette::ColorGroup(group), QPalette::ColorRole(role));
      if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) return palette;
      const QRgb rgb = brush.style() == Qt::NoBrush ? 0 : brush.color().rgba();
      colours.append(reinterpret_cast<const char*>(&rgb), sizeof rgb);
    }
  }
  const auto found = shared.constFind(colours);
  QPalette one = found != shared.constEnd() ? *found : *shared.insert(colours, palette);
  // The group the option draws in (disabled, inactive) is the option's own; it leaves the key as it is.
  one.setCurrentColorGroup(palette.currentColorGroup());
  return one;
}

// Draws with the shared palette of the option's colours for as long as it lives. The option is the
// caller's own, made for this drawing.
class SharedColours {
 public:
  explicit SharedColours(const QStyleOption* option) : option_(const_cast<QStyleOption*>(option)) {
    if (option_ == nullptr) return;
    own_ = option_->palette;
    option_->palette = SharedPalette(own_);
  }
  ~SharedColours() {
    if (option_ != nullptr) option_->palette = own_;
  }
  SharedColours(const SharedColours&) = delete;
  SharedColours& operator=(const SharedColours&) = delete;

 private:
  QStyleOption* option_;
  QPalette own_;
};


// From the inset of the focus rectangle to the button's edges, in pixels.
constexpr int kFocusInset = 3;

// A dotted rectangle: every other pixel of its outline, starting at its top-left corner.
void DrawFocusRectangle(QPainter* painter, const QRect& r, const QColor& ink) {
  if (r.width() < 1 || r.height() < 1) return;
  painter->save();
  painter->setPen(ink);
  painter->setRenderHint(QPainter::Antialiasing, false);
  const auto dot = [&](int x, int y) {
    if (((x - r.left()) + (y - r.top())) % 2 == 0) painter->drawPoint(x, y);
  };
  for (int x = r.left(); x <= r.right(); ++x) {
    dot(x, r.top());
    dot(x, r.bottom());
  }
  for (int y = r.top() + 1; y < r.bottom(); ++y) {
    dot(r.left(), y);
    dot(r.right(), y);
  }
  painter->restore();
}

}  // namespace

void ControlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  const SharedColours shared(option);
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}


void ControlStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const {
  const SharedColours shared(option);
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void ControlStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, bool enabled,
                                const QString& text, QPalette::ColorRole textRole) const {
  if (enabled || text.isEmpty()) {
    QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
    return;
  }
  const QPen saved = painter->pen();
  const QColor ink = textRole == QPalette::NoRole ? saved.color() : pal.color(QPalette::Disabled, textRole);
  painter->setPen(pal.color(QPalette::Disabled, QPalette::Light));
  painter->drawText(rect.translated(1, 1), flags, text);
  painter->setPen(ink);
  painter->drawText(rect, flags, text);
  painter->setPen(saved);
}

void ControlStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  {
    const SharedColours shared(option);
    QProxyStyle::drawControl(element, option, painter, widget);
  }
  if (element != CE_PushButton || !option->state.testFlag(State_HasFocus)) return;
  const QRect inside = option->rect.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
  DrawFocusRectangle(painter, inside, option->palette.color(QPalette::ButtonText));
}

}  // namespace platform::detail
