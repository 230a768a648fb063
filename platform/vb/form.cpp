#include "platform/vb/form.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <unordered_map>

#include "platform/gdi/types.h"
#include "platform/script/script.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace vb {

using platform::detail::Px;
using platform::detail::Tw;

struct Form::Impl {
  QPointer<QWidget> widget;
  win::HWND handle = 0;
  QEventLoop* modalLoop = nullptr;
  bool initialized = false;
  bool unloading = false;
  vb::StdFont font;
  OLE_COLOR back = vbButtonFace;
  int borderStyle = vbSizable;
  bool controlBox = true;
  int mousePointer = vbDefault;
  bool keyPreview = false;
  QMargins Frame() const;
  // The window's outer size, its frame counted even before the window system has framed it.
  QSize OuterSize() const;
  void SetOuterSize(QSize outer);
  // An outer size asked for before the window system framed the window: applied once the frame is
  // known, so the window ends up with the outer size it was given.
  QSize pendingOuter;
  bool OuterPending() const;
  // Maximised with a fixed border: the window fills the screen's work area by its own size and
  // place, since a window manager may keep a window without a maximise button from maximising.
  bool fillsWorkArea = false;
  void FillWorkArea();
};

namespace {

std::unordered_map<win::HWND, Form*>& formsByHandle() {
  static std::unordered_map<win::HWND, Form*> m;
  return m;
}

// The form whose Activate ran last without a Deactivate since: the one the program deems active.
// Deactivate of the old form always comes before Activate of the new one, whatever order the window
// system reports them in.
Form* activeForm = nullptr;

win::LRESULT FormEvents(Form* f, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l);

win::LRESULT FormProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  auto it = formsByHandle().find(h);
  if (it == formsByHandle().end()) return win::DefWindowProcA(h, msg, w, l);
  win::LRESULT result = 0;
  bool failed = true;
  platform::detail::FromEventLoop([&] {
    result = FormEvents(it->second, h, msg, w, l);
    failed = false;
  });
  return failed ? 0 : result;
}

win::LRESULT FormEvents(Form* f, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  switch (msg) {
    case win::WM_MOVE:
    case win::WM_SHOWWINDOW:
      f->ApplyFrame();
      break;
    case win::WM_SIZE:
      f->ApplyFrame();
      f->RaiseResize();
      break;
    case win::WM_ACTIVATE:
      f->RaiseActivate(w != win::WA_INACTIVE);
      break;
    case win::WM_CLOSE:
      // The close box asks the form; a form that stays loaded keeps its window.
      f->CloseByUser();
      return 0;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN: {
      int code = static_cast<int>(w);
      if (!f->Designing()) f->RaiseKeyDown(code, platform::detail::ShiftState());
      if (code == 0) return 0;
      // Enter and Esc that reach the form itself (it has the keyboard, or the window that had it,
      // a read-only text, took no action on them) go to its default and cancel buttons.
      if (msg == win::WM_KEYDOWN && !f->Designing() && platform::detail::PressDialogButton(*f, code)) return 0;
      break;
    }
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP: {
      int code = static_cast<int>(w);
      if (!f->Designing()) f->RaiseKeyUp(code, platform::detail::ShiftState());
      if (code == 0) return 0;
      break;
    }
    case win::WM_CHAR: {
      int ascii = static_cast<int>(w);
      if (!f->Designing()) f->RaiseKeyPress(ascii);
      if (ascii == 0) return 0;
      break;
    }
    default:
      break;
  }
  return win::DefWindowProcA(h, msg, w, l);
}

Qt::WindowFlags FlagsFor(int borderStyle, bool controlBox, bool onTop) {
  Qt::WindowFlags f;
  switch (borderStyle) {
    case vbBSNone:
      f = Qt::Window | Qt::FramelessWindowHint;
      break;
    case vbFixedToolWindow:
    case vbSizableToolWindow:
      f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (controlBox) f |= Qt::WindowCloseButtonHint;
      break;
    case vbFixedSingle:
    case vbFixedDouble:
      f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (controlBox) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      break;
    default:
      f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (controlBox) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint;
      break;
  }
  if (onTop) f |= Qt::WindowStaysOnTopHint;
  return f;
}

// The same for a loaded window: one whose window menu lost Close keeps its close button off.
Qt::WindowFlags FlagsOf(win::HWND h, int borderStyle, bool controlBox, bool onTop) {
  Qt::WindowFlags f = FlagsFor(borderStyle, controlBox, onTop);
  if (!platform::detail::UserMayClose(h)) f &= ~Qt::WindowCloseButtonHint;
  return f;
}

bool FixedSize(int borderStyle) {
  return borderStyle == vbFixedSingle || borderStyle == vbFixedDouble || borderStyle == vbFixedToolWindow;
}

