// A wait on the interface thread keeps the windows answering without letting anything of the
// program's own run in the middle of the work that waits: events run, timers do not fire until the
// wait is over. The wait ends when it is ready, or once its bound has passed by its clock. (A close
// asked from outside meanwhile: forms_x11_test.cpp.)
#include "platform/vb/answering_wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>

#include "platform/testing/vb.h"

namespace {
using Clock = std::chrono::steady_clock;
}  // namespace

TEST(AnsweringWaits, EventsRunWhileTimersHoldUntilTheWaitIsOver) {
  const vb::testing::WaitClockReplacement stopped([] { return Clock::time_point{}; });
  // Due at once: it would fire at the first pass of the events.
  QTimer timer;
  timer.setSingleShot(true);
  timer.setInterval(0);
  bool fired = false;
  QObject::connect(&timer, &QTimer::timeout, [&] { fired = true; });
  timer.start();
  bool ran = false;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ran = true; }, Qt::QueuedConnection);

  EXPECT_TRUE(vb::WaitAnswering([&] { return ran; }, std::chrono::hours(1)));
  EXPECT_FALSE(fired) << "a timer fired in the middle of the wait";
  for (int i = 0; i < 100 && !fired; ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(fired);
}

TEST(AnsweringWaits, AWaitThatIsNeverReadyEndsOnceItsBoundHasPassed) {
  int looks = 0;
  const vb::testing::WaitClockReplacement running([&looks] { return Clock::time_point{} + std::chrono::seconds(++looks); });
  int asked = 0;
  EXPECT_FALSE(vb::WaitAnswering([&] { return ++asked > 1000; }, std::chrono::seconds(3)));
  EXPECT_LT(asked, 10);
}
