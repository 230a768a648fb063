#include "platform/win/shown_focus.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

// The windows in the order they were last active, newest last.
std::vector<QPointer<QWindow>>& activeHistory() {
  static std::vector<QPointer<QWindow>> h;
  return h;
}

bool TakesFocus(const QWindow* w) {
  const Qt::WindowFlags type = w->flags() & Qt::WindowType_Mask;
  return w->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
}

void ActivateSuccessorOf(const QWindow* gone) {
  if (QWindow* next = SuccessorOf(gone)) next->requestActivate();
}

// The X window that has the keyboard focus (0 when the server cannot say).
WId FocusOnServer() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return 0;
  xcb_connection_t* c = x11->connection();
  xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
  const WId focus = reply != nullptr ? reply->focus : 0;
  std::free(reply);
  return focus;
}

// The window manager hands the keyboard to a window as soon as the modal window before it goes
// (hidden, or destroyed by another program), often before the toolkit has let the modal window
// go; the toolkit then refuses the hand-over, as the window is still blocked, and no other comes,
// as the keyboard is already there. Once nothing is modal, a window of ours that holds the keyboard
// while the toolkit holds none as active is made active: its shortcuts work again.
void TakeTheKeyboardWhereItIs() {
  if (QApplication::activeWindow() != nullptr || QApplication::activeModalWidget() != nullptr) return;
  const WId focus = FocusOnServer();
  if (focus == 0) return;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    const QWindow* window = w->windowHandle();
    if (window != nullptr && window->handle() != nullptr && window->winId() == focus && w->isVisible() && w->isEnabled()) {
      QApplication::setActiveWindow(w);
      return;
    }
  }
}

// Gives the window the keyboard straight from the server, before the window that has it goes: the
// window manager sees the keyboard move from one window to the other and has nothing to hand on.
// Asked of the window manager, the request would meet the closing window still there, modal over
// `to`, and be turned to it; and once the window had gone, the window manager would have handed the
// keyboard to a window of its own choosing, never one typed a toolbar.
void GiveKeyboardFromServer(QWindow& to) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || to.handle() == nullptr) return to.requestActivate();
  xcb_set_input_focus(x11->connection(), XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(to.winId()),
                      XCB_CURRENT_TIME);
}

// A window hidden while it has the keyboard, where it or the window active before it is typed
// without minimise and maximise buttons: window managers hand the keyboard on to windows of the
// ordinary kinds only, and neither from nor to such a window, so it goes to the window before from
// here. Left to the window manager, a message box closing over Find would send the keyboard to the
// main window first and only then, asked, to Find: a key or click between them meets a window the
// toolkit has already let go.
void HandOnFromOrToTyped(const QWindow* gone) {
  QWindow* next = SuccessorOf(gone);
  if (next == nullptr || next->visibility() == QWindow::Minimized) return;
  if (ShownWithoutMinMaxButtons(gone) || ShownWithoutMinMaxButtons(next)) GiveKeyboardFromServer(*next);
}

// Looks for the keyboard once what goes on now is done with.
void TakeTheKeyboardWhereItIsSoon() { QTimer::singleShot(0, qApp, &TakeTheKeyboardWhereItIs); }

// When the window that has the keyboard hides, the one active before it gets it back; when a
// window is let go by a modal window or enabled again, or another hides, the one the keyboard is in
// becomes active if none is.
class HideWatcher : public QObject {
 public:
  bool eventFilter(QObject* receiver, QEvent* e) override {
    if (!receiver->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(receiver);
    if (!widget->isWindow()) return false;
    switch (e->type()) {
      case QEvent::WindowDeactivate:  // hidden while active: it gives up the keyboard before it goes
        if (widget->isHidden()) HandOnFromOrToTyped(widget->windowHandle());
        break;
      case QEvent::Hide:
        if (widget->windowHandle() != nullptr && QGuiApplication::focusWindow() == widget->windowHandle()) {
          ActivateSuccessorOf(widget->windowHandle());
        }
        TakeTheKeyboardWhereItIsSoon();
        break;
      case QEvent::WindowUnblocked:
      case QEvent::EnabledChange:
        TakeTheKeyboardWhereItIsSoon();
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

QWindow* SuccessorOf(const QWindow* gone) {
  const auto& h = activeHistory();
  for (auto it = h.rbegin(); it != h.rend(); ++it) {
    QWindow* w = it->data();
    if (w != nullptr && w != gone && TakesFocus(w)) return w;
  }
  return nullptr;
}

void NoteFocusWindow(QWindow* w) {
  if (w != nullptr && !w->isVisible()) {
    // Handed the focus after it had gone: the keyboard goes where the user can see it.
    ActivateSuccessorOf(w);
    TakeTheKeyboardWhereItIsSoon();
    return;
  }
  auto& h = activeHistory();
  h.erase(std::remove_if(h.begin(), h.end(), [w](const QPointer<QWindow>& p) { return p.isNull() || p == w; }),
          h.end());
  if (w != nullptr) h.push_back(w);
}

void KeepFocusOnShownWindows() {
  static bool installed = false;
  if (installed || qApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  installed = true;
  static HideWatcher watcher;
  qApp->installEventFilter(&watcher);
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* w) { NoteFocusWindow(w); });
}

}  // namespace platform::detail
