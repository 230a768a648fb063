// The window menu of top-level windows (the system menu): Restore, Move, Size, Minimize, Maximize,
// a separator and Close, in that order. A window gets its own copy on first GetSystemMenu; until
// then it has the standard menu. Items are deleted with DeleteMenu, by position or by command.
//
// Close is what lets the user close the window. A window whose menu has lost it has no close
// button, and the user cannot close it by its frame, by the window manager or by Alt+F4 (which
// sends WM_SYSCOMMAND SC_CLOSE); the program itself may still send it WM_CLOSE or destroy it.
// Reverting the menu brings Close and the close button back.
#pragma once

#include <cstdint>

#include "platform/win/types.h"

namespace win {

using HMENU = std::int32_t;  // 0: no menu

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;

// The system commands (WM_SYSCOMMAND's wParam; the items of the window menu).
constexpr UINT SC_SIZE = 0xF000;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;

// The window's own copy of its menu, made from the standard menu on first use (revert FALSE); with
// revert TRUE the copy is thrown away, the window has the standard menu again, and 0 is returned.
// 0 for a child window or a window that does not exist.
HMENU GetSystemMenu(HWND h, BOOL revert);
// Deletes the item at a position (MF_BYPOSITION, 0 first) or with a command (MF_BYCOMMAND);
// FALSE when there is no such item.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// The number of items, separators included; -1 for a menu that does not exist.
int GetMenuItemCount(HMENU menu);
// The command of the item at a position: 0 for a separator, 0xFFFFFFFF when there is no item.
UINT GetMenuItemID(HMENU menu, int position);

}  // namespace win

namespace platform::detail {

// The user may close the window: its menu has Close (a window that never had a menu of its own has
// the standard one).
bool UserMayClose(win::HWND h);

}  // namespace platform::detail
