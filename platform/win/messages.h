// Sending and posting messages.
#pragma once

#include "platform/win/types.h"

namespace win {

// SendMessage calls the window's procedure at once; PostMessage queues the message for the event
// loop (dropped when the window is gone by then).
LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(h, msg, wParam, lParam);
}
inline BOOL PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(h, msg, wParam, lParam);
}

}  // namespace win
