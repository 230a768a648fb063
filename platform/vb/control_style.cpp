#include "platform/vb/control_style.h"

#include <QPainter>
#include <QStyleOption>

namespace platform::detail {
namespace {

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
  QProxyStyle::drawControl(element, option, painter, widget);
  if (element != CE_PushButton || !option->state.testFlag(State_HasFocus)) return;
  const QRect inside = option->rect.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
  DrawFocusRectangle(painter, inside, option->palette.color(QPalette::ButtonText));
}

}  // namespace platform::detail
