// The runtime's event-loop helpers.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

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

// A drawing paced to the screen's frames, for a window that shows each of many quick changes (a
// progress bar's steps). The screen shows one picture a frame: a change made within a frame of the
// last pass of the events waits, and is drawn once that frame has ended, by the next change or
// step that finds it so, or by the event loop then when none comes. A change drawn at once lets
// the events run after it, so that it shows and a click made meanwhile arrives within a frame.
class PacedDrawing {
 public:
  explicit PacedDrawing(std::function<void()> draw) : draw_(std::move(draw)) {}
  ~PacedDrawing() { Forget(); }
  PacedDrawing(const PacedDrawing&) = delete;
  PacedDrawing& operator=(const PacedDrawing&) = delete;

  // A change to show: drawn now when `atOnce` or when the frame has ended, else kept for its end.
  void Change(bool atOnce);
  // A step that shows nothing new: the events run once a frame, and a change kept back is drawn
  // when they do.
  void Step() {
    if (DoEventsOncePerFrame() && waiting_) Draw();
  }
  // Drops a change kept back (the window is drawn anew, or it went).
  void Forget();
  // True while a change is kept back.
  bool Waiting() const { return waiting_; }

 private:
  friend void DrawWaitingChanges();
  void Draw();

  std::function<void()> draw_;
  bool waiting_ = false;
};

}  // namespace vb
