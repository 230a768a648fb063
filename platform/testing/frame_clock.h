// Holds the event pacing's clock still until the test moves it on: what happens once a frame
// happens when the test lets a frame pass, never because the machine was slow or quick.
#pragma once

#include <chrono>

namespace platform::testing {

// Holds the clock while it lives (put it in a test's fixture); the steady clock runs again after.
class HeldFrameClock {
 public:
  HeldFrameClock();
  ~HeldFrameClock();
  HeldFrameClock(const HeldFrameClock&) = delete;
  HeldFrameClock& operator=(const HeldFrameClock&) = delete;

  // Moves the clock on.
  void Advance(std::chrono::nanoseconds by);
};

// While a HeldFrameClock lives: moves the clock on by a frame and waits (up to a minute) until the
// event pacing has been told that the frame ended, so that the next paced step lets the events run.
void LetAFramePass();

}  // namespace platform::testing