// The frame around the inner area, in pixels, as the window system reports it once it has framed
// the window (none before, and none on a system without frames).
QMargins ActualFrame(QWidget& w) {
  const QRect outer = w.frameGeometry(), inner = w.geometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                  outer.bottom() - inner.bottom());
}

// Frames seen on shown windows, by border style: a window not yet framed is expected to get the
// frame its kind had before.
std::unordered_map<int, QMargins>& knownFrames() {
  static std::unordered_map<int, QMargins> m;
  return m;
}

}  // namespace

float ConvertScale(float value, int fromScale, int toScale) {
  auto twipsPer = [](int scale) -> double {
    switch (scale) {
      case vbPoints: return 20.0;
      case vbPixels: return TwipsPerPixel;
      case vbCharacters: return 120.0;  // horizontal; close enough for the runtime's use
      case vbInches: return 1440.0;
      case vbMillimeters: return 1440.0 / 25.4;
      case vbCentimeters: return 567.0;
      default: return 1.0;
    }
  };
  return static_cast<float>(value * twipsPer(fromScale) / twipsPer(toScale));
}

Form::Form() : d_(std::make_unique<Impl>()) {}

Form::~Form() {
  if (activeForm == this) activeForm = nullptr;
  if (d_->handle != 0) formsByHandle().erase(d_->handle);
  if (d_->widget != nullptr) {
    d_->widget->hide();
    platform::detail::DestroyWidgetWhenEventsReturn(d_->widget);
  }
}

void Form::EnsureLoaded() {
  if (IsLoaded()) return;
  LoadWindow();
  if (!IsLoaded()) Raise(err::kObjectWasUnloaded);
}

void Form::Load() {
  if (!IsLoaded()) LoadWindow();
}

void Form::LoadWindow() {
  if (!d_->initialized) {
    d_->initialized = true;
    Form_Initialize();
  }
  *d_ = Impl{};
  d_->initialized = true;
  auto* w = new QWidget(nullptr, FlagsFor(d_->borderStyle, d_->controlBox, false));
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  w->setAttribute(Qt::WA_QuitOnClose, false);
  w->setFont(platform::detail::ToQFont(d_->font));
  w->setAutoFillBackground(true);
  platform::detail::ApplyColors(w, d_->back, vbButtonText);
  w->resize(Px(4800), Px(3600));
  d_->widget = w;
  d_->handle = platform::detail::AttachWidget(w, "ThunderFormDC", &FormProc);
  formsByHandle()[d_->handle] = this;
  LoadControls(d_->handle);
  Form_Load();
}

void Form::Show(int modal, Form* owner) {
  EnsureLoaded();
  QWidget* w = d_->widget;
  if (modal == vbModal && w->isVisible()) Raise(err::kFormAlreadyShown);
  if (owner != nullptr && owner != this) win::SetWindowLongA(d_->handle, win::GWL_HWNDPARENT, owner->hWnd());
  if (modal == vbModal) w->setWindowModality(Qt::ApplicationModal);
  if (d_->borderStyle != vbSizable) platform::detail::ShowWithoutMinMaxButtons(w);
  if (d_->fillsWorkArea) d_->FillWorkArea();
  if (w->isMinimized()) {
    w->showMinimized();
  } else if (w->isMaximized()) {
    w->showMaximized();
  } else {
    w->show();
  }
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
  w->activateWindow();
  if (modal != vbModal) return;

  if (platform::script::Active()) {
    // Tests drive a modal form with a queued action; without one the form fails the test and is
    // hidden at once instead of waiting for a person.
    std::function<void()> action;
    if (!platform::detail::ModalActions().empty()) {
      action = std::move(platform::detail::ModalActions().front());
      platform::detail::ModalActions().pop_front();
    }
    QPointer<QWidget> guard = w;
    QTimer::singleShot(0, w, [this, action, guard] {
      if (action) action();
      if (guard != nullptr && guard->isVisible() && d_->modalLoop != nullptr) {
        platform::script::Take(platform::script::Shown{platform::script::Kind::Other, Caption(), u"modal form"});
        Hide();
      }
    });
  }
  QEventLoop loop;
  d_->modalLoop = &loop;
  if (w->isVisible()) loop.exec();
  d_->modalLoop = nullptr;
  if (d_->widget != nullptr && !d_->widget->isVisible()) d_->widget->setWindowModality(Qt::NonModal);
}

void Form::Hide() {
  EnsureLoaded();
  d_->widget->hide();
  if (d_->modalLoop != nullptr) d_->modalLoop->quit();
}

bool Form::Unload() { return UnloadWithMode(vbFormCode); }

void Form::CloseByUser() { UnloadWithMode(vbFormControlMenu); }

