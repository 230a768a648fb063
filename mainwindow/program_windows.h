// The program's shown top-level windows, put away and brought back as a group: the program lock
// hides every window of the program, not only the main window, and shows them again as they were
// when it is lifted.
#pragma once

#include <vector>

#include "platform/win/types.h"

namespace program_windows {

// The windows of this program that are shown now, front to back.
std::vector<win::HWND> Shown();

// Hides the windows shown now and remembers them.
class HiddenWindows {
 public:
  HiddenWindows();
  // Shows them again, back to front, each as it was (placed, minimised or maximised as before),
  // and activates the one that was in front. Windows that went meanwhile are skipped; windows
  // already shown again are only put back in their place. Popups (menus and the like) stay hidden:
  // they were open only for the moment.
  void Restore();

 private:
  std::vector<win::HWND> windows_;
};

}  // namespace program_windows
