#include "platform/testing/splash.h"

#include <QApplication>
#include <QWidget>

namespace platform::testing {

bool SaveSplashPicture(const std::u16string& path) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QStringLiteral("qm-splash") && w->isVisible()) {
      return w->grab().save(QString::fromStdU16String(path), "PNG");
    }
  }
  return false;
}

}  // namespace platform::testing
