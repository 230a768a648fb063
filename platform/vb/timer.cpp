#include "platform/vb/timer.h"

#include <QWidget>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;

void Timer::CreateControlWindow() {
  interval_ = 0;
  enabled_ = true;
  auto* w = new QWidget(ContainerWidget(*this));
  Adopt(*this, w, "ThunderTimer");
  w->hide();
}
int Timer::Interval() {
  EnsureWindow();
  return interval_;
}
void Timer::Interval(int v) {
  EnsureWindow();
  if (v < 0 || v > 65535) Raise(err::kInvalidPropertyValue);
  interval_ = v;
  Restart();
}
bool Timer::Enabled() {
  EnsureWindow();
  return enabled_;
}
void Timer::Enabled(bool v) {
  EnsureWindow();
  if (v == enabled_) return;  // enabling a running timer does not start its count again
  enabled_ = v;
  Restart();
}
void Timer::Restart() {
  const win::HWND h = core().handle;
  if (h == 0) return;
  win::KillTimer(h, 1);
  if (enabled_ && interval_ > 0) win::SetTimer(h, 1, static_cast<win::UINT>(interval_), nullptr);
}
void Timer::HandleTimer() {
  if (!enabled_ || interval_ == 0 || ticking_) return;
  ticking_ = true;
  EventScope scope(this);
  RaiseEvent(Tick);
  ticking_ = false;
}

}  // namespace vb
