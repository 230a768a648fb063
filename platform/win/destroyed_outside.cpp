#include "platform/win/destroyed_outside.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

namespace platform::detail {
namespace {

// The top-level widget whose X window is `id` now; nullptr when none is (the toolkit made that
// widget a new window, or destroyed the widget).
QWidget* WidgetOfNativeWindow(WId id) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    const QWindow* window = w->windowHandle();
    if (window != nullptr && window->handle() != nullptr && window->winId() == id) return w;
  }
  return nullptr;
}

// The X server still has a window `id`. The toolkit reuses the number of a window it destroyed
// itself for a new one, so a notice of destruction may arrive for a number that stands for a live
// window again.
bool OnServer(WId id) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return true;
  xcb_connection_t* c = x11->connection();
  xcb_generic_error_t* error = nullptr;
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(id)), &error);
  const bool there = reply != nullptr;
  std::free(reply);
  std::free(error);
  return there;
}

// The windows shown as `owner`'s own name its new X window in their WM_TRANSIENT_FOR. The toolkit
// writes that property only when it maps a window, so theirs still name the destroyed one, and the
// window manager would let the owner cover them.
void RenameOwner(const QWindow* owner) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return;
  const auto ownerId = static_cast<xcb_window_t>(owner->winId());
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->transientParent() != owner || window->handle() == nullptr || !window->isVisible()) continue;
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                        XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &ownerId);
  }
  xcb_flush(x11->connection());
}

// The window is gone from the screen but the toolkit still holds it: it is closed as by its close
// box (which a window without Close in its window menu refuses), and made anew when it stays.
void CloseDestroyedWindow(WId id) {
  QPointer<QWidget> w = WidgetOfNativeWindow(id);
  if (w == nullptr || OnServer(id)) return;
  w->close();
  if (w == nullptr || !w->isVisible() || w->windowHandle()->winId() != id) return;
  // Still shown: a new X window takes the place of the one destroyed.
  w->hide();
  w->windowHandle()->destroy();
  w->show();
  RenameOwner(w->windowHandle());
}

class DestroyWatch : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    if ((e->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
    const auto* d = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (d->event != d->window) return false;  // a window inside one of ours: its own notice counts
    const WId id = d->window;
    // Acted on once the event is handled, outside the toolkit's reading of the X server's events.
    QTimer::singleShot(0, qApp, [id] { CloseDestroyedWindow(id); });
    return false;
  }
};

}  // namespace

void WatchWindowsDestroyedFromOutside() {
  static bool installed = false;
  if (installed || qApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  installed = true;
  static DestroyWatch watch;
  qApp->installNativeEventFilter(&watch);
}

}  // namespace platform::detail
