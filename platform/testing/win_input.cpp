#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QMessageBox>
#include <QTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <map>
#include <QWidget>

#include "platform/testing/win.h"
#include "platform/vb/box_title_bar.h"
#include "platform/win/dispatch.h"
#include "platform/win/keys.h"
#include "platform/win/window_record.h"

namespace platform::testing {
namespace {

QWidget* W(win::HWND h) { return detail::WidgetOf(h); }

std::map<int, QPointer<QWidget>>& watched() {
  static std::map<int, QPointer<QWidget>> w;
  return w;
}

Qt::MouseButton Button(int b) {
  switch (b) {
    case 2: return Qt::RightButton;
    case 0x10: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

Qt::KeyboardModifiers Mods(int m) {
  Qt::KeyboardModifiers k;
  if (m & 0x0004) k |= Qt::ShiftModifier;
  if (m & 0x0008) k |= Qt::ControlModifier;
  if (m & kAlt) k |= Qt::AltModifier;
  return k;
}

Qt::Key QtKey(int vk) {
  using namespace win;
  if (vk >= 'A' && vk <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (vk - 'A'));
  if (vk >= '0' && vk <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (vk - '0'));
  if (vk >= VK_F1 && vk <= VK_F24) return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
  switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_RMENU: return Qt::Key_AltGr;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
  }
}

QString Text(int vk, int mods, const std::u16string& given) {
  if (!given.empty()) return QString::fromStdU16String(given);
  if ((mods & (0x0008 | kAlt)) != 0) return {};
  if (vk >= 'A' && vk <= 'Z') return QString(QChar((mods & 0x0004) ? vk : vk + 32));
  if (vk >= '0' && vk <= '9') return QString(QChar(vk));
  if (vk == win::VK_SPACE) return QStringLiteral(" ");
  if (vk == win::VK_RETURN) return QStringLiteral("\r");
  return {};
}

// The control of the window that has the focus, or the window itself.
QWidget* FocusIn(QWidget* w) {
  return w->focusWidget() != nullptr && w->isAncestorOf(w->focusWidget()) ? w->focusWidget() : w;
}

void SendKey(QWidget* target, int vk, int mods, QEvent::Type type, const std::u16string& text) {
  QTest::sendKeyEvent(type == QEvent::KeyPress ? QTest::Press : QTest::Release, target, QtKey(vk), Text(vk, mods, text),
                      Mods(mods));
}

void Key(win::HWND h, int vk, int mods, QEvent::Type type, const std::u16string& text) {
  if (QWidget* w = W(h)) SendKey(FocusIn(w), vk, mods, type, text);
}

// The key with the modifier keys held down around it, as the user types it; `target` tells where
// each key goes as it is typed.
template <class Target>
void ClickKey(Target target, int vk, int modifiers, const std::u16string& text) {
  struct Held {
    int mask;
    int vk;
  };
  static const Held held[] = {{0x0008, win::VK_CONTROL}, {0x0004, win::VK_SHIFT}, {kAlt, win::VK_MENU}};
  auto send = [&target](int key, int mods, QEvent::Type type, const std::u16string& typed) {
    if (QWidget* w = target()) SendKey(w, key, mods, type, typed);
  };
  int down = 0;
  for (const Held& m : held) {
    if ((modifiers & m.mask) == 0 || vk == m.vk) continue;
    down |= m.mask;
    send(m.vk, down, QEvent::KeyPress, {});
  }
  send(vk, modifiers, QEvent::KeyPress, text);
  send(vk, modifiers, QEvent::KeyRelease, text);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) {
    if ((down & it->mask) == 0) continue;
    send(it->vk, down, QEvent::KeyRelease, {});
    down &= ~it->mask;
  }
}

// Keys as the X server names and numbers them on a US keyboard: key code, key symbol, Qt's key.
struct XKeyName {
  const char* name;
  quint32 code;
  quint32 keysym;
  int qtKey;
};
constexpr XKeyName kXKeys[] = {
    {"Alt_L", 64, 0xFFE9, Qt::Key_Alt},          {"Shift_L", 50, 0xFFE1, Qt::Key_Shift},
    {"Shift_R", 62, 0xFFE2, Qt::Key_Shift},      {"Control_L", 37, 0xFFE3, Qt::Key_Control},
    {"Super_L", 133, 0xFFEB, Qt::Key_Meta},      {"space", 65, 0x20, Qt::Key_Space},
    {"Escape", 9, 0xFF1B, Qt::Key_Escape},       {"Return", 36, 0xFF0D, Qt::Key_Return},
    {"Left", 113, 0xFF51, Qt::Key_Left},         {"Up", 111, 0xFF52, Qt::Key_Up},
    {"Right", 114, 0xFF53, Qt::Key_Right},       {"Down", 116, 0xFF54, Qt::Key_Down},
};
// The letter keys in US order and X key codes, with the Russian letter each types in group 1.
constexpr char kLetters[] = "qwertyuiopasdfghjklzxcvbnm";
constexpr quint32 kLetterCodes[] = {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 38, 39, 40,
                                    41, 42, 43, 44, 45, 46, 52, 53, 54, 55, 56, 57, 58};
constexpr char16_t kRussian[] = u"йцукенгшщзфывапролдячсмитьб";

void SendXKey(win::HWND h, QEvent::Type type, const std::string& key, int mods, int group, bool groupSwitch) {
  QWidget* w = W(h);
  if (w == nullptr) return;
  quint32 code = 0, keysym = 0;
  int qtKey = 0;
  QString text;
  for (const XKeyName& k : kXKeys) {
    if (key == k.name) {
      code = k.code;
      keysym = k.keysym;
      qtKey = k.qtKey;
    }
  }
  if (key.size() == 1) {
    for (std::size_t i = 0; kLetters[i] != 0; ++i) {
      if (kLetters[i] != key[0]) continue;
      code = kLetterCodes[i];
      const QChar letter = group == 0 ? QChar(kLetters[i]) : QChar(kRussian[i]);
      keysym = group == 0 ? static_cast<quint32>(key[0]) : 0x1000000 + letter.unicode();
      qtKey = letter.toUpper().unicode();
      if ((mods & (0x0008 | kAlt | kWin)) == 0) text = (mods & 0x0004) ? letter.toUpper() : letter;
    }
  }
  if (code == 0) return;
  if (groupSwitch) {
    keysym = 0xFE08;  // ISO_Next_Group
    qtKey = 0;
    text.clear();
  }
  quint32 state = static_cast<quint32>(group) << 13;
  if (mods & 0x0004) state |= 0x01;
  if (mods & 0x0008) state |= 0x04;
  if (mods & kAlt) state |= 0x08;
  if (mods & kWin) state |= 0x40;
  Qt::KeyboardModifiers qm = Mods(mods);
  if (mods & kWin) qm |= Qt::MetaModifier;
  QWidget* target = w->focusWidget() != nullptr && w->isAncestorOf(w->focusWidget()) ? w->focusWidget() : w;
  QKeyEvent e(type, qtKey, qm, code, keysym, state, text);
  QApplication::sendEvent(target, &e);
}

// Mouse input goes straight to the window's widget, through the application's delivery (and so
// through the window layer), as the window system's would.
void Mouse(win::HWND h, QEvent::Type type, int x, int y, int button, int modifiers) {
  QWidget* w = W(h);
  if (w == nullptr) return;
  const QPoint at(x, y);
  const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Button(button);
  Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(b) : Qt::MouseButtons();
  if (type == QEvent::MouseMove && button != 0) held = Button(button);
  const QPoint global = w->mapToGlobal(at);
  detail::SetTestCursor(global.x(), global.y());
  QMouseEvent e(type, at, global, b, held, Mods(modifiers));
  QApplication::sendEvent(w, &e);
}

}  // namespace

void MouseDown(win::HWND h, int x, int y, int button, int modifiers) {
  Mouse(h, QEvent::MouseButtonPress, x, y, button, modifiers);
}
void MouseUp(win::HWND h, int x, int y, int button, int modifiers) {
  Mouse(h, QEvent::MouseButtonRelease, x, y, button, modifiers);
}
void Click(win::HWND h, int x, int y, int button, int modifiers) {
  MouseDown(h, x, y, button, modifiers);
  MouseUp(h, x, y, button, modifiers);
}
void MouseMove(win::HWND h, int x, int y, int button) { Mouse(h, QEvent::MouseMove, x, y, button, 0); }
void KeyDown(win::HWND h, int vk, int modifiers, const std::u16string& text) {
  Key(h, vk, modifiers, QEvent::KeyPress, text);
}
void KeyUp(win::HWND h, int vk, int modifiers, const std::u16string& text) {
  Key(h, vk, modifiers, QEvent::KeyRelease, text);
}
void KeyClick(win::HWND h, int vk, int modifiers, const std::u16string& text) {
  ClickKey([h] { QWidget* w = W(h); return w != nullptr ? FocusIn(w) : nullptr; }, vk, modifiers, text);
}
void XKeyDown(win::HWND h, const std::string& key, int modifiers, int group, bool groupSwitch) {
  SendXKey(h, QEvent::KeyPress, key, modifiers, group, groupSwitch);
}
void XKeyUp(win::HWND h, const std::string& key, int modifiers, int group, bool groupSwitch) {
  SendXKey(h, QEvent::KeyRelease, key, modifiers, group, groupSwitch);
}
void ResetKeyboard() {
  detail::ReleaseHeldKeys();
  detail::ResetKeyboardLayout();
}
void ShowAndWait(win::HWND h) {
  if (QWidget* w = W(h)) {
    w->show();
    (void)QTest::qWaitForWindowExposed(w);
  }
}

}  // namespace platform::testing

