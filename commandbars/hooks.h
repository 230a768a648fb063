// The toolkit's two thread hooks. The keyboard hook lives from the first control's registration to
// the last control's removal: outside menu mode it turns a clean Alt tap, or Alt with the mnemonic of
// an item of the foreground form's menu bar, into menu mode, and shortcut keys into clicks; in menu
// mode it hands keys to the control that owns the menu. The mouse hook lives while a menu is open and
// leaves menu mode on a click outside the menus. Neither ever swallows a click; Shift, Ctrl and AltGr
// (the keyboard-layout switches and third-level typing) never touch the menus.
//
// Each hook keeps a list of the windows that asked for it; it is installed with the first and
// removed with the last.
#pragma once

#include <cstdint>

#include "platform/win/types.h"

namespace commandbars::mHooks {

void InstallKeyboardHook(win::HWND hWnd);
void RemoveKeyboardHook(win::HWND hWnd);
void InstallMouseHook(win::HWND hWnd);
void RemoveMouseHook(win::HWND hWnd);
bool KeyboardHookInstalled();
bool MouseHookInstalled();
std::int32_t KeyboardHookCount();

win::LRESULT KeyboardHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT MouseHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam);

}  // namespace commandbars::mHooks
