// The help engine. This system has no help engine for help files: every call fails (returns 0)
// and shows nothing.
#pragma once

#include <string_view>

#include "platform/win/types.h"

namespace win {

BOOL WinHelpA(HWND owner, std::u16string_view helpFile, UINT command, ULONG_PTR data);

}  // namespace win
