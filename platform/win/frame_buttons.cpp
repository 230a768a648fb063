// The buttons the window manager puts on a tool window's frame. Qt expresses a frame without
// minimise and maximise buttons in the Motif hints alone, which some window managers (openbox among
// them) leave aside for the buttons; window managers give a window typed a toolbar neither button,
// and keep its title and border. The type goes ahead of the one Qt gives (a utility
// window, which such managers treat alike otherwise), through the property the xcb platform reads
// whenever it sets the window's flags. Dialogs keep their type: a window manager gives the keyboard
// back to a dialog when a message box over it closes, which it does not do for a toolbar.
#include <QWidget>
#include <QWindow>

#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

constexpr char kWindowTypes[] = "_q_xcb_wm_window_type";
constexpr int kToolbar = 0x000008;  // the xcb platform's toolbar window type

}  // namespace

void ShowWithoutMinMaxButtons(QWidget* window) {
  if (window == nullptr || !window->isWindow()) return;
  window->winId();
  QWindow* handle = window->windowHandle();
  if (handle == nullptr || handle->property(kWindowTypes).toInt() == kToolbar) return;
  handle->setProperty(kWindowTypes, kToolbar);
  // The platform reads the types when the flags change: changed and set back, they take effect.
  const Qt::WindowFlags flags = handle->flags();
  handle->setFlags(flags ^ Qt::WindowContextHelpButtonHint);
  handle->setFlags(flags);
}

}  // namespace platform::detail
