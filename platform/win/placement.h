// Placement and state of windows. Rectangles are in pixels; window rectangles in screen
// coordinates.
#pragma once

#include "platform/win/types.h"

namespace win {

BOOL GetWindowRect(HWND h, RECT* r);
BOOL GetClientRect(HWND h, RECT* r);
BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND h, int cmd);
BOOL IsWindowVisible(HWND h);
BOOL EnableWindow(HWND h, BOOL enable);
BOOL IsWindowEnabled(HWND h);
BOOL IsIconic(HWND h);
BOOL ClientToScreen(HWND h, POINT* p);
BOOL ScreenToClient(HWND h, POINT* p);
BOOL GetCursorPos(POINT* p);
// Moves the screen's mouse pointer (in screen pixels).
BOOL SetCursorPos(int x, int y);
HWND WindowFromPoint(POINT p);

}  // namespace win
