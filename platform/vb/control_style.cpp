#include "platform/vb/control_style.h"

#include <QPainter>

namespace platform::detail {

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

}  // namespace platform::detail
