// Windows: classes, creation and destruction, procedures, parents, titles.
#include "platform/win/window.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <unistd.h>

#include "platform/win/dispatch.h"
#include "platform/win/keys.h"
#include "platform/win/window_record.h"
#include "platform/win/window_widget.h"

namespace platform::detail {
namespace {

struct Table {
  std::unordered_map<win::HWND, std::unique_ptr<WindowRecord>> windows;
  std::unordered_map<const QObject*, win::HWND> byWidget;
  std::map<std::string, win::WNDCLASSA> classes;  // names folded to lower case
  win::HWND next = 0x100;
};

Table& table() {
  static Table t = [] {
    Table fresh;
    // The system's plain window class, which windows such as drop shadows are made of.
    fresh.classes["static"] = win::WNDCLASSA{0, &win::DefWindowProcA, "Static"};
    return fresh;
  }();
  return t;
}

}  // namespace

std::string FoldCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

win::HWND NewRecord(std::unique_ptr<WindowRecord> rec) {
  Table& t = table();
  rec->handle = t.next++;
  rec->processId = win::GetCurrentProcessId();
  win::HWND h = rec->handle;
  QWidget* w = rec->widget.data();
  t.windows.emplace(h, std::move(rec));
  if (w != nullptr) {
    t.byWidget[w] = h;
    // A widget deleted by its parent or by Qt takes its window (whichever it stands for then) with
    // it; a widget kept for another window is watched once.
    if (!w->property("qmWatched").toBool()) {
      w->setProperty("qmWatched", true);
      QObject::connect(w, &QObject::destroyed, [w](QObject*) {
        const auto it = table().byWidget.find(w);
        if (it == table().byWidget.end()) return;
        const win::HWND gone = it->second;
        table().byWidget.erase(it);
        if (FindRecord(gone) != nullptr) {
          FindRecord(gone)->widget = nullptr;
          win::DestroyWindow(gone);
        }
      });
    }
  }
  return h;
}

namespace {

void CollectTree(win::HWND h, std::vector<win::HWND>& out) {
  out.push_back(h);
  std::vector<win::HWND> kids;
  for (auto& [k, r] : table().windows)
    if (r->parent == h && (r->style & win::WS_CHILD) != 0) kids.push_back(k);
  std::sort(kids.begin(), kids.end());
  for (win::HWND k : kids) CollectTree(k, out);
}

// True when giving h the parent or owner `parent` would close a loop: parent is h itself or lies
// below h on its chain of parents and owners.
bool WouldCycle(win::HWND h, win::HWND parent) {
  std::size_t steps = table().windows.size();
  for (win::HWND p = parent; p != 0 && steps-- > 0;) {
    if (p == h) return true;
    const WindowRecord* r = FindRecord(p);
    if (r == nullptr) return false;
    p = r->parent;
  }
  return false;
}

QWidget* WidgetOrNull(win::HWND h) {
  WindowRecord* r = FindRecord(h);
  return r != nullptr ? r->widget.data() : nullptr;
}

}  // namespace

WindowRecord* FindRecord(win::HWND h) {
  auto& w = table().windows;
  auto it = w.find(h);
  return it == w.end() ? nullptr : it->second.get();
}

win::HWND HandleOfWidget(const QObject* widget) {
  auto& m = table().byWidget;
  auto it = m.find(widget);
  return it == m.end() ? 0 : it->second;
}

QWidget* WidgetOf(win::HWND h) { return WidgetOrNull(h); }

win::HWND AttachWidget(QWidget* widget, std::string className, win::WNDPROC proc, bool takesChildInput) {
  if (win::HWND existing = HandleOfWidget(widget)) return existing;
  auto rec = std::make_unique<WindowRecord>();
  rec->className = std::move(className);
  rec->proc = proc;
  rec->widget = widget;
  rec->takesChildInput = takesChildInput;
  QWidget* parent = widget->parentWidget();
  while (parent != nullptr && HandleOfWidget(parent) == 0) parent = parent->parentWidget();
  if (parent != nullptr) rec->parent = HandleOfWidget(parent);
  rec->style = widget->isWindow() ? win::WS_OVERLAPPED : win::WS_CHILD;
  if (widget->isVisible()) rec->style |= win::WS_VISIBLE;
  return NewRecord(std::move(rec));
}

bool InputDisabled(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (win::HWND h = HandleOfWidget(w)) {
      if (WindowRecord* r = FindRecord(h); r != nullptr && r->inputDisabled) return true;
    }
    if (w->isWindow()) break;
  }
  return false;
}

