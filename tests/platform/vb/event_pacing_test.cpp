// The event pacing of loops that let events through at each of many quick steps: the events run
// once a frame, never at each step and never not at all, and a step between passes is told so
// without reading a clock. The pacing's clock is held, so a frame passes when the test says.
#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/frame_clock.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"

namespace {

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

TEST(EventPacing, QuickStepsLetTheEventsRunOnceAFrame) {
  platform::testing::HeldFrameClock clock;
  vb::DoEvents();
  PassCounter counter;
  int passesBefore = counter.passes;
  for (int frame = 1; frame <= 20; ++frame) {
    // A thousand steps within one frame: at most the first lets the events run.
    int ran = 0;
    for (int step = 0; step < 1000; ++step) ran += vb::DoEventsOncePerFrame() ? 1 : 0;
    EXPECT_EQ(ran, frame == 1 ? 0 : 1) << "frame " << frame;
    EXPECT_EQ(counter.passes > passesBefore, frame > 1) << "frame " << frame;
    passesBefore = counter.passes;
    platform::testing::LetAFramePass();
  }
}

TEST(EventPacing, AStepIsToldWhenTheFrameIsQuietAndWhenItHasEnded) {
  platform::testing::HeldFrameClock clock;
  vb::DoEvents();
  EXPECT_FALSE(vb::FrameIsQuiet());  // nobody awaits the frame's end yet
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  EXPECT_TRUE(vb::FrameIsQuiet());
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  clock.Advance(vb::kFrame / 2);  // half a frame: still quiet
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  EXPECT_TRUE(vb::FrameIsQuiet());
  platform::testing::LetAFramePass();
  EXPECT_FALSE(vb::FrameIsQuiet());
  EXPECT_TRUE(vb::DoEventsOncePerFrame());
  EXPECT_FALSE(vb::FrameIsQuiet());
  // Events run by anyone else begin a new frame too.
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
  vb::DoEvents();
  EXPECT_FALSE(vb::FrameIsQuiet());
}

TEST(EventPacing, AStepAfterAPauseLetsTheEventsRunAtOnce) {
  platform::testing::HeldFrameClock clock;
  vb::DoEvents();
  // Nobody asked for the frame's end while the frame passed: the clock says it has ended.
  clock.Advance(vb::kFrame);
  EXPECT_TRUE(vb::DoEventsOncePerFrame());
  EXPECT_FALSE(vb::DoEventsOncePerFrame());
}

TEST(EventPacing, AStepWaitsAFrameFromWhenTheEventsLastRan) {
  platform::testing::HeldFrameClock clock;
  vb::DoEvents();
  EXPECT_FALSE(vb::DoEventsOncePerFrame());  // the end of this frame is awaited
  clock.Advance(vb::kFrame / 2);
  vb::DoEvents();  // a new frame begins half-way through the awaited one
  EXPECT_FALSE(vb::DoEventsOncePerFrame());  // its end is awaited in turn
  platform::testing::LetAFramePass();        // a frame after the new one began
  EXPECT_TRUE(vb::DoEventsOncePerFrame());
}
