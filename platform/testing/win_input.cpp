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
#include <iterator>
#include <map>
#include <QWidget>

#include "platform/testing/win.h"
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

void Key(win::HWND h, int vk, int mods, QEvent::Type type, const std::u16string& text) {
  QWidget* w = W(h);
  if (w == nullptr) return;
  QWidget* target = w->focusWidget() != nullptr && w->isAncestorOf(w->focusWidget()) ? w->focusWidget() : w;
  QTest::sendKeyEvent(type == QEvent::KeyPress ? QTest::Press : QTest::Release, target, QtKey(vk), Text(vk, mods, text),
                      Mods(mods));
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
  struct Held {
    int mask;
    int vk;
  };
  static const Held held[] = {{0x0008, win::VK_CONTROL}, {0x0004, win::VK_SHIFT}, {kAlt, win::VK_MENU}};
  int down = 0;
  for (const Held& m : held) {
    if ((modifiers & m.mask) == 0 || vk == m.vk) continue;
    down |= m.mask;
    KeyDown(h, m.vk, down);
  }
  KeyDown(h, vk, modifiers, text);
  KeyUp(h, vk, modifiers, text);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) {
    if ((down & it->mask) == 0) continue;
    KeyUp(h, it->vk, down);
    down &= ~it->mask;
  }
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

void PressInNextMessageBox(const std::u16string& button, RealMessageBox* seen) {
  QTimer::singleShot(0, [button, seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
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
    QAbstractButton* press = nullptr;
    for (QAbstractButton* b : box->buttons()) {
      seen->buttons.push_back(b->text().toStdU16String());
      if (b->text().toStdU16String() == button) press = b;
    }
    if (press != nullptr) press->click();
  });
}

}  // namespace platform::testing
