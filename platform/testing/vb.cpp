#include "platform/testing/vb.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QMetaObject>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/gdi/gdi.h"
#include "platform/testing/picture_image.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/clipboard_owner.h"
#include "platform/vb/control_core.h"
#include "platform/win/window_record.h"

namespace vb::testing {

void RunFromEventLoop(std::function<void()> step) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(step), Qt::QueuedConnection);
}

void CopyFromAnotherProgram(const std::u16string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
  platform::detail::NoteAnotherProgramsCopy();
}

void QueueModalAction(std::function<void()> action) { platform::detail::ModalActions().push_back(std::move(action)); }

std::size_t PendingModalActions() { return platform::detail::ModalActions().size(); }

platform::testing::Picture WindowPicture(win::HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr ? platform::testing::detail::PictureOf(w->grab().toImage()) : platform::testing::Picture{};
}

bool SaveWindowPicture(win::HWND h, const std::u16string& path) {
  return platform::testing::SavePicture(WindowPicture(h), path);
}

win::COLORREF WindowPicturePixel(win::HWND h, int x, int y) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || !w->rect().contains(x, y)) return win::CLR_INVALID;
  const QRgb p = w->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0);
  return win::RGB(qRed(p), qGreen(p), qBlue(p));
}

WaitClockReplacement::WaitClockReplacement(WaitClock clock) : before_(vb::detail::AnsweringWaitClock()) {
  vb::detail::AnsweringWaitClock() = std::move(clock);
}

WaitClockReplacement::~WaitClockReplacement() { vb::detail::AnsweringWaitClock() = std::move(before_); }

}  // namespace vb::testing
