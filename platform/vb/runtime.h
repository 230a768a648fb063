// The runtime's event-loop helpers.
#pragma once

#include <atomic>
#include <chrono>

namespace vb {

// A frame of the screen: what is drawn more often than once a frame is never seen.
inline constexpr std::chrono::milliseconds kFrame{16};

// Runs every pending event and posted message, then returns.
void DoEvents();

// DoEvents when a frame has passed since DoEvents last ran, else nothing: for a loop that
// lets events through at each of many quick steps. A click made meanwhile is still handled within
// a frame, and the steps between cost no pass over an empty queue. True when the events ran.
bool DoEventsOncePerFrame();

namespace detail {
extern std::atomic<bool> frameQuiet;
}  // namespace detail

// True when DoEventsOncePerFrame would do nothing now: the end of the present frame is awaited and
// has not come. Free to ask, for a step that costs a few nanoseconds.
inline bool FrameIsQuiet() { return detail::frameQuiet.load(std::memory_order_relaxed); }

}  // namespace vb
