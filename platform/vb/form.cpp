#include "platform/vb/form.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEventLoop>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <unordered_map>

#include "platform/dialogs/script.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/testing.h"
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
  vb::Font font;
  OLE_COLOR back = vbButtonFace;
  int borderStyle = vbSizable;
  bool controlBox = true;
  int mousePointer = vbDefault;
  bool keyPreview = false;
  bool active = false;
};

namespace {

std::unordered_map<win::HWND, Form*>& formsByHandle() {
  static std::unordered_map<win::HWND, Form*> m;
  return m;
}

std::deque<std::function<void()>>& modalActions() {
  static std::deque<std::function<void()>> q;
  return q;
}

win::LRESULT FormProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  auto it = formsByHandle().find(h);
  if (it == formsByHandle().end()) return win::DefWindowProcA(h, msg, w, l);
  Form* f = it->second;
  switch (msg) {
    case win::WM_SIZE:
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

bool FixedSize(int borderStyle) {
  return borderStyle == vbFixedSingle || borderStyle == vbFixedDouble || borderStyle == vbFixedToolWindow;
}

// The frame around the inner area, in pixels: known once the window system has framed the window.
QMargins FrameOf(QWidget& w) {
  const QRect outer = w.frameGeometry(), inner = w.geometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                  outer.bottom() - inner.bottom());
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
  if (d_->handle != 0) formsByHandle().erase(d_->handle);
  if (d_->widget != nullptr) {
    d_->widget->hide();
    d_->widget->deleteLater();
  }
}

void Form::EnsureLoaded() {
  if (IsLoaded()) return;
  if (!d_->initialized) {
    d_->initialized = true;
    Form_Initialize();
  }
  *d_ = Impl{{}, 0, nullptr, true, false};
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
  if (modal == vbModal && w->isVisible()) Raise(400);
  if (owner != nullptr && owner != this) {
    owner->EnsureLoaded();
    win::SetWindowLongA(d_->handle, win::GWL_HWNDPARENT, owner->hWnd());
    w->winId();
    owner->d_->widget->winId();
    if (w->windowHandle() != nullptr) w->windowHandle()->setTransientParent(owner->d_->widget->windowHandle());
  }
  if (modal == vbModal) w->setWindowModality(Qt::ApplicationModal);
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
    if (!modalActions().empty()) {
      action = std::move(modalActions().front());
      modalActions().pop_front();
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
  d_->unloading = true;
  if (d_->modalLoop != nullptr) d_->modalLoop->quit();
  UnloadControls();
  formsByHandle().erase(d_->handle);
  win::DestroyWindow(d_->handle);
  if (QWidget* w = d_->widget.data()) {
    // The window may be handling the event that unloads it: it goes when control returns.
    w->hide();
    w->deleteLater();
  }
  QEventLoop* loop = d_->modalLoop;
  *d_ = Impl{};
  d_->initialized = true;
  d_->modalLoop = loop;
  return true;
}

void Form::Terminate() {
  if (IsLoaded()) {
    d_->unloading = true;
    if (d_->modalLoop != nullptr) d_->modalLoop->quit();
    UnloadControls();
    formsByHandle().erase(d_->handle);
    win::DestroyWindow(d_->handle);
    if (QWidget* w = d_->widget.data()) {
      w->hide();
      w->deleteLater();
    }
    *d_ = Impl{};
  }
  Form_Terminate();
  d_->initialized = false;
}

void Form::RaiseResize() {
  if (IsLoaded() && !Designing() && !d_->unloading) Form_Resize();
}

void Form::RaiseActivate(bool active) {
  if (!IsLoaded() || Designing() || d_->active == active) return;
  d_->active = active;
  active ? Form_Activate() : Form_Deactivate();
}

bool Form::Visible() {
  EnsureLoaded();
  return d_->widget->isVisible();
}
void Form::Visible(bool v) { v ? Show() : Hide(); }

std::u16string Form::Caption() {
  EnsureLoaded();
  return d_->widget->windowTitle().toStdU16String();
}
void Form::Caption(const std::u16string& v) {
  EnsureLoaded();
  d_->widget->setWindowTitle(QString::fromStdU16String(v));
}

int Form::WindowState() {
  EnsureLoaded();
  const auto s = d_->widget->windowState();
  if (s & Qt::WindowMinimized) return vbMinimized;
  if (s & Qt::WindowMaximized) return vbMaximized;
  return vbNormal;
}
void Form::WindowState(int v) {
  EnsureLoaded();
  if (v != vbNormal && v != vbMinimized && v != vbMaximized) Raise(380);
  const Qt::WindowState s = v == vbMinimized ? Qt::WindowMinimized : v == vbMaximized ? Qt::WindowMaximized : Qt::WindowNoState;
  d_->widget->setWindowState(s);
}

int Form::BorderStyle() {
  EnsureLoaded();
  return d_->borderStyle;
}
void Form::BorderStyle(int v) {
  EnsureLoaded();
  if (v < vbBSNone || v > vbSizableToolWindow) Raise(380);
  d_->borderStyle = v;
  QWidget* w = d_->widget;
  const bool visible = w->isVisible();
  w->setWindowFlags(FlagsFor(v, d_->controlBox, w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
  if (FixedSize(v)) {
    w->setFixedSize(w->size());
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
  w->setWindowFlags(FlagsFor(d_->borderStyle, v, w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
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

vb::Font Form::Font() {
  EnsureLoaded();
  return d_->font;
}
void Form::Font(const vb::Font& v) {
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
  return Tw(d_->widget->frameGeometry().width());
}
void Form::Width(float v) { Move(Left(), Top(), v); }
float Form::Height() {
  EnsureLoaded();
  return Tw(d_->widget->frameGeometry().height());
}
void Form::Height(float v) { Move(Left(), Top(), -1, v); }

void Form::Move(float left, float top, float width, float height) {
  EnsureLoaded();
  QWidget* w = d_->widget;
  const QMargins m = FrameOf(*w);
  w->move(Px(left), Px(top));
  QSize inner = w->size();
  if (width >= 0) inner.setWidth(std::max(0, Px(width) - m.left() - m.right()));
  if (height >= 0) inner.setHeight(std::max(0, Px(height) - m.top() - m.bottom()));
  if (FixedSize(d_->borderStyle)) {
    w->setFixedSize(inner);
  } else {
    w->resize(inner);
  }
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

namespace vb::testing {

void QueueModalAction(std::function<void()> action) { modalActions().push_back(std::move(action)); }

std::size_t PendingModalActions() { return modalActions().size(); }

bool SaveWindowPicture(win::HWND h, const std::u16string& path) {
  QWidget* w = platform::detail::WidgetOf(h);
  return w != nullptr && w->grab().save(QString::fromStdU16String(path), "PNG");
}

}  // namespace vb::testing
