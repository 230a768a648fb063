// Placement and state of windows: rectangles, showing and enabling, coordinates.
#include "platform/win/placement.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {
bool testCursorSet = false;
QPoint testCursor;
}  // namespace

void SetTestCursor(int x, int y) {
  testCursorSet = true;
  testCursor = QPoint(x, y);
}
}  // namespace platform::detail

namespace win {

using platform::detail::FindRecord;
using platform::detail::testCursor;
using platform::detail::testCursorSet;
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

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr || placement == nullptr || !w->isWindow()) return FALSE;
  placement->showCmd = w->isMinimized() ? SW_SHOWMINIMIZED : w->isMaximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  // The frame's widths are taken from the window as it is framed now.
  const QRect outer = w->frameGeometry(), inner = w->geometry();
  const QRect normal = w->normalGeometry().isValid() ? w->normalGeometry() : inner;
  placement->rcNormalPosition = RECT{normal.left() - (inner.left() - outer.left()), normal.top() - (inner.top() - outer.top()),
                                     normal.right() + 1 + (outer.right() - inner.right()),
                                     normal.bottom() + 1 + (outer.bottom() - inner.bottom())};
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
  if ((flags & SWP_NOZORDER) == 0 && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST)) {
    w->raise();
    if (w->isWindow()) platform::detail::NoteRaised(w);
  }
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
  WindowRecord* r = FindRecord(h);
  QWidget* w = r != nullptr ? r->widget.data() : nullptr;
  if (w == nullptr) return FALSE;
  const BOOL wasDisabled = !r->inputDisabled && w->isEnabled() ? FALSE : TRUE;
  r->inputDisabled = enable == FALSE;
  if (r->greysWhenDisabled) {
    w->setEnabled(enable != FALSE);
  } else if (wasDisabled != (enable == FALSE ? TRUE : FALSE)) {
    // A container stops input without greying what it holds; it hears of the change itself.
    SendMessageA(h, WM_ENABLE, enable != FALSE ? TRUE : FALSE, 0);
  }
  return wasDisabled;
}

// A window that a modal window keeps from input while it is up counts as disabled, as the owner of
// a modal dialog is: its shortcuts and menus are not for keys typed into the modal window.
BOOL IsWindowEnabled(HWND h) {
  WindowRecord* r = FindRecord(h);
  QWidget* w = r != nullptr ? r->widget.data() : nullptr;
  return w != nullptr && !r->inputDisabled && !r->blockedByModal && w->isEnabled() ? TRUE : FALSE;
}

BOOL IsIconic(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr && w->window()->isMinimized() ? TRUE : FALSE;
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
  const QPoint g = testCursorSet ? testCursor : QCursor::pos();
  *p = POINT{g.x(), g.y()};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  // Where test input has put the pointer, the pointer moves from there.
  if (testCursorSet) testCursor = QPoint(x, y);
  QCursor::setPos(QPoint(x, y));
  return TRUE;
}

HWND WindowFromPoint(POINT p) {
  const QPoint g(p.x, p.y);
  // The top-level window under the point: topmost ones first, then the one shown or raised last;
  // click-through windows are never under a point.
  QWidget* top = nullptr;
  bool topOnTop = false;
  qint64 topRaised = -1;
  for (QWidget* t : QApplication::topLevelWidgets()) {
    if (!t->isVisible() || t->isMinimized() || !t->frameGeometry().contains(g)) continue;
    if (t->windowFlags().testFlag(Qt::WindowTransparentForInput) || t->testAttribute(Qt::WA_TransparentForMouseEvents))
      continue;
    const bool onTop = t->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    const qint64 raised = t->property("qmRaised").toLongLong();
    if (top == nullptr || (onTop && !topOnTop) || (onTop == topOnTop && raised > topRaised)) {
      top = t;
      topOnTop = onTop;
      topRaised = raised;
    }
  }
  if (top == nullptr) return 0;
  QWidget* w = top->childAt(top->mapFromGlobal(g));
  if (w == nullptr) w = top;
  std::vector<HWND> chain;  // innermost first
  for (QWidget* x = w; x != nullptr; x = x->isWindow() ? nullptr : x->parentWidget())
    if (HWND h = platform::detail::HandleOfWidget(x)) chain.push_back(h);
  // From the top-level window inwards, as far as shown and enabled windows go.
  HWND found = 0;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    WindowRecord* r = FindRecord(*it);
    QWidget* x = r != nullptr ? r->widget.data() : nullptr;
    if (x == nullptr || !x->isVisible() || r->inputDisabled) break;
    found = *it;
  }
  return found;
}

}  // namespace win
