// The bridge from Qt's events to window messages, the thread hooks, mouse capture, key state and
// posted messages.
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <array>
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

// --- key state -------------------------------------------------------------------------------------

std::array<unsigned char, 256>& keyState() {
  static std::array<unsigned char, 256> s{};
  return s;
}

// Physical keys of the main block, by X11 key code, as the platform names them on a US keyboard:
// shortcuts and mnemonics follow the key, whatever layout is active.
int VirtualKeyFromX11Code(quint32 code) {
  static const unsigned char table[62] = {
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0-9
      '1',  '2',  '3',  '4',  '5',  '6',  '7',  '8',  '9',  '0',   // 10-19
      0xBD, 0xBB, 0,    0,    'Q',  'W',  'E',  'R',  'T',  'Y',   // 20-29
      'U',  'I',  'O',  'P',  0xDB, 0xDD, 0,    0,    'A',  'S',   // 30-39
      'D',  'F',  'G',  'H',  'J',  'K',  'L',  0xBA, 0xDE, 0xC0,  // 40-49
      0,    0xDC, 'Z',  'X',  'C',  'V',  'B',  'N',  'M',  0xBC,  // 50-59
      0xBE, 0xBF};                                                  // 60-61
  return code < 62 ? table[code] : 0;
}

int VirtualKeyFromQtKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
  }
}

int VirtualKey(const QKeyEvent* e) {
  const bool keypad = e->modifiers().testFlag(Qt::KeypadModifier);
  if (keypad && e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return VK_NUMPAD0 + (e->key() - Qt::Key_0);
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    if (int vk = VirtualKeyFromX11Code(e->nativeScanCode())) return vk;
  }
  if (int vk = VirtualKeyFromQtKey(e->key())) return vk;
  // A letter of another layout without a physical key code: take its Latin letter when it has one.
  const QString t = e->text().toUpper();
  if (t.size() == 1 && t[0] >= QLatin1Char('A') && t[0] <= QLatin1Char('Z')) return t[0].unicode();
  return 0;
}

LPARAM KeyLParam(const QKeyEvent* e, bool up) {
  DWORD scan = 0;
  if (QGuiApplication::platformName() == QLatin1String("xcb") && e->nativeScanCode() >= 8)
    scan = (e->nativeScanCode() - 8) & 0xFF;
  DWORD l = 1 | (scan << 16);
  if (e->modifiers().testFlag(Qt::AltModifier)) l |= 1u << 29;
  if (up || e->isAutoRepeat()) l |= 1u << 30;
  if (up) l |= 1u << 31;
  return static_cast<LPARAM>(static_cast<LONG>(l));
}

// --- hooks -------------------------------------------------------------------------------------------

struct Hook {
  HHOOK id;
  int type;
  HOOKPROC proc;
};
std::vector<Hook>& hooks() {
  static std::vector<Hook> h;
  return h;
}
HHOOK nextHookId = 1;

// Runs the hooks of a type, newest first; true when one swallowed the input.
bool RunHooks(int type, WPARAM w, LPARAM l) {
  auto& hs = hooks();
  for (auto it = hs.rbegin(); it != hs.rend(); ++it) {
    if (it->type == type) return it->proc(HC_ACTION, w, l) != 0;
  }
  return false;
}

// --- capture -------------------------------------------------------------------------------------------

HWND captureWindow = 0;

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
  if (e->type() == QEvent::MouseButtonPress) NoteKey(msg == WM_LBUTTONDOWN ? VK_LBUTTON : msg == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON, true);
  if (e->type() == QEvent::MouseButtonRelease) NoteKey(msg == WM_LBUTTONUP ? VK_LBUTTON : msg == WM_RBUTTONUP ? VK_RBUTTON : VK_MBUTTON, false);
  const QPoint global = e->globalPosition().toPoint();
  HWND target = captureWindow != 0 ? captureWindow : InputTarget(receiver);
  MOUSEHOOKSTRUCT hs;
  hs.pt = POINT{global.x(), global.y()};
  hs.hwnd = target;
  hs.wHitTestCode = static_cast<UINT>(HTCLIENT);
  if (RunHooks(WH_MOUSE, msg, reinterpret_cast<LPARAM>(&hs))) return true;
  if (target == 0 || !IsWindow(target)) return false;
  const QPoint p = ClientPoint(target, global);
  const bool def = Dispatch(target, msg, MouseKeys(e->buttons(), e->modifiers()), MAKELPARAM(p.x(), p.y()));
  if (captureWindow != 0) return true;  // captured input never reaches the widget under the mouse
  return !def;
}

