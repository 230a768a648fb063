#include "platform/vb/control.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/form.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "platform/vb/window_control.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {

// The window procedure's way to the control's message hooks.
struct ControlAccess {
  static void Mouse(vb::Control& c, win::UINT msg, win::WPARAM w, win::LPARAM l);
  static void Timer(vb::Control& c) { c.HandleTimer(); }
  static bool TakesEnterAsText(const vb::Control& c) { return c.TakesEnterAsText(); }
  static bool AnswersDialogKey(vb::Control& c, int vk, bool focused) { return c.AnswersDialogKey(vk, focused); }
  static void PressForDialogKey(vb::Control& c) { c.PressForDialogKey(); }
};

namespace {

std::unordered_map<win::HWND, vb::Control*>& controlsByHandle() {
  static std::unordered_map<win::HWND, vb::Control*> m;
  return m;
}

// The dialog keys of the control with the keyboard: a single-line box hands Enter to the form's
// buttons, a multi-line one keeps it as a line break.
bool DialogKey(vb::Control& focused, int vk) {
  vb::Form* form = FormOf(focused);
  if (form == nullptr) return false;
  if (vk == win::VK_RETURN && ControlAccess::TakesEnterAsText(focused)) return false;
  return PressDialogButton(*form, vk, &focused);
}

int MouseButtonOf(win::UINT msg, win::WPARAM w) {
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK: return vb::vbLeftButton;
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_RBUTTONDBLCLK: return vb::vbRightButton;
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONUP:
    case win::WM_MBUTTONDBLCLK: return vb::vbMiddleButton;
    default: {
      int b = 0;
      if (w & win::MK_LBUTTON) b |= vb::vbLeftButton;
      if (w & win::MK_RBUTTON) b |= vb::vbRightButton;
      if (w & win::MK_MBUTTON) b |= vb::vbMiddleButton;
      return b;
    }
  }
}

}  // namespace

// The procedure every control's window starts with: turns its messages into the control's events,
// then hands them to the widget's own handling.
win::LRESULT ControlProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l);


win::LRESULT ControlEvents(vb::Control* c, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l);

win::LRESULT ControlProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  vb::Control* c = ControlOfHandle(h);
  if (c == nullptr) return win::DefWindowProcA(h, msg, w, l);
  vb::Control::EventScope scope(c);
  win::LRESULT result = 0;
  bool failed = true;
  FromEventLoop([&] {
    result = ControlEvents(c, h, msg, w, l);
    failed = false;
  });
  // A handler that failed does not hand its input on.
  return failed ? 0 : result;
}

// Enter or Esc that pressed a button: its character is not the control's.
bool dialogKeyTaken = false;

win::LRESULT ControlEvents(vb::Control* c, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDBLCLK:
      ControlAccess::Mouse(*c, msg, w, l);
      break;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP: {
      const bool down = msg == win::WM_KEYDOWN || msg == win::WM_SYSKEYDOWN;
      int code = static_cast<int>(w);
      const int shift = ShiftState();
      vb::Form* form = FormOf(*c);
      if (form != nullptr && form->IsLoaded() && !form->Designing() && form->KeyPreview()) {
        down ? form->RaiseKeyDown(code, shift) : form->RaiseKeyUp(code, shift);
        if (code == 0) return 0;
      }
      if (down) {
        if (c->KeyDown && !c->EventsMuted()) c->KeyDown(code, shift);
      } else if (c->KeyUp && !c->EventsMuted()) {
        c->KeyUp(code, shift);
      }
      if (code == 0) return 0;
      if (down && ControlOfHandle(h) != nullptr && DialogKey(*c, code)) {
        dialogKeyTaken = true;
        return 0;
      }
      break;
    }
    case win::WM_CHAR: {
      int ascii = static_cast<int>(w);
      if (dialogKeyTaken && (ascii == 13 || ascii == 27)) {
        dialogKeyTaken = false;
        return 0;
      }
      dialogKeyTaken = false;
      vb::Form* form = FormOf(*c);
      if (form != nullptr && form->IsLoaded() && !form->Designing() && form->KeyPreview()) {
        form->RaiseKeyPress(ascii);
        if (ascii == 0) return 0;
      }
      if (c->KeyPress && !c->EventsMuted()) c->KeyPress(ascii);
      if (ascii == 0) return 0;
      // Enter and Esc went to the dialog keys; a single-line box does not take them as text.
      if (ascii == 27 || (ascii == 13 && !ControlAccess::TakesEnterAsText(*c))) return 0;
      break;
    }
    case win::WM_TIMER:
      ControlAccess::Timer(*c);
      return 0;
    case win::WM_SETFOCUS:
      if (c->GotFocus && !c->EventsMuted()) c->GotFocus();
      break;
    case win::WM_KILLFOCUS:
      if (c->LostFocus && !c->EventsMuted()) c->LostFocus();
      break;
    default:
      break;
  }
  return win::DefWindowProcA(h, msg, w, l);
}

