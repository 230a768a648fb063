// The bridge from Qt's events to window messages: input, placement, painting, focus, activation and
// closing reach the window's procedure as the messages that stand for them.
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QWheelEvent>
#include <QWidget>
#include <vector>

#include "platform/win/dispatch.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

using namespace win;

// --- dispatch frames: which message DefWindowProc is being asked to hand back to Qt ---------------

struct Frame {
  HWND h;
  UINT msg;
  bool defaultHandled;
};
std::vector<Frame>& frames() {
  static std::vector<Frame> f;
  return f;
}

// Sends a message that stands for a Qt event; true when the procedure passed it on to DefWindowProc.
bool Dispatch(HWND h, UINT msg, WPARAM w, LPARAM l) {
  frames().push_back(Frame{h, msg, false});
  SendMessageA(h, msg, w, l);
  bool handled = frames().back().defaultHandled;
  frames().pop_back();
  return handled;
}

// --- mouse translation ------------------------------------------------------------------------------

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  WPARAM w = 0;
  if (buttons & Qt::LeftButton) w |= MK_LBUTTON;
  if (buttons & Qt::RightButton) w |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) w |= MK_MBUTTON;
  if (mods & Qt::ShiftModifier) w |= MK_SHIFT;
  if (mods & Qt::ControlModifier) w |= MK_CONTROL;
  return w;
}

UINT MouseMessage(const QMouseEvent* e) {
  int base = 0;
  switch (e->button()) {
    case Qt::LeftButton: base = WM_LBUTTONDOWN; break;
    case Qt::RightButton: base = WM_RBUTTONDOWN; break;
    case Qt::MiddleButton: base = WM_MBUTTONDOWN; break;
    default: base = 0; break;
  }
  switch (e->type()) {
    case QEvent::MouseMove: return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress: return base;
    case QEvent::MouseButtonRelease: return base != 0 ? base + 1 : 0;
    case QEvent::MouseButtonDblClick: return base != 0 ? base + 2 : 0;
    default: return 0;
  }
}

// The window an input event of this widget belongs to: the widget's own, or that of the nearest
// window that takes its children's input.
HWND InputTarget(QObject* receiver) {
  if (HWND h = HandleOfWidget(receiver)) return h;
  auto* w = qobject_cast<QWidget*>(receiver);
  for (w = w != nullptr ? w->parentWidget() : nullptr; w != nullptr; w = w->parentWidget()) {
    HWND h = HandleOfWidget(w);
    if (h != 0) {
      WindowRecord* r = FindRecord(h);
      return r != nullptr && r->takesChildInput ? h : 0;
    }
  }
  return 0;
}

QPoint ClientPoint(HWND h, QPoint global) {
  QWidget* w = WidgetOf(h);
  return w != nullptr ? w->mapFromGlobal(global) : global;
}

bool MouseEvent(QObject* receiver, QMouseEvent* e) {
  const UINT msg = MouseMessage(e);
  if (msg == 0) return false;
  NoteModifiersOf(e);
  if (e->type() == QEvent::MouseButtonPress) NoteKey(msg == WM_LBUTTONDOWN ? VK_LBUTTON : msg == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON, true);
  if (e->type() == QEvent::MouseButtonRelease) NoteKey(msg == WM_LBUTTONUP ? VK_LBUTTON : msg == WM_RBUTTONUP ? VK_RBUTTON : VK_MBUTTON, false);
  const QPoint global = e->globalPosition().toPoint();
  HWND target = CapturingWindow() != 0 ? CapturingWindow() : InputTarget(receiver);
  MOUSEHOOKSTRUCT hs;
  hs.pt = POINT{global.x(), global.y()};
  hs.hwnd = target;
  hs.wHitTestCode = static_cast<UINT>(HTCLIENT);
  if (RunHooks(WH_MOUSE, msg, reinterpret_cast<LPARAM>(&hs))) return true;
  if (CapturingWindow() == 0 && InputDisabled(static_cast<QWidget*>(receiver))) return true;
  if (target == 0 || !IsWindow(target)) return false;
  const QPoint p = ClientPoint(target, global);
  const bool def = Dispatch(target, msg, MouseKeys(e->buttons(), e->modifiers()), MAKELPARAM(p.x(), p.y()));
  if (CapturingWindow() != 0) return true;  // captured input never reaches the widget under the mouse
  return !def;
}

bool WheelEvent(QObject* receiver, QWheelEvent* e) {
  const QPoint global = e->globalPosition().toPoint();
  HWND target = CapturingWindow() != 0 ? CapturingWindow() : InputTarget(receiver);
  MOUSEHOOKSTRUCT hs;
  hs.pt = POINT{global.x(), global.y()};
  hs.hwnd = target;
  if (RunHooks(WH_MOUSE, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&hs))) return true;
  if (CapturingWindow() == 0 && InputDisabled(static_cast<QWidget*>(receiver))) return true;
  if (target == 0 || !IsWindow(target)) return false;
  const WPARAM w = MAKEWPARAM(static_cast<int>(MouseKeys(e->buttons(), e->modifiers())), e->angleDelta().y());
  return !Dispatch(target, WM_MOUSEWHEEL, w, MAKELPARAM(global.x(), global.y()));
}

