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
  waitsForWake_ = false;
  woken_ = false;
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
bool Timer::WaitsForWake() {
  EnsureWindow();
  return waitsForWake_;
}
void Timer::WaitsForWake(bool v) {
  EnsureWindow();
  if (v == waitsForWake_) return;
  waitsForWake_ = v;
  woken_ = false;
  Restart();
}
// Never loads the timer's window: a timer not loaded yet does not wait for wakes.
void Timer::Wake() {
  if (!waitsForWake_ || woken_) return;
  woken_ = true;
  Restart();
}
// The system timer runs while the timer is enabled and, when it waits for wakes, woken.
void Timer::Restart() {
  const win::HWND h = core().handle;
  if (h == 0) return;
  win::KillTimer(h, 1);
  if (enabled_ && interval_ > 0 && (!waitsForWake_ || woken_))
    win::SetTimer(h, 1, static_cast<win::UINT>(interval_), nullptr);
}
void Timer::HandleTimer() {
  if (!enabled_ || interval_ == 0 || ticking_) return;  // a due wake stays due
  if (waitsForWake_) {
    // Asleep again before the handler runs, so that a change the handler makes or lets happen
    // wakes it once more.
    woken_ = false;
    win::KillTimer(core().handle, 1);
  }
  ticking_ = true;
  EventScope scope(this);
  RaiseEvent(Tick);
  ticking_ = false;
}

}  // namespace vb
