#include "platform/testing/splash.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace platform::testing {

namespace {

QWidget* SplashWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QStringLiteral("qm-splash") && w->isVisible()) return w;
  }
  return nullptr;
}

}  // namespace

bool SaveSplashPicture(const std::u16string& path) {
  QWidget* w = SplashWindow();
  return w != nullptr && w->grab().save(QString::fromStdU16String(path), "PNG");
}

bool PressOnSplash() {
  QWidget* w = SplashWindow();
  if (w == nullptr) return false;
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  return true;
}

}  // namespace platform::testing
