// One display monitor: its handle, device name, primary flag, and bounds and work area in
// virtual-screen pixels. Popup menus are kept inside the work area of theirs.
#pragma once

#include <string>

#include "platform/win/monitor.h"

namespace commandbars {

class cMonitor {
 public:
  bool IsPrimary() const { return isPrimary_; }
  win::HMONITOR hMonitor() const { return hMonitor_; }
  const std::u16string& Name() const { return name_; }
  int left() const { return monitor_.left; }
  int tOp() const { return monitor_.top; }
  int Width() const { return monitor_.right - monitor_.left; }
  int Height() const { return monitor_.bottom - monitor_.top; }
  int WorkLeft() const { return work_.left; }
  int WorkTop() const { return work_.top; }
  int WorkWidth() const { return work_.right - work_.left; }
  int WorkHeight() const { return work_.bottom - work_.top; }

  // The monitor holding the screen point, or the larger part of the window; without one the
  // object keeps its values.
  void CreateFromPoint(int x, int y);
  void CreateFromWindow(win::HWND hwnd);
  void FillFromHandle(win::HMONITOR monitor);

 private:
  win::HMONITOR hMonitor_ = 0;
  std::u16string name_;
  win::RECT monitor_;
  win::RECT work_;
  bool isPrimary_ = false;
};

}  // namespace commandbars