bool KeyEvent(QObject* receiver, QKeyEvent* e) {
  const bool up = e->type() == QEvent::KeyRelease;
  const int vk = VirtualKey(e);
  if (vk != 0) NoteKey(vk, !up);
  NoteModifiersOf(e, vk);
  NoteKeyboardLayout(e);
  const LPARAM l = KeyLParam(e, up);
  if (vk != 0 && RunHooks(WH_KEYBOARD, static_cast<WPARAM>(vk), l)) return true;
  if (InputDisabled(static_cast<QWidget*>(receiver))) return true;
  HWND target = InputTarget(receiver);
  if (target == 0) return false;
  const bool alt = e->modifiers().testFlag(Qt::AltModifier);
  const bool sys = alt || vk == VK_F10 || (vk == VK_MENU);
  if (up) return !Dispatch(target, sys ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), l);
  const bool keyDef = Dispatch(target, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), l);
  const QString text = e->text();
  if (text.isEmpty() || !IsWindow(target)) return !keyDef;
  bool charDef = true;
  for (QChar c : text) {
    if (!IsWindow(target)) break;
    charDef = Dispatch(target, alt ? WM_SYSCHAR : WM_CHAR, c.unicode(), l) && charDef;
  }
  return !charDef;
}

void ToTopLevels(UINT msg, WPARAM w, LPARAM l) {
  std::vector<HWND> tops;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (HWND h = HandleOfWidget(widget)) tops.push_back(h);
  for (HWND h : tops)
    if (IsWindow(h)) SendMessageA(h, msg, w, l);
}

}  // namespace

bool MarkDefaultHandling(HWND h, UINT msg) {
  auto& f = frames();
  if (f.empty() || f.back().h != h || f.back().msg != msg || f.back().defaultHandled) return false;
  f.back().defaultHandled = true;
  return true;
}

DWORD UiThreadId() {
  static const DWORD id = GetCurrentThreadId();
  return id;
}

bool BeforeDelivery(QObject* receiver, QEvent* e) {
  // Windows, their table and the hooks belong to the user-interface thread. Events of objects on
  // other threads (the sound player's, the toolkit's own workers') stand for no window and must
  // not look at that state while the user-interface thread changes it.
  if (QThread::currentThread() != qApp->thread()) return false;
  switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      if (!receiver->isWidgetType()) return false;
      return MouseEvent(receiver, static_cast<QMouseEvent*>(e));
    case QEvent::Wheel:
      if (!receiver->isWidgetType()) return false;
      return WheelEvent(receiver, static_cast<QWheelEvent*>(e));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (!receiver->isWidgetType()) return false;
      return KeyEvent(receiver, static_cast<QKeyEvent*>(e));
    case QEvent::ApplicationStateChange: {
      if (receiver != qApp) return false;
      const bool active = static_cast<QApplicationStateChangeEvent*>(e)->applicationState() == Qt::ApplicationActive;
      // Keys held while another application takes the keyboard are released there, unseen here.
      if (!active) ReleaseHeldKeys();
      if (active) NoteModifiersHeldNow();
      ToTopLevels(WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
      return false;
    }
    case QEvent::Show:
      if (receiver->isWidgetType() && static_cast<QWidget*>(receiver)->isWindow())
        NoteRaised(static_cast<QWidget*>(receiver));
      break;
    default:
      break;
  }
  const HWND h = HandleOfWidget(receiver);
  if (h == 0) return false;
  auto* w = static_cast<QWidget*>(receiver);
  switch (e->type()) {
    case QEvent::Paint: {
      // Drawing while the window handles its paint message is shown by this paint; it must not ask
      // for another one.
      FindRecord(h)->painting = true;
      Dispatch(h, WM_PAINT, 0, 0);
      if (WindowRecord* r = FindRecord(h)) r->painting = false;
      return false;
    }
    case QEvent::Resize: {
      const WPARAM kind = w->isMinimized() ? SIZE_MINIMIZED : w->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
      const QSize s = static_cast<QResizeEvent*>(e)->size();
      Dispatch(h, WM_SIZE, kind, MAKELPARAM(s.width(), s.height()));
      return false;
    }
    case QEvent::Move: {
      const QPoint p = static_cast<QMoveEvent*>(e)->pos();
      Dispatch(h, WM_MOVE, 0, MAKELPARAM(p.x(), p.y()));
      return false;
    }
    case QEvent::Show:
      Dispatch(h, WM_SHOWWINDOW, TRUE, 0);
      return false;
    case QEvent::Hide:
      Dispatch(h, WM_SHOWWINDOW, FALSE, 0);
      return false;
    case QEvent::FocusIn:
      Dispatch(h, WM_SETFOCUS, 0, 0);
      return false;
    case QEvent::FocusOut:
      Dispatch(h, WM_KILLFOCUS, 0, 0);
      return false;
    case QEvent::Leave:
      Dispatch(h, WM_MOUSELEAVE, 0, 0);
      return false;
    case QEvent::EnabledChange:
      Dispatch(h, WM_ENABLE, w->isEnabled() ? TRUE : FALSE, 0);
      return false;
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
      if (w->isWindow()) FindRecord(h)->blockedByModal = e->type() == QEvent::WindowBlocked;
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
      if (!w->isWindow()) return false;
      const BOOL active = e->type() == QEvent::WindowActivate ? TRUE : FALSE;
      if (active) NoteRaised(w);
      Dispatch(h, WM_NCACTIVATE, active, 0);
      if (IsWindow(h)) Dispatch(h, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
      return false;
    }
    case QEvent::ThemeChange:
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
      if (w->isWindow()) Dispatch(h, WM_SETTINGCHANGE, 0, 0);
      return false;
    case QEvent::Close: {
      // The frame's close button and the window manager's close: refused when the window menu
      // has no Close.
      if (!UserMayClose(h) || !Dispatch(h, WM_CLOSE, 0, 0)) {
        e->ignore();
        return true;
      }
      WindowRecord* r = FindRecord(h);
      if (r != nullptr && r->ownsWidget) {
        DestroyWindow(h);
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

}  // namespace platform::detail
