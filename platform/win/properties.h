// Window properties: pointer-sized values under names that compare without regard to case.
#pragma once

#include <string_view>

#include "platform/win/types.h"

namespace win {

BOOL SetPropA(HWND h, std::string_view name, LONG_PTR value);
LONG_PTR GetPropA(HWND h, std::string_view name);
LONG_PTR RemovePropA(HWND h, std::string_view name);

}  // namespace win