bool WheelEvent(QObject* receiver, QWheelEvent* e) {
  const QPoint global = e->globalPosition().toPoint();
  HWND target = captureWindow != 0 ? captureWindow : InputTarget(receiver);
  MOUSEHOOKSTRUCT hs;
  hs.pt = POINT{global.x(), global.y()};
  hs.hwnd = target;
  if (RunHooks(WH_MOUSE, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&hs))) return true;
  if (target == 0 || !IsWindow(target)) return false;
  const WPARAM w = MAKEWPARAM(static_cast<int>(MouseKeys(e->buttons(), e->modifiers())), e->angleDelta().y());
  return !Dispatch(target, WM_MOUSEWHEEL, w, MAKELPARAM(global.x(), global.y()));
}

bool KeyEvent(QObject* receiver, QKeyEvent* e) {
  const bool up = e->type() == QEvent::KeyRelease;
  const int vk = VirtualKey(e);
  if (vk != 0) NoteKey(vk, !up);
  const LPARAM l = KeyLParam(e, up);
  if (vk != 0 && RunHooks(WH_KEYBOARD, static_cast<WPARAM>(vk), l)) return true;
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

void NoteKey(int vk, bool down) {
  if (vk <= 0 || vk > 255) return;
  auto& s = keyState();
  if (down) {
    if ((s[vk] & 0x80) == 0) s[vk] ^= 1;  // toggles on each fresh press
    s[vk] |= 0x80;
  } else {
    s[vk] &= 0x7F;
  }
}

DWORD UiThreadId() {
  static const DWORD id = GetCurrentThreadId();
  return id;
}

bool BeforeDelivery(QObject* receiver, QEvent* e) {
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
    case QEvent::ApplicationStateChange:
      if (receiver == qApp)
        ToTopLevels(WM_ACTIVATEAPP, QGuiApplication::applicationState() == Qt::ApplicationActive ? TRUE : FALSE, 0);
      return false;
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
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
      if (!w->isWindow()) return false;
      const BOOL active = e->type() == QEvent::WindowActivate ? TRUE : FALSE;
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
      if (!Dispatch(h, WM_CLOSE, 0, 0)) {
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

namespace win {

using platform::detail::captureWindow;

short GetKeyState(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  unsigned char s = platform::detail::keyState()[vk];
  // The modifier keys and mouse buttons are read from Qt as well, which knows of presses that
  // happened while another application had the keyboard.
  bool down = (s & 0x80) != 0;
  const auto mods = QGuiApplication::queryKeyboardModifiers();
  const auto buttons = QGuiApplication::mouseButtons();
  switch (vk) {
    case VK_SHIFT: down = mods.testFlag(Qt::ShiftModifier); break;
    case VK_CONTROL: down = mods.testFlag(Qt::ControlModifier); break;
    case VK_MENU: down = mods.testFlag(Qt::AltModifier); break;
    case VK_LBUTTON: down = down || buttons.testFlag(Qt::LeftButton); break;
    case VK_RBUTTON: down = down || buttons.testFlag(Qt::RightButton); break;
    default: break;
  }
  return static_cast<short>((down ? 0x8000 : 0) | (s & 1));
}

short GetAsyncKeyState(int vk) { return static_cast<short>(GetKeyState(vk) & 0x8000); }

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (proc == nullptr || (idHook != WH_KEYBOARD && idHook != WH_MOUSE)) return 0;
  HHOOK id = platform::detail::nextHookId++;
  platform::detail::hooks().push_back(platform::detail::Hook{id, idHook, proc});
  return id;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& hs = platform::detail::hooks();
  for (auto it = hs.begin(); it != hs.end(); ++it) {
    if (it->id == hook) {
      hs.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto& hs = platform::detail::hooks();
  int type = 0;
  std::size_t pos = hs.size();
  for (std::size_t i = 0; i < hs.size(); ++i) {
    if (hs[i].id == hook) {
      type = hs[i].type;
      pos = i;
    }
  }
  while (pos-- > 0 && pos < hs.size()) {
    if (hs[pos].type == type) return hs[pos].proc(code, wParam, lParam);
  }
  return 0;
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
