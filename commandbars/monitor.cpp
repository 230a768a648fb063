#include "commandbars/monitor.h"

namespace commandbars {

void cMonitor::CreateFromPoint(int x, int y) {
  const win::HMONITOR m = win::MonitorFromPoint(win::POINT{x, y}, win::MONITOR_DEFAULTTONULL);
  if (m != 0) FillFromHandle(m);
}

void cMonitor::CreateFromWindow(win::HWND hwnd) {
  const win::HMONITOR m = win::MonitorFromWindow(hwnd, win::MONITOR_DEFAULTTONULL);
  if (m != 0) FillFromHandle(m);
}

void cMonitor::FillFromHandle(win::HMONITOR monitor) {
  hMonitor_ = monitor;
  win::MONITORINFOEXW info;
  if (!win::GetMonitorInfoW(monitor, &info)) return;
  monitor_ = info.rcMonitor;
  work_ = info.rcWork;
  isPrimary_ = (info.dwFlags & win::MONITORINFOF_PRIMARY) != 0;
  const std::u16string_view device(info.szDevice, win::CCHDEVICENAME);
  name_ = std::u16string(device.substr(0, device.find(u'\0')));
}

}  // namespace commandbars
