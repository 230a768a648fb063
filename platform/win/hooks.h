// Thread hooks: keyboard and mouse input of the thread passes the newest hook first; a hook that
// answers non-zero swallows the input.
#pragma once

#include "platform/win/types.h"

namespace win {

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

}  // namespace win