void ControlAccess::Mouse(vb::Control& c, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  if (c.EventsMuted()) return;
  float x = 0, y = 0;
  c.PixelsToUnits(win::GET_X_LPARAM(l), win::GET_Y_LPARAM(l), x, y);
  c.HandleMouse(msg, MouseButtonOf(msg, w), ShiftState(), x, y);
}

void RegisterControlWindow(vb::Control& c, win::HWND h) { controlsByHandle()[h] = &c; }

vb::Control* ControlOfHandle(win::HWND h) {
  auto& m = controlsByHandle();
  auto it = m.find(h);
  return it == m.end() ? nullptr : it->second;
}

vb::Form* FormOf(vb::Control& c) { return c.ContainerOf().OwningHost().OwningForm(); }

bool PressDialogButton(vb::Form& form, int vk, vb::Control* focused) {
  if (vk != win::VK_RETURN && vk != win::VK_ESCAPE) return false;
  if (QApplication::activePopupWidget() != nullptr) return false;
  vb::Control* target = focused != nullptr && ControlAccess::AnswersDialogKey(*focused, vk, true) ? focused : nullptr;
  for (auto it = form.Controls().begin(); target == nullptr && it != form.Controls().end(); ++it) {
    vb::Control* c = *it;
    if (c->core().widget != nullptr && ControlAccess::AnswersDialogKey(*c, vk, false)) target = c;
  }
  if (target == nullptr || !target->core().widget->isEnabled() || !target->core().widget->isVisible()) return false;
  ControlAccess::PressForDialogKey(*target);
  return true;
}

bool PressDialogButtonFrom(win::HWND h, int vk) {
  vb::Control* c = ControlOfHandle(h);
  vb::Form* form = c != nullptr ? FormOf(*c) : nullptr;
  return form != nullptr && PressDialogButton(*form, vk, nullptr);
}

QWidget* ContainerWidget(vb::Control& c) { return WidgetOf(c.ContainerOf().ContainerHandle()); }

void Adopt(vb::Control& c, QWidget* w, const char* className, bool takesChildInput) {
  ControlCore& core = c.core();
  core.widget = w;
  core.mousePointer = vb::vbDefault;
  core.mouseIcon = nullptr;
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  core.handle = AttachWidget(w, className, &ControlProc, takesChildInput);
  controlsByHandle()[core.handle] = &c;
  // A new control takes its container's font, as a control placed on a window does.
  QWidget* parent = w->parentWidget();
  if (parent != nullptr) w->setFont(parent->font());
  if (vb::Form* f = FormOf(c); f != nullptr && f->IsLoaded()) core.font = f->Font();
  w->setFont(ToQFont(core.font));
  w->show();
}

void DestroyControlWindow(vb::Control& c) {
  ControlCore& core = c.core();
  if (core.handle != 0) {
    controlsByHandle().erase(core.handle);
    win::DestroyWindow(core.handle);
    core.handle = 0;
  }
  if (QWidget* w = core.widget.data()) {
    w->hide();
    w->setParent(nullptr);
    DestroyWidgetWhenEventsReturn(w);
  }
  core.widget = nullptr;
}

QColor ToQColor(vb::OLE_COLOR c) {
  // System colours come from the drawing layer's table; a colour it cannot translate shows as the
  // button face.
  win::COLORREF rgb = 0;
  if (win::OleTranslateColor(c, 0, &rgb) != win::S_OK) rgb = win::GetSysColor(win::COLOR_BTNFACE);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

QFont ToQFont(const vb::StdFont& f) {
  QFont q(platform::gdi::FontFamily(QString::fromStdU16String(f.Name)));
  // Point sizes are taken at 96 dots per inch, whatever the screen says.
  q.setPixelSize(std::max(1, static_cast<int>(f.Size * 96.0f / 72.0f + 0.5f)));
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  q.setStrikeOut(f.Strikethrough);
  return q;
}

void ApplyColors(QWidget* w, vb::OLE_COLOR back, vb::OLE_COLOR fore) {
  QPalette p = w->palette();
  const QColor b = ToQColor(back), f = ToQColor(fore);
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, b);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, f);
  w->setPalette(p);
}

