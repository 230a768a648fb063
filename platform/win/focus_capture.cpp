// Keyboard focus, activation and mouse capture.
#include "platform/win/focus.h"

#include <QApplication>
#include <QWidget>

#include "platform/win/dispatch.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {
win::HWND captureWindow = 0;
}  // namespace

win::HWND CapturingWindow() { return captureWindow; }

}  // namespace platform::detail

namespace win {

using platform::detail::captureWindow;

// The keyboard goes to the window at once, also when it stands on another window of the program
// than the one that has the keyboard: that window is activated, as the platform does.
HWND SetFocus(HWND h) {
  HWND old = GetFocus();
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return old;
  w->setFocus(Qt::OtherFocusReason);
  QWidget* top = w->window();
  const Qt::WindowType type = top->windowType();
  const bool takesKeyboard = !top->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) && type != Qt::Popup &&
                             type != Qt::ToolTip;
  if (QApplication::activeWindow() != nullptr && takesKeyboard && top->isVisible() && !top->isActiveWindow())
    top->activateWindow();
  return old;
}

HWND GetFocus() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget())
    if (HWND h = platform::detail::HandleOfWidget(w)) return h;
  return 0;
}

HWND GetActiveWindow() {
  for (QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget())
    if (HWND h = platform::detail::HandleOfWidget(w)) return h;
  return 0;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

BOOL SetForegroundWindow(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  w->window()->raise();
  w->window()->activateWindow();
  return TRUE;
}

HWND SetCapture(HWND h) {
  HWND old = captureWindow;
  if (!IsWindow(h)) return old;
  if (old != 0 && old != h) {
    if (QWidget* w = platform::detail::WidgetOf(old)) w->releaseMouse();
    captureWindow = 0;
    SendMessageA(old, WM_CAPTURECHANGED, 0, h);
  }
  captureWindow = h;
  if (QWidget* w = platform::detail::WidgetOf(h); w != nullptr && w->isVisible()) w->grabMouse();
  return old;
}

BOOL ReleaseCapture() {
  HWND old = captureWindow;
  if (old == 0) return TRUE;
  captureWindow = 0;
  if (QWidget* w = platform::detail::WidgetOf(old)) w->releaseMouse();
  if (IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return IsWindow(captureWindow) ? captureWindow : 0; }

}  // namespace win