void NoteRaised(QWidget* window) {
  static qint64 raised = 0;
  if (window != nullptr) window->setProperty("qmRaised", ++raised);
}

Qt::WindowFlags PopupFlags(win::LONG exStyle) {
  Qt::WindowFlags flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::BypassWindowManagerHint;
  if ((exStyle & win::WS_EX_APPWINDOW) != 0) flags = Qt::Window | Qt::FramelessWindowHint;
  if ((exStyle & win::WS_EX_TOPMOST) != 0) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void ApplyTopLevelFlags(WindowRecord& r, QWidget* w, QWidget* owner) {
  const Qt::WindowFlags flags = PopupFlags(r.exStyle);
  const bool visible = w->isVisible();
  const QPoint at = w->isWindow() ? w->pos() : w->mapToGlobal(QPoint(0, 0));
  w->setParent(owner, flags);
  w->setAttribute(Qt::WA_ShowWithoutActivating, (r.exStyle & win::WS_EX_APPWINDOW) == 0);
  w->move(at);
  if (visible) win::ShowWindow(r.handle, win::SW_SHOWNA);
}

void ApplyOwner(win::HWND h) {
  WindowRecord* r = FindRecord(h);
  QWidget* w = r != nullptr ? r->widget.data() : nullptr;
  // Child windows, windows made top-level from a child and windows with a toolkit parent belong
  // where they are already.
  if (w == nullptr || !w->isWindow() || r->madeTopLevel || w->parentWidget() != nullptr) return;
  QWidget* owner = WidgetOrNull(r->parent);
  if (owner != nullptr) owner = owner->window();
  // A plain window with an owner is the owner's dialog: the window system then keeps it above its
  // owner and minimises and restores it with it (a window of another type is such already).
  const Qt::WindowType type = w->windowType();
  const Qt::WindowType wanted = owner != nullptr && type == Qt::Window ? Qt::Dialog
                                : owner == nullptr && type == Qt::Dialog ? Qt::Window
                                                                         : type;
  if (wanted != type) {
    const bool visible = w->isVisible();
    w->setWindowFlags((w->windowFlags() & ~Qt::WindowType_Mask) | wanted);
    if (visible) w->show();
  }
  if (owner == nullptr && w->windowHandle() == nullptr) return;
  w->winId();
  if (owner != nullptr) owner->winId();
  w->windowHandle()->setTransientParent(owner != nullptr ? owner->windowHandle() : nullptr);
}

}  // namespace platform::detail

