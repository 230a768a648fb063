#include "mainwindow/forms/quiet_main_window.h"

#include <vector>

#include "mainwindow/forms/main.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

namespace mainwindow {
namespace {

// The owned windows that took input when the main window was quieted.
std::vector<win::HWND>& QuietedWindows() {
  static std::vector<win::HWND> windows;
  return windows;
}

struct Quieting {
  win::HWND main;
  win::HWND except;
};

win::BOOL QuietOwnedWindow(win::HWND h, win::LPARAM param) {
  const Quieting& q = *reinterpret_cast<const Quieting*>(param);
  if (h != q.except && win::GetParent(h) == q.main && win::IsWindowEnabled(h)) {
    win::EnableWindow(h, win::FALSE);
    QuietedWindows().push_back(h);
  }
  return win::TRUE;
}

// Whether the main window's Close was taken.
bool mainCloseTaken = false;

}  // namespace

void QuietMainWindow(frmMain& main, win::HWND except) {
  main.Enabled(false);
  mainCloseTaken = win::DeleteMenu(win::GetSystemMenu(main.hWnd(), win::FALSE), win::SC_CLOSE, win::MF_BYCOMMAND) != win::FALSE;
  Quieting q{main.hWnd(), except};
  win::EnumWindows(&QuietOwnedWindow, reinterpret_cast<win::LPARAM>(&q));
}

void WakeMainWindow(frmMain& main) {
  for (win::HWND h : QuietedWindows()) {
    if (win::IsWindow(h)) win::EnableWindow(h, win::TRUE);
  }
  QuietedWindows().clear();
  if (mainCloseTaken) win::GetSystemMenu(main.hWnd(), win::TRUE);
  mainCloseTaken = false;
  main.Enabled(true);
}

}  // namespace mainwindow
