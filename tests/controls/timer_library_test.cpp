#include <gtest/gtest.h>

#include <vector>

#include "controls/library.h"
#include "controls/timer.h"
#include "platform/testing/win.h"
#include "platform/vb/error.h"

namespace {

win::UINT_PTR IdOfLastStart() { return platform::testing::LastThreadTimerId(); }

}  // namespace

TEST(Timers, IntervalStartsChangesAndStopsThePlatformTimer) {
  auto t = CTimer::Create();
  int ticks = 0;
  t->ThatTime = [&] { ++ticks; };
  t->SetInterval(500);
  const auto first = IdOfLastStart();
  ASSERT_TRUE(platform::testing::TimerExists(0, first));
  platform::testing::FireTimer(0, first);
  EXPECT_EQ(ticks, 1);

  t->SetInterval(500);  // same interval: nothing new
  EXPECT_EQ(IdOfLastStart(), first);

  t->SetInterval(250);  // new platform timer, old one gone
  const auto second = IdOfLastStart();
  EXPECT_NE(second, first);
  EXPECT_FALSE(platform::testing::TimerExists(0, first));
  platform::testing::FireTimer(0, second);
  EXPECT_EQ(ticks, 2);

  t->SetInterval(-3);
  EXPECT_EQ(t->Interval(), 0);
  EXPECT_FALSE(platform::testing::TimerExists(0, second));
  EXPECT_EQ(MTimer::RunningCount(), 0);
}

TEST(Timers, ARunningTimerLivesOnWithoutOwnerAndMayStopItselfInItsEvent) {
  int ticks = 0;
  win::UINT_PTR id = 0;
  {
    auto t = CTimer::Create();
    CTimer* raw = t.get();
    t->ThatTime = [&ticks, raw] {
      ++ticks;
      raw->SetInterval(0);  // drops the table's reference from inside its own event
    };
    t->SetInterval(100);
    id = IdOfLastStart();
  }
  EXPECT_EQ(MTimer::RunningCount(), 1);
  platform::testing::FireTimer(0, id);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(MTimer::RunningCount(), 0);
  EXPECT_FALSE(platform::testing::TimerExists(0, id));
}

TEST(Timers, TheHundredAndFirstIsRefusedAndLeavesNoPlatformTimerBehind) {
  std::vector<std::shared_ptr<CTimer>> timers;
  for (int i = 0; i < MTimer::kSlots; ++i) {
    timers.push_back(CTimer::Create());
    timers.back()->SetInterval(1000 + i);
  }
  auto extra = CTimer::Create();
  try {
    extra->SetInterval(50);
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, -2147207853);
    EXPECT_EQ(e.Description, u"No more than 10 timers allowed per class");
  }
  EXPECT_FALSE(platform::testing::TimerExists(0, IdOfLastStart()));
  EXPECT_EQ(extra->Interval(), 0);

  // Freed slots are taken again, lowest first.
  timers[3]->SetInterval(0);
  timers[7]->SetInterval(0);
  extra->SetInterval(50);
  auto another = CTimer::Create();
  another->SetInterval(60);
  EXPECT_EQ(MTimer::RunningCount(), MTimer::kSlots);
  for (auto& t : timers) t->SetInterval(0);
  extra->SetInterval(0);
  another->SetInterval(0);
  EXPECT_EQ(MTimer::RunningCount(), 0);
}

TEST(Library, LoadsUnloadsAndReportsFailuresWithThePlatformText) {
  clsLibrary lib;
  lib.SetFilename(u"libm.so.6");
  EXPECT_NE(lib.hModule(), 0);
  lib.SetFilename(u"libm.so.6");  // again: freed and loaded anew
  EXPECT_NE(lib.hModule(), 0);
  lib.SetFilename(u"");
  EXPECT_EQ(lib.hModule(), 0);
  EXPECT_EQ(lib.Filename(), u"");

  try {
    lib.SetFilename(u"no-such-library-here.so");
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, -2147220455);
    EXPECT_NE(e.Description.find(u"no-such-library-here.so"), std::u16string::npos);
    EXPECT_EQ(e.Description.substr(e.Description.size() - 2), u"\r\n");
    EXPECT_EQ(e.Source.substr(e.Source.size() - 9), u".cLibrary");
  }
  EXPECT_EQ(lib.Filename(), u"no-such-library-here.so");
  EXPECT_EQ(lib.hModule(), 0);
}
