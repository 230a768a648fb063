// Waiting on the interface thread for something another program holds (a file another copy of the
// program is rewriting), with the windows answering meanwhile: they repaint, follow the window
// manager and answer its pings, while nothing of the program's own runs. Typed keys and clicks wait
// in the queue until the wait is over, timers do not fire, and a request to close a window is
// refused, so no command, timer or close can start in the middle of the work that waits.
//
// Off the interface thread (or with no application) the wait simply sleeps between its tries.
#pragma once

#include <chrono>
#include <functional>

namespace vb {

// The clock a wait measures its bound by; tests replace it (platform/testing/vb.h).
using WaitClock = std::function<std::chrono::steady_clock::time_point()>;

// Asks `ready` at once and then again each time events have run (at least every 20 ms) until it is
// true, and says so; false when it is still false after `bound`.
bool WaitAnswering(const std::function<bool()>& ready, std::chrono::milliseconds bound);

namespace detail {
WaitClock& AnsweringWaitClock();
}  // namespace detail

}  // namespace vb
