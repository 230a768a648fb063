// Finding a window's children by class and title.
#pragma once

#include <string_view>

#include "platform/win/types.h"

namespace win {

// The next child of `parent` after `childAfter` (0: from the first), in creation order, whose class
// name equals `className` (without regard to case) and, when `windowName` is given, whose title
// equals it; 0 when there is none. Only direct children count.
HWND FindWindowExA(HWND parent, HWND childAfter, std::string_view className, const std::u16string_view* windowName = nullptr);

}  // namespace win
