// The buttons the window manager puts on the frame of a window of fixed size: a fixed dialog, a
// tool window, a message box. Qt expresses a frame without minimise and maximise buttons in the
// Motif hints alone, which some window managers (openbox among them) leave aside for the buttons;
// window managers give a window typed a toolbar neither button, and keep its title, close box and
// border. The type goes ahead of the one Qt gives (a dialog or utility window, which such managers
// treat alike otherwise), through the property the xcb platform reads whenever it sets the
// window's flags. Such managers give the keyboard back to no toolbar when the window over it
// closes, nor from a toolbar that closes: the program hands the keyboard back itself
// (shown_focus.h).
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

constexpr char kWindowTypes[] = "_q_xcb_wm_window_type";
constexpr int kToolbar = 0x000008;  // the xcb platform's toolbar window type

}  // namespace

bool ShownWithoutMinMaxButtons(const QWindow* window) {
  return window != nullptr && window->property(kWindowTypes).toInt() == kToolbar;
}

void ShowWithoutMinMaxButtons(QWidget* window) {
  if (window == nullptr || !window->isWindow() || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return;
  // winId() makes the window native as a widget, and the toolkit would then make its siblings
  // native too: every control of the window it belongs to (a message box's owner).
  const bool sparedSiblings = QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  window->winId();
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, sparedSiblings);
  QWindow* handle = window->windowHandle();
  if (handle == nullptr || ShownWithoutMinMaxButtons(handle)) return;
  handle->setProperty(kWindowTypes, kToolbar);
  // The platform reads the types when the flags change: changed and set back, they take effect.
  const Qt::WindowFlags flags = handle->flags();
  handle->setFlags(flags ^ Qt::WindowContextHelpButtonHint);
  handle->setFlags(flags);
}

}  // namespace platform::detail
