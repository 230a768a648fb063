#include "controls/timer.h"

#include <array>

#include "platform/vb/error.h"
#include "platform/win/window.h"

struct MTimerAccess {
  static win::UINT_PTR& Id(CTimer& t) { return t.timerId_; }
  static std::int32_t& IntervalField(CTimer& t) { return t.interval_; }
};

namespace {

std::array<std::shared_ptr<CTimer>, MTimer::kSlots>& slots() {
  static std::array<std::shared_ptr<CTimer>, MTimer::kSlots> s;
  return s;
}
// The highest slot ever filled (1-based); it never goes down.
int highWater = 0;

[[noreturn]] void RaiseOwn(std::int32_t code, const char16_t* text) {
  vb::Raise(vb::vbObjectError | code, vb::ErrorSource(u"WindowProc"), text);
}

}  // namespace

std::shared_ptr<CTimer> CTimer::Create() { return std::shared_ptr<CTimer>(new CTimer()); }

CTimer::~CTimer() {
  // Only reached once no slot holds the object, so there is no platform timer left to stop; the
  // interval is cleared for symmetry with an explicit stop.
  interval_ = 0;
}

void CTimer::SetInterval(std::int32_t v) {
  if (v >= 1) {
    if (v == interval_) return;
    if (interval_ != 0) MTimer::TimerDestroy(*this);
    interval_ = v;
    if (!MTimer::TimerCreate(*this)) RaiseOwn(MTimer::kCantCreateTimer, u"Can't create system timer");
  } else if (interval_ > 0) {
    interval_ = 0;
    MTimer::TimerDestroy(*this);
  }
}

void CTimer::PulseTimer() {
  if (ThatTime) ThatTime();
}

namespace MTimer {

bool TimerCreate(CTimer& timer) {
  auto& id = MTimerAccess::Id(timer);
  id = win::SetTimer(0, 0, static_cast<win::UINT>(timer.Interval()), &TimerProc);
  if (id == 0) {
    timer.SetInterval(0);
    return false;
  }
  auto& s = slots();
  for (int n = 0; n < kSlots; ++n) {
    if (!s[n]) {
      s[n] = timer.shared_from_this();
      if (n + 1 > highWater) highWater = n + 1;
      return true;
    }
  }
  // No slot is free: the platform timer just started would tick for nobody, so it goes first.
  win::KillTimer(0, id);
  id = 0;
  MTimerAccess::IntervalField(timer) = 0;
  RaiseOwn(kTooManyTimers, u"No more than 10 timers allowed per class");
}

bool TimerDestroy(CTimer& timer) {
  auto& s = slots();
  const win::UINT_PTR id = MTimerAccess::Id(timer);
  for (int n = 0; n < highWater; ++n) {
    if (s[n] && MTimerAccess::Id(*s[n]) == id) {
      win::KillTimer(0, id);
      // The slot's reference may be the object's last: drop it only after the work on it is done.
      std::shared_ptr<CTimer> keep = std::move(s[n]);
      return true;
    }
  }
  return false;
}

void TimerProc(win::HWND, win::UINT, win::UINT_PTR id, win::DWORD) {
  auto& s = slots();
  for (int n = 0; n < highWater; ++n) {
    if (s[n] && MTimerAccess::Id(*s[n]) == id) {
      std::shared_ptr<CTimer> timer = s[n];  // alive through its own event, which may stop it
      timer->PulseTimer();
      return;
    }
  }
  if (highWater == 0) win::KillTimer(0, id);
}

int RunningCount() {
  int n = 0;
  for (auto& t : slots())
    if (t) ++n;
  return n;
}

}  // namespace MTimer
