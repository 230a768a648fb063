// Window and thread timers.
#pragma once

#include "platform/win/types.h"

namespace win {

// Timers. A window timer (h != 0) raises WM_TIMER on its window, or calls proc when one is given,
// and replaces a timer of the same window and identifier. A thread timer (h == 0) calls proc and gets
// a new identifier. Intervals up to the system tick (16 ms) fire together on one shared beat of
// that tick, as short timers do on the platform the program was written for.
UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND h, UINT_PTR id);
DWORD GetTickCount();

}  // namespace win
