// Placement and state of windows. Rectangles are in pixels; window rectangles in screen
// coordinates.
#pragma once

#include "platform/win/types.h"

namespace win {

BOOL GetWindowRect(HWND h, RECT* r);
BOOL GetClientRect(HWND h, RECT* r);

struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 0;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
  POINT ptMinPosition{};
  POINT ptMaxPosition{};
  // The outer rectangle the window has when it is neither minimised nor maximised.
  RECT rcNormalPosition{};
};
// A top-level window's state and its normal (restored) rectangle; FALSE for a child window.
BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement);
BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND h, int cmd);
BOOL IsWindowVisible(HWND h);
// Returns whether the window itself was disabled before, whatever a modal window does to it.
BOOL EnableWindow(HWND h, BOOL enable);
// FALSE as well for a top-level window that a modal window keeps from input while it is up (the
// windows behind a dialog, a message box or a form shown modally), as for the owner of a modal
// dialog.
BOOL IsWindowEnabled(HWND h);
BOOL IsIconic(HWND h);
BOOL ClientToScreen(HWND h, POINT* p);
BOOL ScreenToClient(HWND h, POINT* p);
BOOL GetCursorPos(POINT* p);
// Moves the screen's mouse pointer (in screen pixels).
BOOL SetCursorPos(int x, int y);
HWND WindowFromPoint(POINT p);

}  // namespace win