bool Form::UnloadWithMode(int mode) {
  if (!IsLoaded() || d_->unloading) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  if (!IsLoaded()) return true;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  if (!IsLoaded()) return true;
  Discard();
  return true;
}

void Form::Terminate() {
  if (IsLoaded()) Discard();
  Form_Terminate();
  d_->initialized = false;
}

void Form::Discard() {
  d_->unloading = true;
  if (activeForm == this) activeForm = nullptr;
  if (d_->modalLoop != nullptr) d_->modalLoop->quit();
  UnloadControls();
  formsByHandle().erase(d_->handle);
  win::DestroyWindow(d_->handle);
  if (QWidget* w = d_->widget.data()) {
    // The window may be handling the event that unloads it: it goes when the events return.
    w->hide();
    platform::detail::DestroyWidgetWhenEventsReturn(w);
  }
  QEventLoop* loop = d_->modalLoop;  // a modal Show still running returns when its loop ends
  *d_ = Impl{};
  d_->initialized = true;
  d_->modalLoop = loop;
}

void Form::RaiseResize() {
  if (IsLoaded() && !Designing() && !d_->unloading) Form_Resize();
}

void Form::RaiseActivate(bool active) {
  if (!IsLoaded() || Designing()) return;
  if (active) {
    if (activeForm == this) return;
    if (Form* old = activeForm) {
      activeForm = nullptr;
      old->Form_Deactivate();
    }
    activeForm = this;
    Form_Activate();
  } else if (activeForm == this) {
    activeForm = nullptr;
    Form_Deactivate();
  }
}

bool Form::Visible() {
  EnsureLoaded();
  return d_->widget->isVisible();
}
void Form::Visible(bool v) { v ? Show() : Hide(); }

std::u16string Form::Caption() {
  EnsureLoaded();
  return win::GetWindowTextA(d_->handle);
}
void Form::Caption(const std::u16string& v) {
  EnsureLoaded();
  win::SetWindowTextA(d_->handle, v);
}

