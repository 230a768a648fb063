#include "platform/dialogs/window_owner.h"

#include "platform/gdi/objects.h"
#include "platform/win/window_record.h"

namespace platform::dialogs {

QWidget* OwnerWidget(win::HWND owner) {
  QWidget* w = owner == 0 ? nullptr : platform::detail::WidgetOf(owner);
  return w == nullptr ? nullptr : w->window();
}

QPixmap PictureOfIcon(win::HICON icon) {
  if (icon == 0) return {};
  return QPixmap::fromImage(platform::gdi::ImageOfHandle(icon));
}

}  // namespace platform::dialogs
