#include "mainwindow/program_windows.h"

#include "platform/win/window.h"

namespace program_windows {
namespace {

win::BOOL CollectShown(win::HWND h, win::LPARAM list) {
  win::DWORD process = 0;
  win::GetWindowThreadProcessId(h, &process);
  if (process == win::GetCurrentProcessId() && win::IsWindowVisible(h))
    reinterpret_cast<std::vector<win::HWND>*>(list)->push_back(h);
  return win::TRUE;
}

bool IsPopup(win::HWND h) { return (win::GetWindowLongA(h, win::GWL_STYLE) & win::WS_POPUP) != 0; }

}  // namespace

std::vector<win::HWND> Shown() {
  std::vector<win::HWND> shown;
  win::EnumWindows(&CollectShown, reinterpret_cast<win::LPARAM>(&shown));
  return shown;
}

HiddenWindows::HiddenWindows() : windows_(Shown()) {
  for (win::HWND h : windows_) win::ShowWindow(h, win::SW_HIDE);
}

void HiddenWindows::Restore() {
  win::HWND front = 0;
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    const win::HWND h = *it;
    if (!win::IsWindow(h) || IsPopup(h)) continue;
    if (win::IsWindowVisible(h)) {
      win::SetWindowPos(h, win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    } else {
      win::ShowWindow(h, win::SW_SHOWNA);
    }
    front = h;
  }
  if (front != 0) win::ShowWindow(front, win::SW_SHOW);
}

}  // namespace program_windows
