// The event pacing of loops that let events through at each of many quick steps: the events run
// about once a frame, never at each step and never not at all, and a step between passes is told
// so without reading a clock.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "support.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Counts the event passes: an action that queues itself again at each.
struct PassCounter {
  int passes = 0;
  std::function<void()> count = [this] {
    ++passes;
    platform::testing::PostAction(count);
  };
  PassCounter() { platform::testing::PostAction(count); }
  ~PassCounter() {
    count = [] {};
    vb::DoEvents();
  }
};

}  // namespace

TEST(EventPacing, QuickStepsLetTheEventsRunAboutOnceAFrame) {
  vb::DoEvents();
  PassCounter counter;
  const auto end = steady_clock::now() + milliseconds(320);  // twenty frames
  long steps = 0;
  while (steady_clock::now() < end) {
    vb::DoEventsOncePerFrame();
    ++steps;
  }
  EXPECT_GT(steps, 10000);
  // Twenty frames: a pass for each, give or take what a loaded machine delays.
  EXPECT_GE(counter.passes, 5);
  EXPECT_LE(counter.passes, 60);
}

TEST(EventPacing, AStepIsToldWhenTheFrameIsQuietAndWhenItHasEnded) {
  vb::DoEvents();
  EXPECT_FALSE(vb::FrameIsQuiet());  // nobody awaits the frame's end yet
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  EXPECT_TRUE(vb::FrameIsQuiet());
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  qmtest::LetAFramePass();
  EXPECT_FALSE(vb::FrameIsQuiet());
  EXPECT_TRUE(vb::DoEventsOncePerFrame());
  EXPECT_FALSE(vb::FrameIsQuiet());
  // Events run by anyone else begin a new frame too.
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  vb::DoEvents();
  EXPECT_FALSE(vb::FrameIsQuiet());
}
