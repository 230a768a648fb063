// Keyboard state and virtual-key codes of Qt's key events.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <array>
#include <utility>

#include "platform/win/dispatch.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace platform::detail {
namespace {

using namespace win;

std::array<unsigned char, 256>& keyState() {
  static std::array<unsigned char, 256> s{};
  return s;
}

// Shift, Ctrl or Alt held down as the second key of a layout-switch chord (the Shift of Ctrl+Shift
// under grp:ctrl_shift_toggle): XKB gives such a key the group switch instead of its modifier, so
// the server's state leaves it out, yet the user holds it, and Ctrl+Shift+S is still Ctrl+Shift+S.
std::array<bool, 256>& heldAsSwitch() {
  static std::array<bool, 256> h{};
  return h;
}

// The XKB group (0 to 3) the newest key event was typed in.
int& keyboardGroup() {
  static int g = 0;
  return g;
}

// A key event the X server made carries its physical key code (8 and above), its key symbol and
// the keyboard state before the key, the XKB group in bits 13 and 14.
bool FromX(const QKeyEvent* e) { return e->nativeScanCode() >= 8; }
int GroupOf(const QKeyEvent* e) { return static_cast<int>((e->nativeModifiers() >> 13) & 3); }

// A layout option such as grp:alt_shift_toggle turns the second key of its chord into one of XKB's
// group switches (ISO_Next_Group to ISO_Last_Group_Lock, or Mode_switch), a symbol no widget knows.
bool SwitchesGroup(quint32 keysym) { return (keysym >= 0xFE08 && keysym <= 0xFE0F) || keysym == 0xFF7E; }

// Such a key is still the key the user pressed: it keeps the virtual key of its physical key, so
// that Alt, then Shift, is Alt with another key between, as on a keyboard without the option.
int VirtualKeyOfGroupSwitch(quint32 code) {
  switch (code) {
    case 37:
    case 105: return VK_CONTROL;
    case 50:
    case 62: return VK_SHIFT;
    case 64: return VK_MENU;
    case 108: return VK_RMENU;  // right Alt switching the layout is no menu key either
    case 133: return VK_LWIN;
    case 134: return VK_RWIN;
    case 65: return VK_SPACE;
    case 66: return VK_CAPITAL;
    case 78: return VK_SCROLL;
    case 135: return VK_APPS;
    default: return 0;
  }
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
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_AltGr: return VK_RMENU;  // types third-level characters; it is not the menu key
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

}  // namespace

int VirtualKey(const QKeyEvent* e) {
  const bool keypad = e->modifiers().testFlag(Qt::KeypadModifier);
  if (keypad && e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return VK_NUMPAD0 + (e->key() - Qt::Key_0);
  if (FromX(e)) {
    if (SwitchesGroup(e->nativeVirtualKey())) return VirtualKeyOfGroupSwitch(e->nativeScanCode());
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
  if (FromX(e)) scan = (e->nativeScanCode() - 8) & 0xFF;
  DWORD l = 1 | (scan << 16);
  if (e->modifiers().testFlag(Qt::AltModifier)) l |= 1u << 29;
  if (up || e->isAutoRepeat()) l |= 1u << 30;
  if (up) l |= 1u << 31;
  return static_cast<LPARAM>(static_cast<LONG>(l));
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

void ReleaseHeldKeys() {
  for (auto& k : keyState()) k &= 0x7F;
  heldAsSwitch().fill(false);
}

namespace {

bool OnX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// Shift, Ctrl and Alt as `mods` has them, but for `except` (the key of the event itself, already
// noted) and those held as a layout switch.
void NoteModifiers(Qt::KeyboardModifiers mods, int except) {
  const std::pair<int, Qt::KeyboardModifier> held[] = {
      {VK_SHIFT, Qt::ShiftModifier}, {VK_CONTROL, Qt::ControlModifier}, {VK_MENU, Qt::AltModifier}};
  for (const auto& [vk, mod] : held) {
    if (vk == except || heldAsSwitch()[static_cast<std::size_t>(vk)]) continue;
    auto& s = keyState()[static_cast<std::size_t>(vk)];
    s = mods.testFlag(mod) ? (s | 0x80) : (s & 0x7F);
  }
}

}  // namespace

void NoteModifiersOf(const QKeyEvent* e, int vk) {
  if (!FromX(e)) return;
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
    heldAsSwitch()[static_cast<std::size_t>(vk)] =
        e->type() == QEvent::KeyPress && SwitchesGroup(e->nativeVirtualKey());
  }
  NoteModifiers(e->modifiers(), vk);
}

void NoteModifiersOf(const QMouseEvent* e) {
  if (OnX()) NoteModifiers(e->modifiers(), 0);
}

void NoteModifiersHeldNow() {
  if (OnX()) NoteModifiers(QGuiApplication::queryKeyboardModifiers(), 0);
}

void NoteKeyboardLayout(const QKeyEvent* e) {
  if (FromX(e)) keyboardGroup() = GroupOf(e);
}

void ResetKeyboardLayout() { keyboardGroup() = 0; }

}  // namespace platform::detail

namespace win {

short GetKeyState(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  unsigned char s = platform::detail::keyState()[vk];
  // The state as of the newest input event: a key that the X server reports with Ctrl held is a
  // Ctrl key, however long ago Ctrl went up again, and whoever saw Ctrl's press. Mouse buttons are
  // read from Qt as well.
  bool down = (s & 0x80) != 0;
  const auto buttons = QGuiApplication::mouseButtons();
  switch (vk) {
    case VK_LBUTTON: down = down || buttons.testFlag(Qt::LeftButton); break;
    case VK_RBUTTON: down = down || buttons.testFlag(Qt::RightButton); break;
    default: break;
  }
  return static_cast<short>((down ? 0x8000 : 0) | (s & 1));
}

// The keys held now: on X the server tells the modifier keys, presses made while another
// application had the keyboard included; elsewhere the keys seen so far tell.
short GetAsyncKeyState(int vk) {
  const bool down = (GetKeyState(vk) & 0x8000) != 0;
  if (!platform::detail::OnX()) return static_cast<short>(down ? 0x8000 : 0);
  const auto mods = QGuiApplication::queryKeyboardModifiers();
  switch (vk) {
    case VK_SHIFT: return static_cast<short>(mods.testFlag(Qt::ShiftModifier) ? 0x8000 : 0);
    case VK_CONTROL: return static_cast<short>(mods.testFlag(Qt::ControlModifier) ? 0x8000 : 0);
    case VK_MENU: return static_cast<short>(mods.testFlag(Qt::AltModifier) ? 0x8000 : 0);
    default: return static_cast<short>(down ? 0x8000 : 0);
  }
}

HKL GetKeyboardLayout(DWORD) { return 1 + platform::detail::keyboardGroup(); }

}  // namespace win
