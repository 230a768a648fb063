// Timer: a control without a window of its own on screen that raises Tick at its interval.
#pragma once

#include <functional>

#include "platform/vb/control.h"

namespace vb {

// A timer ticks while Enabled with an Interval above 0 and its window loaded. Enabling a running
// timer changes nothing; a new Interval starts the count again. Its tick is the Tick event (the
// runtime's Timer event); a tick that falls due while the handler of the last one still runs (it
// let events run) is skipped. Ticks run over the window layer's SetTimer, on the timer's own window
// with identifier 1, so tests run one with platform::testing::FireTimer(t.hWnd(), 1).
//
// A timer that polls state whose changes it can be told of need not wake the program while nothing
// changes: with WaitsForWake set it stays Enabled but ticks only once after each Wake() (several
// wakes before that tick give the one tick), at its interval as usual.
class Timer : public Control {
 public:
  explicit Timer(Container& c) : Control(c) {}
  int Interval();
  void Interval(int v);
  bool Enabled();
  void Enabled(bool v);
  bool WaitsForWake();
  void WaitsForWake(bool v);
  // Something the timer's handler reads may have changed: one more tick is due.
  void Wake();

  std::function<void()> Tick;

 protected:
  void CreateControlWindow() override;
  // The timer's window got its WM_TIMER: the tick.
  void HandleTimer() override;

 private:
  void Restart();
  int interval_ = 0;
  bool enabled_ = true;
  bool ticking_ = false;  // a tick does not start again while its handler runs
  bool waitsForWake_ = false;
  bool woken_ = false;  // a tick is due since the last Wake()
};

}  // namespace vb
