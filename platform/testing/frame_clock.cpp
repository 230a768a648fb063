#include "platform/testing/frame_clock.h"

#include <thread>

#include "platform/vb/frame_clock.h"
#include "platform/vb/runtime.h"

namespace platform::testing {

HeldFrameClock::HeldFrameClock() { vb::detail::HoldFrameClock(true); }

HeldFrameClock::~HeldFrameClock() { vb::detail::HoldFrameClock(false); }

void HeldFrameClock::Advance(std::chrono::nanoseconds by) { vb::detail::AdvanceFrameClock(by); }

void LetAFramePass() {
  vb::detail::AdvanceFrameClock(vb::kFrame);
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (vb::FrameIsQuiet() && std::chrono::steady_clock::now() < giveUp) std::this_thread::yield();
}

}  // namespace platform::testing
