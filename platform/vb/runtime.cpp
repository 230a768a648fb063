#include "platform/vb/runtime.h"

#include <QCoreApplication>
#include <chrono>

namespace vb {

namespace {

using Clock = std::chrono::steady_clock;
constexpr Clock::duration kFrame = std::chrono::milliseconds(16);
Clock::time_point lastRun;

}  // namespace

void DoEvents() {
  lastRun = Clock::now();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void DoEventsOncePerFrame() {
  if (Clock::now() - lastRun >= kFrame) DoEvents();
}

}  // namespace vb