namespace win {

using platform::detail::FindRecord;
using platform::detail::FoldCase;
using platform::detail::table;
using platform::detail::WindowRecord;

BOOL RegisterClassA(const WNDCLASSA& wc) {
  if (wc.lpszClassName.empty()) return FALSE;
  auto key = FoldCase(wc.lpszClassName);
  auto& classes = table().classes;
  if (classes.count(key) != 0) return FALSE;
  classes[key] = wc;
  return TRUE;
}

BOOL UnregisterClassA(std::string_view className) { return table().classes.erase(FoldCase(className)) ? TRUE : FALSE; }

HWND CreateWindowExA(LONG exStyle, std::string_view className, std::u16string_view windowName, LONG style,
                     int x, int y, int width, int height, HWND parent, LONG_PTR id, HINSTANCE, void* param) {
  auto& classes = table().classes;
  auto cls = classes.find(FoldCase(className));
  if (cls == classes.end()) return 0;
  const bool child = (style & WS_CHILD) != 0;
  QWidget* parentWidget = nullptr;
  if (parent != 0) {
    if (FindRecord(parent) == nullptr) return 0;
    parentWidget = platform::detail::WidgetOf(parent);
  }
  if (child && parentWidget == nullptr) return 0;

  Qt::WindowFlags flags;
  if (!child) {
    // A popup (a drop shadow) is placed and stacked by the program alone, as popups made top-level
    // are: no window manager stands between its showing and the screen.
    flags = (style & WS_POPUP) != 0 ? platform::detail::PopupFlags(exStyle) : Qt::Window;
    if ((exStyle & WS_EX_TOPMOST) != 0) flags |= Qt::WindowStaysOnTopHint;
    if ((exStyle & WS_EX_NOACTIVATE) != 0) flags |= Qt::WindowDoesNotAcceptFocus;
    if ((exStyle & WS_EX_TRANSPARENT) != 0) flags |= Qt::WindowTransparentForInput;
  }
  auto* widget = platform::detail::MakeWindowWidget(parentWidget, flags, child, (exStyle & WS_EX_LAYERED) != 0);
  widget->setAttribute(Qt::WA_ShowWithoutActivating, (exStyle & WS_EX_NOACTIVATE) != 0);
  widget->setWindowTitle(QString::fromStdU16String(std::u16string(windowName)));
  widget->setGeometry(x, y, std::max(0, width), std::max(0, height));

  auto rec = std::make_unique<WindowRecord>();
  rec->className = cls->second.lpszClassName;
  rec->proc = cls->second.lpfnWndProc;
  rec->style = style & ~WS_VISIBLE;
  rec->exStyle = exStyle;
  rec->parent = parent;
  rec->id = id;
  rec->widget = widget;
  rec->ownsWidget = true;
  rec->greysWhenDisabled = false;
  HWND h = platform::detail::NewRecord(std::move(rec));
  widget->handle = h;

  if (SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
    DestroyWindow(h);
    return 0;
  }
  if ((style & WS_VISIBLE) != 0 && IsWindow(h)) ShowWindow(h, SW_SHOWNA);
  return IsWindow(h) ? h : 0;
}

BOOL DestroyWindow(HWND h) {
  if (FindRecord(h) == nullptr) return FALSE;
  std::vector<HWND> tree;
  platform::detail::CollectTree(h, tree);
  if (GetCapture() != 0 && std::find(tree.begin(), tree.end(), GetCapture()) != tree.end()) ReleaseCapture();
  for (HWND w : tree)
    if (FindRecord(w) != nullptr) SendMessageA(w, WM_DESTROY, 0, 0);
  for (auto it = tree.rbegin(); it != tree.rend(); ++it)
    if (FindRecord(*it) != nullptr) SendMessageA(*it, WM_NCDESTROY, 0, 0);
  platform::detail::KillTimersOf(tree);
  QWidget* top = nullptr;
  for (HWND w : tree) {
    WindowRecord* r = FindRecord(w);
    if (r == nullptr) continue;
    QWidget* widget = r->widget.data();
    if (widget != nullptr) {
      table().byWidget.erase(widget);
      if (w == h && r->ownsWidget) top = widget;
    }
    table().windows.erase(w);
  }
  if (top != nullptr && !platform::detail::KeepWindowWidget(top)) {
    // The widget may be the one whose event is being handled: let it go when control returns.
    top->hide();
    top->deleteLater();
  }
  return TRUE;
}

BOOL IsWindow(HWND h) { return FindRecord(h) != nullptr ? TRUE : FALSE; }

LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWL_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(r->proc);
      if (old == 0) old = reinterpret_cast<LONG_PTR>(&DefWindowProcA);
      r->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWL_STYLE:
      old = r->style;
      r->style = static_cast<LONG>(value);
      return old;
    case GWL_EXSTYLE: {
      old = r->exStyle;
      r->exStyle = static_cast<LONG>(value);
      if (QWidget* w = r->widget.data(); w != nullptr && r->madeTopLevel && w->isWindow()) {
        if (((old ^ value) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW)) != 0)
          platform::detail::ApplyTopLevelFlags(*r, w, w->parentWidget());
      } else if (QWidget* w = r->widget.data(); w != nullptr && w->isWindow()) {
        const bool topmost = (value & WS_EX_TOPMOST) != 0;
        if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
          const bool visible = w->isVisible();
          w->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
          if (visible) w->show();
        }
      }
      return old;
    }
    case GWL_ID:
      old = r->id;
      r->id = value;
      return old;
    case GWL_USERDATA:
      old = r->userData;
      r->userData = value;
      return old;
    case GWL_HWNDPARENT:
      if (platform::detail::WouldCycle(h, static_cast<HWND>(value))) return 0;
      old = r->parent;
      r->parent = static_cast<HWND>(value);
      platform::detail::ApplyOwner(h);
      return old;
    default:
      return 0;
  }
}

