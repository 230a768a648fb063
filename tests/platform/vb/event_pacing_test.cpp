// The event pacing of loops that let events through at each of many quick steps: the events run
// once a frame, never at each step and never not at all, and a step between passes is told so
// without reading a clock; changes drawn at such steps show at most once a frame, the last of them
// once its frame has ended. The pacing's clock is held, so a frame passes when the test says.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

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

namespace {

// Lets the events run until `done` holds (up to a minute on a loaded machine).
bool RunEventsUntil(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done() && std::chrono::steady_clock::now() < giveUp) {
    vb::DoEvents();
    std::this_thread::yield();
  }
  return done();
}

}  // namespace

TEST(PacedDrawing, ChangesWithinAFrameAreDrawnOnceItEndsByAStepOrElseByTheEventLoop) {
  platform::testing::HeldFrameClock clock;
  int drawn = 0;
  vb::PacedDrawing drawing([&] { ++drawn; });
  vb::DoEvents();
  drawing.Change(false);
  drawing.Change(false);
  drawing.Step();
  EXPECT_EQ(drawn, 0);
  EXPECT_TRUE(drawing.Waiting());
  // Nothing steps again: the event loop draws the change once the frame has ended.
  platform::testing::LetAFramePass();
  EXPECT_TRUE(RunEventsUntil([&] { return drawn > 0; }));
  EXPECT_EQ(drawn, 1);
  EXPECT_FALSE(drawing.Waiting());
  // A frame after the events last ran, or asked to, a change is drawn at once.
  clock.Advance(vb::kFrame);
  drawing.Change(false);
  EXPECT_EQ(drawn, 2);
  drawing.Change(true);
  EXPECT_EQ(drawn, 3);
  // A step once the frame has ended draws the change that waits.
  drawing.Change(false);
  EXPECT_EQ(drawn, 3);
  platform::testing::LetAFramePass();
  drawing.Step();
  EXPECT_EQ(drawn, 4);
  EXPECT_FALSE(drawing.Waiting());
}

TEST(PacedDrawing, AChangeForgottenOrWhoseDrawingWentIsNotDrawn) {
  platform::testing::HeldFrameClock clock;
  int forgottenDrawn = 0;
  int keptDrawn = 0;
  vb::PacedDrawing forgotten([&] { ++forgottenDrawn; });
  vb::PacedDrawing kept([&] { ++keptDrawn; });
  vb::DoEvents();
  forgotten.Change(false);
  kept.Change(false);
  {
    vb::PacedDrawing gone([] { ADD_FAILURE() << "a drawing that went was drawn"; });
    gone.Change(false);
  }
  forgotten.Forget();
  EXPECT_FALSE(forgotten.Waiting());
  platform::testing::LetAFramePass();
  EXPECT_TRUE(RunEventsUntil([&] { return keptDrawn > 0; }));
  EXPECT_EQ(forgottenDrawn, 0);
}