namespace platform::testing {

void PostClick(win::HWND h, int x, int y) {
  QMetaObject::invokeMethod(
      qApp, [h, x, y] { Click(h, x, y); }, Qt::QueuedConnection);
}

void PostAction(std::function<void()> action) {
  QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

}  // namespace platform::testing

namespace platform::testing {

int WatchWidget(win::HWND h) {
  static int next = 0;
  watched()[++next] = detail::WidgetOf(h);
  return next;
}

bool WidgetAlive(int watch) {
  auto it = watched().find(watch);
  return it != watched().end() && !it->second.isNull();
}

void CloseByUser(win::HWND h) {
  if (QWidget* w = detail::WidgetOf(h)) w->window()->close();
}

bool ShowsBusyPointer(win::HWND h) {
  QWidget* w = detail::WidgetOf(h);
  return w != nullptr && w->window()->cursor().shape() == Qt::WaitCursor;
}

bool ShowsHandPointer(win::HWND h) {
  QWidget* w = detail::WidgetOf(h);
  return w != nullptr && w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::PointingHandCursor;
}

}  // namespace platform::testing

namespace platform::testing {

void ReturnToEventLoop() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

// Reads the modal message box up now into `seen` and presses its button with that caption; false
// when no message box is modal now.
bool PressInMessageBoxNow(const std::u16string& button, RealMessageBox* seen) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return false;
  *seen = RealMessageBox{};
  seen->title = box->windowTitle().toStdU16String();
  seen->text = box->text().toStdU16String();
  const QRect frame = box->frameGeometry();
  seen->place = win::RECT{frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
  if (QScreen* screen = box->screen()) {
    const QRect area = screen->availableGeometry();
    seen->screen = win::RECT{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  }
  if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    seen->textWidth = label->contentsRect().width();
    for (const QString& line : box->text().split(QLatin1Char('\n')))
      seen->widestLine = std::max(seen->widestLine, QFontMetrics(label->font()).horizontalAdvance(line));
  }
  const Qt::WindowFlags flags = box->windowFlags();
  seen->managerFrame = !flags.testFlag(Qt::FramelessWindowHint);
  seen->closeBox = seen->managerFrame && flags.testFlag(Qt::WindowCloseButtonHint);
  if (QLabel* bar = platform::detail::OwnTitleBarOf(*box)) seen->titleBar = bar->text().toStdU16String();
  QAbstractButton* press = nullptr;
  for (QAbstractButton* b : box->buttons()) {
    seen->buttons.push_back(b->text().toStdU16String());
    if (b->text().toStdU16String() == button) press = b;
  }
  if (press != nullptr) press->click();
  return true;
}

// Tries at each pass of the event loop, for a minute, until a message box is up.
void PressWhenUp(const std::u16string& button, RealMessageBox* seen, std::chrono::steady_clock::time_point giveUp) {
  QTimer::singleShot(0, [button, seen, giveUp] {
    if (!PressInMessageBoxNow(button, seen) && std::chrono::steady_clock::now() < giveUp) PressWhenUp(button, seen, giveUp);
  });
}

}  // namespace

void PressInNextMessageBox(const std::u16string& button, RealMessageBox* seen) {
  PressWhenUp(button, seen, std::chrono::steady_clock::now() + std::chrono::minutes(1));
}

bool KeyClickInModalWindow(int vk, int modifiers, const std::u16string& text) {
  if (QApplication::activeModalWidget() == nullptr) return false;
  ClickKey([] {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? FocusIn(modal) : nullptr;
  }, vk, modifiers, text);
  return true;
}

bool PressEscapeInModalWindow() { return KeyClickInModalWindow(win::VK_ESCAPE); }
win::HWND ModalWindow() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? platform::detail::HandleOfWidget(modal) : 0;
}

bool CloseModalWindowByUser() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return false;
  modal->close();
  return true;
}

}  // namespace platform::testing
