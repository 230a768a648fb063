// The clock that paces the event loop's passes and the drawing of quick changes (runtime.h): the
// steady clock, or, while a test holds it (platform/testing/frame_clock.h), a clock that stands
// still until the test moves it on, so that what happens once a frame is tested without waiting
// for real time.
#pragma once

#include <chrono>

namespace vb {

using FrameTime = std::chrono::steady_clock::time_point;

// Now, by the pacing's clock.
FrameTime FrameClockNow();

namespace detail {
// Holds the pacing's clock still at the present time, or lets it run with the steady clock again.
void HoldFrameClock(bool hold);
// Moves the held clock on; a wait for a frame's end that comes with it ends.
void AdvanceFrameClock(std::chrono::nanoseconds by);
}  // namespace detail

}  // namespace vb
