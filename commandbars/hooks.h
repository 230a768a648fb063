// The toolkit's two thread hooks. The keyboard hook lives from the first control's registration to
// the last control's removal: outside menu mode it turns a clean Alt tap, or Alt with the mnemonic of
// an item of the foreground form's menu bar, into menu mode, and shortcut keys into clicks; in menu
// mode it hands keys to the control that owns the menu, and a clean Alt tap leaves. A tap is clean
// when no other key, no click, no move of the window by the desktop (Alt+drag) and no change of
// keyboard layout came between Alt's press and its release, so a layout switch (Alt+Shift,
// Shift+Alt, or one the desktop makes while Alt is down) never enters or leaves menu mode. The mouse
// hook lives while a menu is open, where it leaves menu mode on a click outside the menus, and while
// an Alt tap is pending, where a click spoils it. Neither ever swallows a click; Shift, Ctrl, Win and
// AltGr (the keyboard-layout switches and third-level typing) and keys pressed with Win never touch
// the menus.
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
// Something only the desktop saw came between Alt's press and its release (it moved a window by
// Alt+drag, whose click the program never gets): the release is no tap.
void SpoilAltTap();

win::LRESULT KeyboardHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT MouseHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam);

}  // namespace commandbars::mHooks