int Form::WindowState() {
  EnsureLoaded();
  const auto s = d_->widget->windowState();
  if (s & Qt::WindowMinimized) return vbMinimized;
  if ((s & Qt::WindowMaximized) || d_->fillsWorkArea) return vbMaximized;
  return vbNormal;
}
void Form::WindowState(int v) {
  EnsureLoaded();
  if (v != vbNormal && v != vbMinimized && v != vbMaximized) Raise(err::kInvalidPropertyValue);
  // A fixed border keeps the user from sizing the window, not the window from filling the screen.
  d_->fillsWorkArea = v == vbMaximized && FixedSize(d_->borderStyle);
  if (d_->fillsWorkArea) {
    d_->widget->setWindowState(Qt::WindowNoState);
    d_->FillWorkArea();
    return;
  }
  d_->widget->setWindowState(v == vbMinimized ? Qt::WindowMinimized : v == vbMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void Form::Impl::FillWorkArea() {
  QScreen* screen = widget->screen() != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  widget->move(area.topLeft());
  SetOuterSize(area.size());
}

int Form::BorderStyle() {
  EnsureLoaded();
  return d_->borderStyle;
}
void Form::BorderStyle(int v) {
  EnsureLoaded();
  if (v < vbBSNone || v > vbSizableToolWindow) Raise(err::kInvalidPropertyValue);
  d_->borderStyle = v;
  QWidget* w = d_->widget;
  const bool visible = w->isVisible();
  w->setWindowFlags(FlagsOf(d_->handle, v, d_->controlBox, w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
  platform::detail::ApplyOwner(d_->handle);
  if (FixedSize(v)) {
    w->setFixedSize(w->size());  // the user cannot size a fixed window
  } else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  if (visible) w->show();
}

bool Form::ControlBox() {
  EnsureLoaded();
  return d_->controlBox;
}
void Form::ControlBox(bool v) {
  EnsureLoaded();
  d_->controlBox = v;
  QWidget* w = d_->widget;
  const bool visible = w->isVisible();
  w->setWindowFlags(FlagsOf(d_->handle, d_->borderStyle, v, w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
  platform::detail::ApplyOwner(d_->handle);
  if (visible) w->show();
}

int Form::MousePointer() {
  EnsureLoaded();
  return d_->mousePointer;
}
void Form::MousePointer(int v) {
  EnsureLoaded();
  d_->mousePointer = v;
  if (v == vbDefault) {
    d_->widget->unsetCursor();
  } else {
    d_->widget->setCursor(platform::detail::CursorOf(v));
  }
}

bool Form::KeyPreview() {
  EnsureLoaded();
  return d_->keyPreview;
}
void Form::KeyPreview(bool v) {
  EnsureLoaded();
  d_->keyPreview = v;
}

bool Form::Enabled() {
  EnsureLoaded();
  return d_->widget->isEnabled();
}
void Form::Enabled(bool v) {
  EnsureLoaded();
  d_->widget->setEnabled(v);
}

vb::StdFont Form::Font() {
  EnsureLoaded();
  return d_->font;
}
void Form::Font(const vb::StdFont& v) {
  EnsureLoaded();
  d_->font = v;
  d_->widget->setFont(platform::detail::ToQFont(v));
}

OLE_COLOR Form::BackColor() {
  EnsureLoaded();
  return d_->back;
}
void Form::BackColor(OLE_COLOR v) {
  EnsureLoaded();
  d_->back = v;
  platform::detail::ApplyColors(d_->widget, v, vbButtonText);
}

float Form::Left() {
  EnsureLoaded();
  return Tw(d_->widget->x());
}
void Form::Left(float v) { Move(v, Top()); }
float Form::Top() {
  EnsureLoaded();
  return Tw(d_->widget->y());
}
void Form::Top(float v) { Move(Left(), v); }
float Form::Width() {
  EnsureLoaded();
  return Tw(d_->OuterSize().width());
}
void Form::Width(float v) { Move(Left(), Top(), v); }
float Form::Height() {
  EnsureLoaded();
  return Tw(d_->OuterSize().height());
}
void Form::Height(float v) { Move(Left(), Top(), -1, v); }

// The outer size set before the frame was known is the normal window's: a shown maximised or
// full-screen window keeps it for when it is restored, and reports the size it has.
bool Form::Impl::OuterPending() const {
  return pendingOuter.isValid() &&
         !(widget->isVisible() && (widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)));
}

QMargins Form::Impl::Frame() const {
  QMargins m = ActualFrame(*widget);
  if (!m.isNull()) return m;
  auto it = knownFrames().find(borderStyle);
  return it != knownFrames().end() ? it->second : QMargins();
}

QSize Form::Impl::OuterSize() const {
  if (OuterPending()) return pendingOuter;
  // Not framed yet: the size it will have with the frame its kind of window gets.
  if (ActualFrame(*widget).isNull()) return widget->size().grownBy(Frame());
  return widget->frameGeometry().size();
}

void Form::Impl::SetOuterSize(QSize outer) {
  QWidget* w = widget;
  const QMargins m = Frame();
  const QSize inner(std::max(0, outer.width() - m.left() - m.right()), std::max(0, outer.height() - m.top() - m.bottom()));
  pendingOuter = ActualFrame(*w).isNull() ? outer : QSize();
  if (FixedSize(borderStyle)) {
    w->setFixedSize(inner);
  } else {
    w->resize(inner);
  }
}

void Form::ApplyFrame() {
  if (d_->widget == nullptr || !d_->widget->isVisible()) return;
  const QMargins m = ActualFrame(*d_->widget);
  if (m.isNull()) return;
  knownFrames()[d_->borderStyle] = m;
  if (d_->OuterPending()) {
    const QSize outer = d_->pendingOuter;
    d_->pendingOuter = QSize();
    d_->SetOuterSize(outer);
  }
}

void Form::Move(float left, float top, float width, float height) {
  EnsureLoaded();
  QWidget* w = d_->widget;
  w->move(Px(left), Px(top));
  if (width < 0 && height < 0) return;
  const QSize outer = d_->OuterSize();
  d_->SetOuterSize(QSize(width >= 0 ? Px(width) : outer.width(), height >= 0 ? Px(height) : outer.height()));
}

void Form::ClientSize(float width, float height) {
  EnsureLoaded();
  QWidget* w = d_->widget;
  d_->pendingOuter = QSize();
  const QSize inner(Px(width), Px(height));
  if (FixedSize(d_->borderStyle)) {
    w->setFixedSize(inner);
  } else {
    w->resize(inner);
  }
}

float Form::CaptionClientWidth() {
  EnsureLoaded();
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  // The icon, the close box and the room between them and the caption: a line's height each.
  return Tw(metrics.horizontalAdvance(d_->widget->windowTitle()) + 4 * metrics.lineSpacing());
}

float Form::ScaleWidth() {
  EnsureLoaded();
  return Tw(d_->widget->width());
}
float Form::ScaleHeight() {
  EnsureLoaded();
  return Tw(d_->widget->height());
}
float Form::ScaleX(float v, int fromScale, int toScale) { return ConvertScale(v, fromScale, toScale); }
float Form::ScaleY(float v, int fromScale, int toScale) { return ConvertScale(v, fromScale, toScale); }

win::HWND Form::hWnd() {
  EnsureLoaded();
  return d_->handle;
}

}  // namespace vb

namespace platform::detail {

std::deque<std::function<void()>>& ModalActions() {
  static std::deque<std::function<void()>> q;
  return q;
}

}  // namespace platform::detail
