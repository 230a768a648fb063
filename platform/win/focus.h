// Keyboard focus, activation and mouse capture.
#pragma once

#include "platform/win/types.h"

namespace win {

// Gives h the keyboard; a window of the program other than the active one is activated with it.
HWND SetFocus(HWND h);
HWND GetFocus();
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND h);

// Mouse capture: while a window holds it, every mouse message of the thread goes to that window.
HWND SetCapture(HWND h);
BOOL ReleaseCapture();
HWND GetCapture();

}  // namespace win
