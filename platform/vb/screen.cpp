#include "platform/vb/screen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"

namespace vb {

ScreenObject Screen;

namespace {
int pointer = vbDefault;
}  // namespace

float ScreenObject::Width() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? platform::detail::Tw(s->geometry().width()) : 0;
}

float ScreenObject::Height() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? platform::detail::Tw(s->geometry().height()) : 0;
}

int ScreenObject::MousePointer() const { return pointer; }

void ScreenObject::MousePointer(int v) {
  if (pointer != vbDefault) QApplication::restoreOverrideCursor();
  pointer = v;
  if (v != vbDefault) QApplication::setOverrideCursor(QCursor(platform::detail::CursorOf(v)));
}

int ScreenObject::FontCount() const { return static_cast<int>(platform::gdi::FontFamilies().size()); }

std::u16string ScreenObject::Fonts(int index) const {
  const QStringList families = platform::gdi::FontFamilies();
  if (index < 0 || index >= families.size()) Raise(err::kInvalidPropertyValue);
  return families[index].toStdU16String();
}

}  // namespace vb