LONG_PTR GetWindowLongA(HWND h, int index) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) return 0;
  switch (index) {
    case GWL_WNDPROC:
      return r->proc != nullptr ? reinterpret_cast<LONG_PTR>(r->proc) : reinterpret_cast<LONG_PTR>(&DefWindowProcA);
    case GWL_STYLE: {
      LONG s = r->style & ~WS_VISIBLE;
      if (r->widget != nullptr ? r->widget->isVisible() : (r->style & WS_VISIBLE) != 0) s |= WS_VISIBLE;
      return s;
    }
    case GWL_EXSTYLE:
      return r->exStyle;
    case GWL_ID:
      return r->id;
    case GWL_USERDATA:
      return r->userData;
    case GWL_HWNDPARENT:
      return r->parent;
    default:
      return 0;
  }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (proc == nullptr) return 0;
  return proc(h, msg, wParam, lParam);
}

LRESULT CallWindowProcA(LONG_PTR proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(reinterpret_cast<WNDPROC>(proc), h, msg, wParam, lParam);
}

LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  if (msg == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & kAltHeld) != 0) {
    // Alt+F4 asks the top-level window to close, whichever of its windows has the keyboard.
    SendMessageA(GetAncestorTopLevel(h), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  // A letter typed with Alt is a menu key (a mnemonic or a shortcut nobody took), never text.
  if (msg == WM_SYSCHAR) return 0;
  if (platform::detail::MarkDefaultHandling(h, msg)) return 0;
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE && platform::detail::UserMayClose(h)) SendMessageA(h, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEACTIVATE:
      return 1;  // MA_ACTIVATE
    case WM_ERASEBKGND:
      return 1;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(GetWindowTextA(h).size());
    default:
      return 0;
  }
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

DWORD GetCurrentThreadId() { return static_cast<DWORD>(::gettid()); }

DWORD GetWindowThreadProcessId(HWND h, DWORD* processId) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) {
    if (processId != nullptr) *processId = 0;
    return 0;
  }
  if (processId != nullptr) *processId = r->processId;
  // Every window of this process lives on its one user-interface thread.
  return r->processId == GetCurrentProcessId() ? platform::detail::UiThreadId() : r->processId;
}

HWND GetParent(HWND h) {
  WindowRecord* r = FindRecord(h);
  return r != nullptr ? r->parent : 0;
}

