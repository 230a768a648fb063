#include "platform/win/keyboard_hand_back.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform::detail {
namespace {

constexpr char kWatchName[] = "qm_keyboard_hand_back";

// Gives `to` the keyboard. On X11 straight from the server, before the window that has it goes:
// the window manager sees the keyboard move from one window to the other and has nothing to hand
// on. Asked of the window manager, the request would meet the closing window still there, modal
// over `to`, and be turned to it; and once the window had gone, the window manager would have
// handed the keyboard to a window of its own choosing.
void GiveKeyboard(QWidget& to) {
  auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                  ? qApp->nativeInterface<QNativeInterface::QX11Application>()
                  : nullptr;
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  QWindow* window = to.windowHandle();
  if (connection == nullptr || window == nullptr || window->handle() == nullptr) {
    to.activateWindow();
    return;
  }
  xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(window->winId()),
                      XCB_CURRENT_TIME);
}

// Remembers, as the window is shown, the window active then, and hands it the keyboard when the
// window is hidden while it holds the keyboard.
class HandBack : public QObject {
 public:
  explicit HandBack(QWidget& window) : QObject(&window) { setObjectName(QLatin1String(kWatchName)); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* window = static_cast<QWidget*>(o);
    // Hidden while active, the window gives up the keyboard before its window goes.
    if (e->type() == QEvent::WindowDeactivate && window->isHidden()) GiveBack();
    if (e->type() == QEvent::Show && !e->spontaneous()) Remember(window);
    return false;
  }

 private:
  void Remember(QWidget* window) {
    QWidget* active = QApplication::activeWindow();
    before_ = active != window ? active : nullptr;
  }
  void GiveBack() {
    QWidget* before = before_.data();
    before_ = nullptr;
    if (before != nullptr && before->isVisible() && !before->isMinimized()) GiveKeyboard(*before);
  }

  QPointer<QWidget> before_;
};

}  // namespace

void HandKeyboardBackOnHide(QWidget* window) {
  if (window == nullptr || window->findChild<HandBack*>(QLatin1String(kWatchName), Qt::FindDirectChildrenOnly) != nullptr)
    return;
  window->installEventFilter(new HandBack(*window));
}

}  // namespace platform::detail
