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

// Where the container's inside starts in its window: a control is placed from there, so a bordered
// picture box keeps its border around what it holds instead of over it. (A frame places what it
// holds from its outer corner, caption and all.)
static QPoint Origin(QWidget& w) {
  QWidget* container = w.parentWidget();
  if (container == nullptr || !container->property(platform::detail::kPlacesInsideBorder).toBool()) return {};
  return container->contentsRect().topLeft();
}

float Control::Left() {
  EnsureWindow();
  return Tw(W(*this).x() - Origin(W(*this)).x());
}
void Control::Left(float v) {
  EnsureWindow();
  W(*this).move(Px(v) + Origin(W(*this)).x(), W(*this).y());
}
float Control::Top() {
  EnsureWindow();
  return Tw(W(*this).y() - Origin(W(*this)).y());
}
void Control::Top(float v) {
  EnsureWindow();
  W(*this).move(W(*this).x(), Px(v) + Origin(W(*this)).y());
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
  const QPoint origin = Origin(w);
  w.setGeometry(Px(left) + origin.x(), Px(top) + origin.y(), width < 0 ? w.width() : std::max(0, Px(width)),
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
  win::SetFocus(core_->handle);
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
