#include "platform/vb/runtime.h"

#include <QCoreApplication>
#include <time.h>

#include <cstdint>

namespace vb {

namespace {

constexpr std::int64_t kFrameNs = 16'000'000;
std::int64_t lastRunNs = 0;

// The coarse monotonic clock: a frame's pacing needs no finer steps than the kernel's tick, and
// reading it costs a few nanoseconds where a loop calls it at every step.
std::int64_t NowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

void DoEvents() {
  lastRunNs = NowNs();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void DoEventsOncePerFrame() {
  if (NowNs() - lastRunNs >= kFrameNs) DoEvents();
}

}  // namespace vb
