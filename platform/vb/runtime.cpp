#include "platform/vb/runtime.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/vb/frame_clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <system_error>
#include <thread>
#include <vector>

namespace vb {

namespace detail {
std::atomic<bool> frameQuiet{false};
}  // namespace detail

// Draws every change kept back for the end of its frame (on the UI thread).
void DrawWaitingChanges();

namespace {

using Clock = std::chrono::steady_clock;

// The held clock's time while a test holds it.
std::atomic<bool> clockHeld{false};
std::atomic<FrameTime::rep> heldNow{0};

// Tells the UI thread that a frame has passed since the events last ran. A loop that lets events
// through at each of millions of quick steps then asks a flag, where reading a clock would cost as
// much as the step itself. The thread waits only while such a loop is asking: idle, it sleeps
// until asked again, and it wakes the process for nothing.
class FrameEnd {
 public:
  // Whether the frame that began when the events last ran has ended: as the thread told, or, when
  // nobody awaited its end, as the clock tells.
  bool Passed() const {
    return passed_.load(std::memory_order_relaxed) || (!asked_ && FrameClockNow() - began_ >= kFrame);
  }

  // The events ran now: a new frame begins, and no end is awaited until asked for.
  void Restart() {
    began_ = FrameClockNow();
    asked_ = false;
    detail::frameQuiet.store(false, std::memory_order_relaxed);
    passed_.store(false, std::memory_order_relaxed);
    generation_.fetch_add(1, std::memory_order_relaxed);
  }

  // Has the thread raise the flag when the present frame ends; asking again before then is free.
  void Await() {
    if (asked_) return;
    if (!StartThread()) {
      // No thread to tell the frame's end: each step lets the events run, slow as that is.
      passed_.store(true, std::memory_order_relaxed);
      return;
    }
    asked_ = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      deadline_ = began_ + kFrame;
      awaitedGeneration_ = generation_.load(std::memory_order_relaxed);
      awaiting_ = true;
      // Under the lock: the thread's word that the frame ended, given under it too, comes after.
      detail::frameQuiet.store(true, std::memory_order_relaxed);
    }
    wake_.notify_one();
  }

  // Has the thread hand the changes kept back to the UI thread to be drawn when the present frame
  // ends (at once when it has ended already). Without a thread they wait for the next step.
  void DrawAtEnd() {
    if (!StartThread()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      drawAtEnd_ = true;
      if (!awaiting_) {
        deadline_ = began_ + kFrame;
        awaitedGeneration_ = generation_.load(std::memory_order_relaxed);
        awaiting_ = true;
      }
    }
    wake_.notify_one();
  }

  // Wakes the thread to look at the clock again (it was moved, held or let go).
  void Nudge() {
    { std::lock_guard<std::mutex> lock(mutex_); }
    wake_.notify_all();
  }

 private:
  void Run(std::stop_token stop) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop.stop_requested()) {
      if (!wake_.wait(lock, stop, [this] { return awaiting_; })) return;
      // A later request moves the deadline; the wait starts over with it.
      const FrameTime deadline = deadline_;
      const std::uint64_t generation = awaitedGeneration_;
      if (WaitForDeadline(lock, stop, deadline)) continue;
      if (stop.stop_requested()) return;
      awaiting_ = false;
      // Events that ran meanwhile began another frame: this end is not its end.
      if (generation_.load(std::memory_order_relaxed) == generation) {
        passed_.store(true, std::memory_order_relaxed);
        detail::frameQuiet.store(false, std::memory_order_relaxed);
      }
      if (drawAtEnd_) {
        drawAtEnd_ = false;
        if (QCoreApplication* app = QCoreApplication::instance())
          QMetaObject::invokeMethod(app, &DrawWaitingChanges, Qt::QueuedConnection);
      }
    }
  }

  bool StartThread() {
    if (thread_.joinable()) return true;
    try {
      thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
      return true;
    } catch (const std::system_error&) {
      return false;
    }
  }

  // Waits until the deadline moves (true), or comes or a stop is asked for (false).
  bool WaitForDeadline(std::unique_lock<std::mutex>& lock, std::stop_token stop, FrameTime deadline) {
    const auto moved = [this, deadline] { return deadline_ != deadline; };
    while (clockHeld.load()) {
      const auto due = [&] { return moved() || !clockHeld.load() || FrameClockNow() >= deadline; };
      if (!wake_.wait(lock, stop, due)) return false;
      if (moved()) return true;
      if (clockHeld.load()) return false;
    }
    return wake_.wait_until(lock, stop, deadline, moved);
  }

  // The UI thread's own.
  FrameTime began_{};
  bool asked_ = false;
  // Shared with the thread.
  std::atomic<bool> passed_{false};
  std::atomic<std::uint64_t> generation_{0};
  std::mutex mutex_;
  std::condition_variable_any wake_;
  FrameTime deadline_{};
  std::uint64_t awaitedGeneration_ = 0;
  bool awaiting_ = false;
  bool drawAtEnd_ = false;  // changes wait to be drawn when the awaited frame ends
  std::jthread thread_;  // last: stopped and joined before the rest goes
};

FrameEnd& frameEnd() {
  static FrameEnd f;
  return f;
}

// The drawings whose change waits for the end of its frame (the UI thread's own).
std::vector<PacedDrawing*>& waitingDrawings() {
  static std::vector<PacedDrawing*> w;
  return w;
}

}  // namespace

FrameTime FrameClockNow() {
  return clockHeld.load(std::memory_order_relaxed) ? FrameTime(FrameTime::duration(heldNow.load())) : Clock::now();
}

void detail::HoldFrameClock(bool hold) {
  if (hold) heldNow.store(Clock::now().time_since_epoch().count());
  clockHeld.store(hold);
  frameEnd().Nudge();
}

void detail::AdvanceFrameClock(std::chrono::nanoseconds by) {
  heldNow.fetch_add(std::chrono::duration_cast<FrameTime::duration>(by).count());
  frameEnd().Nudge();
}

void DoEvents() {
  frameEnd().Restart();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool DoEventsOncePerFrame() {
  if (FrameIsQuiet()) return false;
  FrameEnd& f = frameEnd();
  if (!f.Passed()) {
    f.Await();
    return false;
  }
  DoEvents();
  return true;
}

void PacedDrawing::Change(bool atOnce) {
  if (atOnce || frameEnd().Passed()) {
    Forget();
    draw_();
    DoEvents();
    return;
  }
  if (!waiting_) {
    waiting_ = true;
    waitingDrawings().push_back(this);
    frameEnd().DrawAtEnd();
  }
  Step();
}

void PacedDrawing::Forget() {
  if (!waiting_) return;
  waiting_ = false;
  auto& w = waitingDrawings();
  w.erase(std::remove(w.begin(), w.end(), this), w.end());
}

void PacedDrawing::Draw() {
  Forget();
  draw_();
}

void DrawWaitingChanges() {
  while (!waitingDrawings().empty()) waitingDrawings().front()->Draw();
}

}  // namespace vb