void ApplyPointer(vb::Control& c) {
  ControlCore& core = c.core();
  QWidget* w = core.widget.data();
  if (w == nullptr) return;
  std::optional<QCursor> cursor;
  if (core.mousePointer == vb::vbCustom) {
    if (core.mouseIcon != nullptr) cursor = platform::gdi::CursorOfHandle(core.mouseIcon->Handle());
  } else if (core.mousePointer != vb::vbDefault) {
    cursor = QCursor(CursorOf(core.mousePointer));
  }
  if (cursor) {
    w->setCursor(*cursor);
  } else {
    w->unsetCursor();
  }
}

Qt::CursorShape CursorOf(int mousePointer) {
  switch (mousePointer) {
    case vb::vbArrow: return Qt::ArrowCursor;
    case vb::vbCrosshair: return Qt::CrossCursor;
    case vb::vbIbeam: return Qt::IBeamCursor;
    case vb::vbSizeAll: return Qt::SizeAllCursor;
    case vb::vbSizeNESW: return Qt::SizeBDiagCursor;
    case vb::vbSizeNS: return Qt::SizeVerCursor;
    case vb::vbSizeNWSE: return Qt::SizeFDiagCursor;
    case vb::vbSizeWE: return Qt::SizeHorCursor;
    case vb::vbUpArrow: return Qt::UpArrowCursor;
    case vb::vbHourglass: return Qt::WaitCursor;
    case vb::vbNoDrop: return Qt::ForbiddenCursor;
    case vb::vbArrowHourglass: return Qt::BusyCursor;
    case vb::vbArrowQuestion: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

void ReportUnhandledError(const vb::Error& e) {
  vb::MsgBox(u"Ошибка выполнения '" + vb::CStr(static_cast<std::int64_t>(e.Number)) + u"':\r\n\r\n" + e.Description,
             vb::vbCritical);
}

int ShiftState() {
  int s = 0;
  if (win::GetKeyState(win::VK_SHIFT) & 0x8000) s |= vb::vbShiftMask;
  if (win::GetKeyState(win::VK_CONTROL) & 0x8000) s |= vb::vbCtrlMask;
  if (win::GetKeyState(win::VK_MENU) & 0x8000) s |= vb::vbAltMask;
  return s;
}

}  // namespace platform::detail

namespace vb {

using platform::detail::ControlCore;

namespace {
// Runs its function when destroyed; destroyed through the event loop's deferred deletion.
class DeferredDestruction : public QObject {
 public:
  explicit DeferredDestruction(std::function<void()> f) : f_(std::move(f)) {}
  ~DeferredDestruction() override { f_(); }

 private:
  std::function<void()> f_;
};
}  // namespace

namespace {
int eventDepth = 0;
std::vector<std::function<void()>>& pendingDestruction() {
  static std::vector<std::function<void()>> p;
  return p;
}
}  // namespace

// Destruction waits for the outermost running event (a window unloaded by a Cancel pressed while a
// redraw let events run is still under the click that runs the loop), then for the event loop.
void DestroyWhenEventsReturn(std::function<void()> destroy) {
  if (eventDepth > 0) {
    pendingDestruction().push_back(std::move(destroy));
  } else {
    (new DeferredDestruction(std::move(destroy)))->deleteLater();
  }
}

void WindowControlBase::AdoptWindow(win::HWND h) {
  ControlCore& c = core();
  c.widget = platform::detail::WidgetOf(h);
  c.handle = h;
  platform::detail::RegisterControlWindow(*this, h);
  if (c.widget != nullptr) c.widget->show();
}

using platform::detail::HostCore;
using platform::detail::Px;
using platform::detail::Tw;

// --- Host ----------------------------------------------------------------------------------------

Host::Host() : hostCore_(std::make_unique<HostCore>()) {}
Host::~Host() = default;

bool Host::IsLoaded() const { return hostCore_->loaded; }
bool Host::Designing() const { return hostCore_->designing; }

const std::vector<Control*>& Host::Controls() const { return hostCore_->controls; }

void Host::AtUnload(std::function<void()> hook) { hostCore_->unloadHooks.push_back(std::move(hook)); }

void Host::LoadControls(win::HWND self) {
  HostCore& h = *hostCore_;
  h.self = self;
  h.loaded = true;
  h.designing = true;
  // Controls made while loading (control-array elements of Design) add themselves to the list.
  for (std::size_t i = 0; i < h.controls.size(); ++i)
    if (h.controls[i]->core_->widget == nullptr && !h.controls[i]->doomed_) h.controls[i]->CreateControlWindow();
  Design();
  h.designing = false;
  const std::vector<Control*> created = h.controls;
  for (Control* c : created)
    if (!c->doomed_) c->AfterDesign();
}

void Host::UnloadControls() {
  HostCore& h = *hostCore_;
  const std::vector<Control*> controls = h.controls;
  for (Control* c : controls) c->BeforeUnload();
  for (auto it = h.controls.rbegin(); it != h.controls.rend(); ++it) platform::detail::DestroyControlWindow(**it);
  for (auto& hook : h.unloadHooks) hook();
  h.loaded = false;
  h.self = 0;
}

// --- Control -------------------------------------------------------------------------------------

Control::EventScope::EventScope(Control* c) : control(c) { ++c->eventDepth_; }

Control::EventScope::~EventScope() {
  if (--control->eventDepth_ == 0 && control->doomed_) delete control;
}

Control::Control(Container& container)
    : container_(&container), host_(&container.OwningHost()), core_(std::make_unique<ControlCore>()) {
  core_->owner = this;
  HostCore& h = *host_->hostCore_;
  h.controls.push_back(this);
}

void Control::LoadWindow() {
  if (!host_->IsLoaded() || core_->widget != nullptr) return;
  CreateControlWindow();
  if (!host_->Designing()) AfterDesign();
}

Control::~Control() {
  auto& list = host_->hostCore_->controls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  platform::detail::DestroyControlWindow(*this);
}

void Control::DestroyWhenIdle() {
  if (core_->widget != nullptr) BeforeUnload();
  platform::detail::DestroyControlWindow(*this);
  if (eventDepth_ == 0) {
    delete this;
  } else {
    doomed_ = true;
  }
}

bool Control::EventsMuted() const { return !host_->IsLoaded() || host_->Designing(); }

void Control::EnsureWindow() {
  if (!host_->IsLoaded()) host_->EnsureLoaded();
  if (core_->widget == nullptr && host_->IsLoaded()) CreateControlWindow();
}

void Control::HandleMouse(win::UINT msg, int button, int shift, float x, float y) {
  ControlCore& core = *core_;
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
      if (msg == win::WM_LBUTTONDOWN) core.pressed = true;
      if (MouseDown) MouseDown(button, shift, x, y);
      break;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP: {
      if (MouseUp) MouseUp(button, shift, x, y);
      const bool click = msg == win::WM_LBUTTONUP && core.pressed && core.passiveClick;
      core.pressed = false;
      if (click && Click && platform::detail::ControlOfHandle(core.handle) == this) Click();
      break;
    }
    case win::WM_LBUTTONDBLCLK:
      core.pressed = true;
      if (core.passiveClick && DblClick) DblClick();
      break;
    case win::WM_MOUSEMOVE:
      if (MouseMove) MouseMove(button, shift, x, y);
      break;
    default:
      break;
  }
}

void Control::PixelsToUnits(int px, int py, float& x, float& y) {
  x = Tw(px);
  y = Tw(py);
}

static QWidget& W(Control& c) { return *c.core().widget; }

float Control::Left() {
  EnsureWindow();
  return Tw(W(*this).x());
}
void Control::Left(float v) {
  EnsureWindow();
  W(*this).move(Px(v), W(*this).y());
}
float Control::Top() {
  EnsureWindow();
  return Tw(W(*this).y());
}
void Control::Top(float v) {
  EnsureWindow();
  W(*this).move(W(*this).x(), Px(v));
}
float Control::Width() {
  EnsureWindow();
  return Tw(W(*this).width());
}
void Control::Width(float v) {
  EnsureWindow();
  W(*this).resize(std::max(0, Px(v)), W(*this).height());
}
float Control::Height() {
  EnsureWindow();
  return Tw(W(*this).height());
}
void Control::Height(float v) {
  EnsureWindow();
  W(*this).resize(W(*this).width(), std::max(0, Px(v)));
}
void Control::Move(float left, float top, float width, float height) {
  EnsureWindow();
  QWidget& w = W(*this);
  w.setGeometry(Px(left), Px(top), width < 0 ? w.width() : std::max(0, Px(width)),
                height < 0 ? w.height() : std::max(0, Px(height)));
}

bool Control::Visible() {
  EnsureWindow();
  return !W(*this).isHidden();
}
void Control::Visible(bool v) {
  EnsureWindow();
  W(*this).setVisible(v);
}
bool Control::Enabled() {
  EnsureWindow();
  if (auto* r = platform::detail::FindRecord(core().handle); r != nullptr && !r->greysWhenDisabled)
    return !r->inputDisabled;
  return W(*this).isEnabledTo(W(*this).parentWidget());
}
void Control::Enabled(bool v) {
  EnsureWindow();
  // A container stops input without greying what it holds; a control shows itself disabled.
  if (auto* r = platform::detail::FindRecord(core().handle); r != nullptr && !r->greysWhenDisabled) {
    win::EnableWindow(core().handle, v ? win::TRUE : win::FALSE);
    return;
  }
  W(*this).setEnabled(v);
}
std::u16string Control::ToolTipText() {
  EnsureWindow();
  return W(*this).toolTip().toStdU16String();
}
void Control::ToolTipText(const std::u16string& v) {
  EnsureWindow();
  W(*this).setToolTip(QString::fromStdU16String(v));
}
int Control::MousePointer() {
  EnsureWindow();
  return core_->mousePointer;
}
void Control::MousePointer(int v) {
  EnsureWindow();
  core_->mousePointer = v;
  platform::detail::ApplyPointer(*this);
}
vb::Picture Control::MouseIcon() {
  EnsureWindow();
  return core_->mouseIcon;
}
void Control::MouseIcon(const vb::Picture& v) {
  EnsureWindow();
  core_->mouseIcon = v;
  platform::detail::ApplyPointer(*this);
}
vb::StdFont Control::Font() {
  EnsureWindow();
  return core_->font;
}
void Control::Font(const vb::StdFont& v) {
  EnsureWindow();
  core_->font = v;
  W(*this).setFont(platform::detail::ToQFont(v));
  FontChanged();
}
void Control::FontName(const std::u16string& v) {
  vb::StdFont f = Font();
  f.Name = v;
  Font(f);
}
void Control::FontSize(float v) {
  vb::StdFont f = Font();
  f.Size = v;
  Font(f);
}
void Control::FontBold(bool v) {
  vb::StdFont f = Font();
  f.Bold = v;
  Font(f);
}
OLE_COLOR Control::BackColor() {
  EnsureWindow();
  return core_->back;
}
void Control::BackColor(OLE_COLOR v) {
  EnsureWindow();
  core_->back = v;
  platform::detail::ApplyColors(&W(*this), core_->back, core_->fore);
  W(*this).update();
  BackColorChanged();
}
OLE_COLOR Control::ForeColor() {
  EnsureWindow();
  return core_->fore;
}
void Control::ForeColor(OLE_COLOR v) {
  EnsureWindow();
  core_->fore = v;
  platform::detail::ApplyColors(&W(*this), core_->back, core_->fore);
  W(*this).update();
}
int Control::TabIndex() {
  EnsureWindow();
  return core_->tabIndex;
}
void Control::TabIndex(int v) {
  EnsureWindow();
  core_->tabIndex = v;
  // Focus moves through the window's controls in TabIndex order.
  std::vector<Control*> list;
  for (Control* c : host_->hostCore_->controls)
    if (c->core_->widget != nullptr && c->core_->widget->focusPolicy() != Qt::NoFocus) list.push_back(c);
  std::stable_sort(list.begin(), list.end(), [](Control* a, Control* b) { return a->core_->tabIndex < b->core_->tabIndex; });
  for (std::size_t i = 1; i < list.size(); ++i) QWidget::setTabOrder(list[i - 1]->core_->widget, list[i]->core_->widget);
}
void Control::SetFocus() {
  EnsureWindow();
  W(*this).setFocus(Qt::OtherFocusReason);
}
void Control::Refresh() {
  EnsureWindow();
  W(*this).repaint();
}
void Control::ZOrder(int position) {
  EnsureWindow();
  position == 0 ? W(*this).raise() : W(*this).lower();
}
win::HWND Control::hWnd() {
  EnsureWindow();
  return core_->handle;
}
int Control::Index() const { return index_; }

}  // namespace vb

namespace platform::detail {

EventDepth::EventDepth() { ++vb::eventDepth; }

EventDepth::~EventDepth() {
  if (--vb::eventDepth > 0) return;
  auto pending = std::move(vb::pendingDestruction());
  vb::pendingDestruction().clear();
  for (auto& destroy : pending) (new vb::DeferredDestruction(std::move(destroy)))->deleteLater();
}

void DestroyWidgetWhenEventsReturn(QWidget* w) {
  vb::DestroyWhenEventsReturn([widget = QPointer<QWidget>(w)] { delete widget.data(); });
}

}  // namespace platform::detail
