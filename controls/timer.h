// A timer object that raises ThatTime at its interval without needing a window. All timer objects
// share one thread-timer callback, which finds the object again through a process-wide table of 100
// slots.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/win/types.h"

class CTimer : public std::enable_shared_from_this<CTimer> {
 public:
  // Timer objects are shared: the table keeps a running one alive until its interval is set to 0.
  static std::shared_ptr<CTimer> Create();
  ~CTimer();
  CTimer(const CTimer&) = delete;
  CTimer& operator=(const CTimer&) = delete;

  std::int32_t Interval() const { return interval_; }
  // 1 or more starts the timer or changes its interval (a new platform timer); the same interval
  // again changes nothing; 0 or less stops it.
  void SetInterval(std::int32_t iIntervalA);
  void PulseTimer();

  std::function<void()> ThatTime;

 private:
  CTimer() = default;
  friend struct MTimerAccess;
  std::int32_t interval_ = 0;
  win::UINT_PTR timerId_ = 0;
};

namespace MTimer {

constexpr std::int32_t kTooManyTimers = 13651;
constexpr std::int32_t kCantCreateTimer = 13652;
constexpr int kSlots = 100;

bool TimerCreate(CTimer& timer);
bool TimerDestroy(CTimer& timer);
void TimerProc(win::HWND hwnd, win::UINT msg, win::UINT_PTR id, win::DWORD time);
// The number of running timer objects.
int RunningCount();

}  // namespace MTimer
