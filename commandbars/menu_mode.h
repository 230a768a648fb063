// Menu mode: while a menu of the toolkit is open, one control receives the keys, the other
// controls are disabled, the mouse hook watches for clicks outside the menus, and the open popups
// are recorded on a stack with a recursion level. Outside menu mode the keyboard hook turns Alt
// into the foreground form's menu bar and the buttons' shortcut keys into clicks.
//
// The state is never stale: the current level is the newest popup record's level (0 without one),
// and leaving menu mode completely hides every popup, frees the pool, re-enables every control it
// disabled (whatever order the popups closed in), drops the records and removes the mouse hook.
// Leaving is safe against the host's handlers of the closing menus: they cannot enter menu mode or
// open a popup until it is over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/types.h"

namespace commandbars {

// One open popup.
class cMenuPopupStack {
 public:
  void Initialise(win::HWND hwnd, win::HWND hWndSource, bool bShownAsPopup, std::int32_t iRecursionLevel) {
    hwnd_ = hwnd;
    hWndSource_ = hWndSource;
    shownAsPopup_ = bShownAsPopup;
    level_ = iRecursionLevel;
  }
  win::HWND hwnd() const { return hwnd_; }
  win::HWND hWndSource() const { return hWndSource_; }
  bool ShownAsPopup() const { return shownAsPopup_; }
  std::int32_t RecursionLevel() const { return level_; }

 private:
  win::HWND hwnd_ = 0;
  win::HWND hWndSource_ = 0;
  bool shownAsPopup_ = false;
  std::int32_t level_ = 0;
};

namespace mCommandBars {

void PushPopup(win::HWND hwnd, win::HWND hWndSource, bool bShownAsPopup, bool bNewLevel);
void PopPopup(win::HWND hwnd);
// The open popups, oldest first.
std::vector<cMenuPopupStack> PopupStack();
std::int32_t CurrentLevel();

bool KeyboardCues();
void SetKeyboardCues(bool value);
bool HideInfrequentlyUsedFlag();
void SetHideInfrequentlyUsedFlag(bool value);
// True unless infrequently used items are hidden and the menu is not expanded.
bool ShowInfrequentlyUsed();
win::HWND MenuOwnerHwnd();
void SetMenuOwnerHwnd(win::HWND hWnd);
// The control through which menu mode was entered.
win::HWND ActivePopupHwnd();
bool InMenuMode();

// Entering disables the other bar controls and installs the mouse hook. Leaving steps back one
// popup level per call while popups are open, and ends menu mode at level 0.
void SetMenuMode(bool bState, win::HWND hWnd);
// Leaves menu mode whatever the number of open levels.
void LeaveMenuMode();
// Menu mode is ending (its popups are being hidden): nothing may enter it or show a popup now.
bool LeavingMenuMode();

// Runs the first enabled button of the foreground form whose shortcut is vKey with exactly
// eModifiers (1 Shift, 2 Ctrl, 4 Alt). True when a button with a control came with the match.
bool DispatchShortcut(std::int32_t vKey, std::int32_t eModifiers);
// The foreground window when it is enabled and not minimised, else 0.
win::HWND IsApplicationActive();
// The enabled main menu bar control of the foreground form that shows a bar, or 0.
win::HWND ControlOfForegroundForm();
// The foreground form's main menu bar has an item whose mnemonic is vKey.
bool ForegroundMenuHasMnemonic(std::int32_t vKey);

// Forgets the menu-mode state (the last control went).
void ResetMenuState();

}  // namespace mCommandBars
}  // namespace commandbars
