// Placement and state of windows: rectangles, showing and enabling, coordinates.
#include "platform/win/placement.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <algorithm>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace win {

using platform::detail::FindRecord;
using platform::detail::WindowRecord;

BOOL GetWindowRect(HWND h, RECT* rc) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || rc == nullptr) return FALSE;
  QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
  *rc = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  return TRUE;
}

BOOL GetClientRect(HWND h, RECT* rc) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || rc == nullptr) return FALSE;
  *rc = RECT{0, 0, w->width(), w->height()};
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  w->setGeometry(x, y, std::max(0, width), std::max(0, height));
  return TRUE;
}

BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowRecord* r = FindRecord(h);
  QWidget* w = r != nullptr ? r->widget.data() : nullptr;
  if (w == nullptr) return FALSE;
  if ((flags & SWP_NOZORDER) == 0 && w->isWindow() && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
    LONG ex = r->exStyle;
    ex = insertAfter == HWND_TOPMOST ? (ex | WS_EX_TOPMOST) : (ex & ~WS_EX_TOPMOST);
    SetWindowLongA(h, GWL_EXSTYLE, ex);
  }
  if ((flags & SWP_NOMOVE) == 0) w->move(x, y);
  if ((flags & SWP_NOSIZE) == 0) w->resize(std::max(0, cx), std::max(0, cy));
  if ((flags & SWP_NOZORDER) == 0 && insertAfter == HWND_TOP) w->raise();
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(h, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) != 0) w->hide();
  return TRUE;
}

BOOL ShowWindow(HWND h, int cmd) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  const BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
  switch (cmd) {
    case SW_HIDE:
      w->hide();
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      w->showMinimized();
      break;
    case SW_SHOWMAXIMIZED:
      w->showMaximized();
      break;
    case SW_RESTORE:
      w->showNormal();
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: {
      const bool had = w->testAttribute(Qt::WA_ShowWithoutActivating);
      w->setAttribute(Qt::WA_ShowWithoutActivating, true);
      w->show();
      w->setAttribute(Qt::WA_ShowWithoutActivating, had);
      break;
    }
    default:
      w->show();
      if (w->isWindow() && !w->testAttribute(Qt::WA_ShowWithoutActivating)) w->activateWindow();
      break;
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr && w->isVisible() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND h, BOOL enable) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  const BOOL wasDisabled = w->isEnabled() ? FALSE : TRUE;
  w->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr && w->isEnabled() ? TRUE : FALSE;
}

BOOL ClientToScreen(HWND h, POINT* p) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || p == nullptr) return FALSE;
  QPoint g = w->mapToGlobal(QPoint(p->x, p->y));
  *p = POINT{g.x(), g.y()};
  return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || p == nullptr) return FALSE;
  QPoint c = w->mapFromGlobal(QPoint(p->x, p->y));
  *p = POINT{c.x(), c.y()};
  return TRUE;
}

BOOL GetCursorPos(POINT* p) {
  if (p == nullptr) return FALSE;
  QPoint g = QCursor::pos();
  *p = POINT{g.x(), g.y()};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  QCursor::setPos(QPoint(x, y));
  return TRUE;
}

HWND WindowFromPoint(POINT p) {
  QWidget* w = QApplication::widgetAt(QPoint(p.x, p.y));
  while (w != nullptr) {
    if (HWND h = platform::detail::HandleOfWidget(w)) return h;
    w = w->parentWidget();
  }
  return 0;
}

}  // namespace win
