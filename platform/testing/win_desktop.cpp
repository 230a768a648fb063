// Test hooks for what happens around the application: it loses or regains activation, the
// desktop's settings change, and a picture of the screen with every shown window where it stands.
#include <QApplication>
#include <QEvent>
#include <QtGui/qevent.h>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/testing/picture_image.h"
#include "platform/testing/win.h"

namespace platform::testing {

void SetApplicationActive(bool active) {
  QApplicationStateChangeEvent e(active ? Qt::ApplicationActive : Qt::ApplicationInactive);
  QCoreApplication::sendEvent(qApp, &e);
}

void ChangeDesktopSettings() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    QEvent e(QEvent::ThemeChange);
    QApplication::sendEvent(w, &e);
  }
}

Picture ScreenPicture(const win::RECT& area) {
  QImage screen(area.right - area.left, area.bottom - area.top, QImage::Format_ARGB32_Premultiplied);
  screen.fill(QColor(58, 110, 165));  // the desktop
  std::vector<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !w->isMinimized()) shown.push_back(w);
  // Lowest first: ordinary windows before topmost ones, each in the order they were raised.
  std::stable_sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) {
    const bool ta = a->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    const bool tb = b->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (ta != tb) return !ta;
    return a->property("qmRaised").toLongLong() < b->property("qmRaised").toLongLong();
  });
  QPainter p(&screen);
  for (QWidget* w : shown) p.drawImage(w->geometry().topLeft() - QPoint(area.left, area.top), w->grab().toImage());
  p.end();
  return detail::PictureOf(screen);
}

bool SaveScreenPicture(const win::RECT& area, const std::u16string& path) { return SavePicture(ScreenPicture(area), path); }

}  // namespace platform::testing
