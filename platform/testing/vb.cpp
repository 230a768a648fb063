#include "platform/testing/vb.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/gdi/gdi.h"
#include "platform/vb/control_core.h"
#include "platform/win/window_record.h"

namespace vb::testing {

void QueueModalAction(std::function<void()> action) { platform::detail::ModalActions().push_back(std::move(action)); }

std::size_t PendingModalActions() { return platform::detail::ModalActions().size(); }

bool SaveWindowPicture(win::HWND h, const std::u16string& path) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr && w->grab().save(QString::fromStdU16String(path), "PNG");
}

win::COLORREF WindowPicturePixel(win::HWND h, int x, int y) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || !w->rect().contains(x, y)) return win::CLR_INVALID;
  const QRgb p = w->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0);
  return win::RGB(qRed(p), qGreen(p), qBlue(p));
}

void SetForeignClipboardText(std::u16string_view text) {
  QGuiApplication::clipboard()->setText(QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
}

}  // namespace vb::testing
