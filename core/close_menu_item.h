// Takes the Close command out of a window's system menu, so that the user cannot close the window
// by its title bar, its menu, the window manager or Alt+F4; only the program itself closes it then.
#pragma once

#include "platform/win/types.h"

namespace modGeneral {

// Deletes, by position, item 6 and then item 5 of the window's menu (taken without resetting it):
// in the standard menu Close and the separator above it.
void RemoveCloseMenuItem(win::HWND window);

}  // namespace modGeneral
