// Hooks for tests of code that stands on the window layer: no test waits for real time or needs a
// second process's window.
#pragma once

#include "platform/win/types.h"

namespace platform::testing {

// A window of another process: in the table, answering IsWindow, but not local.
win::HWND CreateForeignWindow();

// Runs a timer's tick now, as the event loop would when it falls due.
void FireTimer(win::HWND h, win::UINT_PTR id);
bool TimerExists(win::HWND h, win::UINT_PTR id);
// The identifier of the most recently started thread timer, or 0.
win::UINT_PTR LastThreadTimerId();

}  // namespace platform::testing