HWND SetParent(HWND h, HWND parent) {
  WindowRecord* r = FindRecord(h);
  // A window never comes under itself: that would leave a tree without a top.
  if (r == nullptr || platform::detail::WouldCycle(h, parent)) return 0;
  HWND old = r->parent;
  QWidget* w = r->widget.data();
  if (parent == 0 && w != nullptr && (!w->isWindow() || r->madeTopLevel)) {
    // The desktop becomes the parent: a top-level window in screen coordinates, still owned (and
    // destroyed) by the top-level window it belonged to.
    QWidget* owner = w->isWindow() ? w->parentWidget() : w->window();
    r->parent = 0;
    r->madeTopLevel = true;
    platform::detail::ApplyTopLevelFlags(*r, w, owner);
    return old;
  }
  r->parent = parent;
  QWidget* pw = platform::detail::WidgetOf(parent);
  if (w != nullptr) {
    const bool visible = w->isVisible();
    if ((r->style & WS_CHILD) != 0 && pw != nullptr) {
      w->setParent(pw);
    } else if (pw != nullptr) {
      w->setParent(pw, w->windowFlags());
    } else {
      w->setParent(nullptr, w->windowFlags());
    }
    if (visible) w->show();
  }
  return old;
}

HWND GetAncestorTopLevel(HWND h) {
  WindowRecord* r = FindRecord(h);
  while (r != nullptr && (r->style & WS_CHILD) != 0 && FindRecord(r->parent) != nullptr) r = FindRecord(r->parent);
  return r != nullptr ? r->handle : 0;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (proc == nullptr) return FALSE;
  struct Entry {
    HWND h;
    bool onTop;
    qint64 raised;
  };
  std::vector<Entry> tops;
  for (auto& [k, r] : table().windows) {
    if ((r->style & WS_CHILD) != 0 && !r->madeTopLevel) continue;
    QWidget* w = r->widget.data();
    const bool onTop = w != nullptr && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    tops.push_back(Entry{k, onTop, w != nullptr ? w->property("qmRaised").toLongLong() : 0});
  }
  // Front to back: windows kept on top first, then the one shown or raised last.
  std::sort(tops.begin(), tops.end(), [](const Entry& a, const Entry& b) {
    if (a.onTop != b.onTop) return a.onTop;
    if (a.raised != b.raised) return a.raised > b.raised;
    return a.h > b.h;
  });
  for (const Entry& e : tops)
    if (IsWindow(e.h) && proc(e.h, lParam) == FALSE) break;
  return TRUE;
}

HWND FindWindowExA(HWND parent, HWND childAfter, std::string_view className, const std::u16string_view* windowName) {
  const std::string folded = FoldCase(className);
  HWND found = 0;
  for (auto& [k, r] : table().windows) {
    if (r->parent != parent || (r->style & WS_CHILD) == 0 || k <= childAfter) continue;
    if (FoldCase(r->className) != folded) continue;
    if (windowName != nullptr && GetWindowTextA(k) != *windowName) continue;
    if (found == 0 || k < found) found = k;  // handles grow with creation
  }
  return found;
}

BOOL InvalidateRect(HWND h, const RECT* rc, BOOL) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  if (rc == nullptr) {
    w->update();
  } else {
    w->update(QRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top));
  }
  return TRUE;
}

BOOL UpdateWindow(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  if (w->isVisible()) w->repaint();
  return TRUE;
}

// The window system puts the program's file name in the title bar of a top-level window whose title
// is empty: an empty title is given to it as this invisible character instead.
constexpr char16_t kBlankTitle[] = u"\u200B";

BOOL SetWindowTextA(HWND h, std::u16string_view text) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return FALSE;
  if (text.empty() && w->isWindow()) text = kBlankTitle;
  w->setWindowTitle(QString::fromStdU16String(std::u16string(text)));
  return TRUE;
}

std::u16string GetWindowTextA(HWND h) {
  QWidget* w = platform::detail::WidgetOf(h);
  if (w == nullptr) return std::u16string();
  std::u16string text = w->windowTitle().toStdU16String();
  return text == kBlankTitle ? std::u16string() : text;
}

std::string GetClassNameA(HWND h) {
  WindowRecord* r = FindRecord(h);
  return r != nullptr ? r->className : std::string();
}

}  // namespace win
