#include "commandbars/monitor.h"

#include <gtest/gtest.h>

#include "platform/win/window.h"

using commandbars::cMonitor;

namespace {
struct TwoMonitors {
  TwoMonitors() {
    platform::testing::SetMonitorProvider([] {
      return std::vector<platform::testing::Monitor>{
          {win::RECT{0, 0, 1280, 1024}, win::RECT{60, 0, 1280, 1024}, true, u"DISPLAY1"},  // task bar on the left
          {win::RECT{-800, 0, 0, 600}, win::RECT{-800, 0, 0, 600}, false, u"DISPLAY2"}};
    });
  }
  ~TwoMonitors() { platform::testing::SetMonitorProvider(nullptr); }
};
}  // namespace

TEST(Monitors, APointFindsItsMonitorAndItsWorkArea) {
  TwoMonitors two;
  cMonitor m;
  m.CreateFromPoint(100, 100);
  EXPECT_NE(m.hMonitor(), 0);
  EXPECT_TRUE(m.IsPrimary());
  EXPECT_EQ(m.left(), 0);
  EXPECT_EQ(m.tOp(), 0);
  EXPECT_EQ(m.Width(), 1280);
  EXPECT_EQ(m.Height(), 1024);
  EXPECT_GT(m.WorkLeft(), m.left());
  EXPECT_EQ(m.WorkLeft() + m.WorkWidth(), 1280);
  EXPECT_EQ(m.Name(), u"DISPLAY1");
  m.CreateFromPoint(-10, 10);
  EXPECT_FALSE(m.IsPrimary());
  EXPECT_EQ(m.left(), -800);
  m.CreateFromPoint(5000, 5000);
  EXPECT_EQ(m.left(), -800) << "a point on no monitor leaves the object as it was";
}

TEST(Monitors, APointOutsideEveryMonitorLeavesANewObjectEmpty) {
  TwoMonitors two;
  cMonitor m;
  m.CreateFromPoint(-5000, -5000);
  EXPECT_EQ(m.hMonitor(), 0);
  EXPECT_EQ(m.Width(), 0);
  EXPECT_EQ(m.Height(), 0);
  EXPECT_EQ(m.WorkWidth(), 0);
}

TEST(Monitors, AWindowBelongsToTheMonitorHoldingMostOfIt) {
  TwoMonitors two;
  win::WNDCLASSA wc;
  wc.lpszClassName = "MonitorProbe";
  wc.lpfnWndProc = &win::DefWindowProcA;
  win::RegisterClassA(wc);
  win::HWND h = win::CreateWindowExA(0, "MonitorProbe", u"", win::WS_POPUP, -300, 10, 400, 100, 0, 0, 0, nullptr);
  cMonitor m;
  m.CreateFromWindow(h);
  EXPECT_EQ(m.Name(), u"DISPLAY2");
  cMonitor again;
  again.FillFromHandle(m.hMonitor());
  EXPECT_EQ(again.WorkWidth(), 800);
  win::DestroyWindow(h);
}
