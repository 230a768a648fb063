// Monitors: the screens the toolkit reports, with their bounds and work areas in virtual-screen
// pixels. Tests replace the list through SetMonitorProvider.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/types.h"

namespace win {

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
  DWORD cbSize = 40;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
struct MONITORINFOEXW {
  DWORD cbSize = 104;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
  char16_t szDevice[CCHDEVICENAME] = {};
};

HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
// The monitor holding the larger part of the window.
HMONITOR MonitorFromWindow(HWND h, DWORD flags);
// cbSize 40 fills a MONITORINFO, 104 a MONITORINFOEXW; any other size fails.
BOOL GetMonitorInfoW(HMONITOR monitor, void* info);

}  // namespace win

namespace platform::testing {

struct Monitor {
  win::RECT bounds;
  win::RECT work;
  bool primary = false;
  std::u16string name;
};
// Replaces the screens the layer reports (an empty function puts the toolkit's screens back).
void SetMonitorProvider(std::function<std::vector<Monitor>()> provider);

}  // namespace platform::testing
