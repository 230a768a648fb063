#include "platform/vb/usercontrol.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/form.h"
#include "platform/vb/strings.h"
#include "platform/win/window_record.h"

namespace vb {

// --- PropertyBag ----------------------------------------------------------------------------------

const PropertyBag::Value* PropertyBag::Find(std::u16string_view name) const {
  auto it = values_.find(LCase(name));
  return it == values_.end() ? nullptr : &it->second;
}
void PropertyBag::Store(std::u16string_view name, Value v) { values_[LCase(name)] = std::move(v); }
void PropertyBag::Erase(std::u16string_view name) { values_.erase(LCase(name)); }
std::vector<std::u16string> PropertyBag::Names() const {
  std::vector<std::u16string> out;
  for (const auto& [k, v] : values_) out.push_back(k);
  return out;
}

// --- UserControl ----------------------------------------------------------------------------------

namespace {

// The custom control's window: shows the window's retained surface, which the control draws on
// through the drawing layer, over its background colour.
class UserControlWidget : public QWidget {
 public:
  UserControlWidget(QWidget* parent, UserControl* owner) : QWidget(parent), owner_(owner) { setMouseTracking(true); }

 protected:
  void paintEvent(QPaintEvent*) override {
    const win::HWND h = platform::detail::HandleOfWidget(this);
    // What the control draws while it paints is shown by this paint; it must not ask for another.
    if (auto* rec = platform::detail::FindRecord(h)) rec->painting = true;
    owner_->RaisePaint();
    auto* rec = platform::detail::FindRecord(h);
    if (rec != nullptr) rec->painting = false;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (rec != nullptr && !rec->surface.isNull()) p.drawImage(0, 0, rec->surface);
  }
  void resizeEvent(QResizeEvent*) override {
    // The surface follows the window's size: what lay beyond a shrunk edge does not come back.
    const win::HWND h = platform::detail::HandleOfWidget(this);
    if (auto* rec = platform::detail::FindRecord(h); rec != nullptr && !rec->surface.isNull()) platform::gdi::SurfaceOf(h);
    owner_->RaiseResize();
  }

 private:
  UserControl* owner_;
};

}  // namespace

UserControl::UserControl(Container& container) : Control(container) {}

UserControl::~UserControl() = default;

void UserControl::EnsureLoaded() { ContainerOf().OwningHost().EnsureLoaded(); }

void UserControl::CreateControlWindow() {
  ready_ = false;
  changed_.clear();
  auto* w = new UserControlWidget(platform::detail::ContainerWidget(*this), this);
  w->setAutoFillBackground(false);
  platform::detail::Adopt(*this, w, "ThunderUserControl");
  // Disabled, a custom control stops input but keeps the looks of what it holds.
  if (auto* rec = platform::detail::FindRecord(core().handle)) rec->greysWhenDisabled = false;
  platform::detail::ApplyColors(w, core().back, core().fore);
  LoadControls(core().handle);
  UserControl_Initialize();
}

void UserControl::AfterDesign() {
  if (design_.Empty()) {
    UserControl_InitProperties();
  } else {
    PropertyBag bag = design_;
    UserControl_ReadProperties(bag);
  }
  ready_ = true;
  UserControl_Resize();
}

void UserControl::BeforeUnload() {
  UserControl_Terminate();
  ready_ = false;
  UnloadControls();
}

void UserControl::BackColorChanged() {
  if (auto* rec = platform::detail::FindRecord(core().handle); rec != nullptr && !rec->surface.isNull())
    rec->surface.fill(platform::detail::ToQColor(core().back));
  core().widget->update();
}

void UserControl::RaiseResize() {
  if (ready_ && !Control::EventsMuted()) platform::detail::FromEventLoop([this] { UserControl_Resize(); });
}

void UserControl::RaisePaint() {
  if (ready_ && !Control::EventsMuted()) platform::detail::FromEventLoop([this] { UserControl_Paint(); });
}

void UserControl::RaiseMouse(int kind, int button, int shift, float x, float y) {
  if (!ready_ || Control::EventsMuted()) return;
  switch (kind) {
    case 0: UserControl_MouseDown(button, shift, x, y); break;
    case 1: UserControl_MouseMove(button, shift, x, y); break;
    default: UserControl_MouseUp(button, shift, x, y); break;
  }
}

void UserControl::HandleMouse(win::UINT msg, int button, int shift, float x, float y) {
  const bool down = msg == win::WM_LBUTTONDOWN || msg == win::WM_RBUTTONDOWN || msg == win::WM_MBUTTONDOWN;
  const bool up = msg == win::WM_LBUTTONUP || msg == win::WM_RBUTTONUP || msg == win::WM_MBUTTONUP;
  if (down || up || msg == win::WM_MOUSEMOVE) RaiseMouse(down ? 0 : up ? 2 : 1, button, shift, x, y);
}

Form* UserControl::OwningForm() { return platform::detail::FormOf(*this); }

PropertyBag UserControl::SaveProperties() {
  EnsureWindow();
  PropertyBag bag;
  UserControl_WriteProperties(bag);
  return bag;
}

// A run of notices for one property (a progress value set at every step) is noted once, so the log
// does not grow with the run.
void UserControl::PropertyChanged(std::u16string_view name) {
  if (changed_.empty() || changed_.back() != name) changed_.emplace_back(name);
}

AmbientProperties UserControl::Ambient() {
  EnsureWindow();
  AmbientProperties a;
  if (Form* f = platform::detail::FormOf(*this)) {
    a.Font = f->Font();
    a.BackColor = f->BackColor();
  }
  return a;
}

float UserControl::ScaleWidth() {
  EnsureWindow();
  return platform::detail::Tw(core().widget->width());
}
float UserControl::ScaleHeight() {
  EnsureWindow();
  return platform::detail::Tw(core().widget->height());
}

// The inner window stands right after the control in the Tab order, so the keys that leave it find
// the control's neighbours; the control hands the focus on to it.
void UserControl::KeepFocusIn(win::HWND inner) {
  EnsureWindow();
  QWidget* own = core().widget;
  QWidget* in = platform::detail::WidgetOf(inner);
  if (own == nullptr || in == nullptr || !own->isAncestorOf(in)) return;
  own->setFocusProxy(nullptr);
  own->setFocusPolicy(Qt::TabFocus);
  in->setFocusPolicy(Qt::TabFocus);
  QWidget::setTabOrder(own, in);
  own->setFocusProxy(in);
}

}  // namespace vb
