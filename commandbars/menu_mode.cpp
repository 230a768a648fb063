#include "commandbars/menu_mode.h"

#include <algorithm>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/hooks.h"
#include "commandbars/kest_command_bar.h"
#include "platform/win/window.h"

namespace commandbars::mCommandBars {
namespace {

struct MenuState {
  bool expanded = false;
  bool hide = false;
  bool menuMode = false;
  std::vector<win::HWND> disabled;
  bool hasDisabledList = false;
  win::HWND menuOwner = 0;
  win::HWND menuModeControl = 0;
  bool keyboardCues = false;
  std::vector<cMenuPopupStack> stack;  // oldest first
  std::int32_t currentLevel = 0;
};

MenuState& state() {
  static MenuState s;
  return s;
}

std::int32_t NewestLevel() { return state().stack.empty() ? 0 : state().stack.back().RecursionLevel(); }

void EnableControlOf(win::HWND h, bool enabled) {
  if (kestCommandBar* c = FindControl(h)) c->Enabled(enabled);
}

void Enter(win::HWND hWnd) {
  MenuState& s = state();
  s.menuMode = true;
  s.disabled.clear();
  s.hasDisabledList = true;
  s.menuModeControl = hWnd;
  for (win::HWND h : LiveControls()) {
    kestCommandBar* c = FindControl(h);
    if (c == nullptr || h == hWnd || c->IsPopupInstance()) continue;
    c->Enabled(false);
    s.disabled.push_back(h);
  }
  mHooks::InstallMouseHook(0);
}

void Leave() {
  MenuState& s = state();
  s.menuMode = false;
  s.keyboardCues = false;
  mHooks::RemoveMouseHook(0);
  ReleasePoolInstances();
  HideAllPopups();
  s.menuOwner = 0;
  if (s.hasDisabledList) {
    std::vector<win::HWND> disabled = std::move(s.disabled);
    s.disabled.clear();
    s.hasDisabledList = false;
    for (win::HWND h : disabled) EnableControlOf(h, true);
  }
  const win::HWND control = s.menuModeControl;
  s.menuModeControl = 0;
  if (kestCommandBar* c = FindControl(control)) c->TrackMenu(0, 0, false, false);
  // Nothing stays pressed once the menus are gone.
  for (win::HWND h : LiveControls())
    if (kestCommandBar* c = FindControl(h)) c->ClearPressedState();
}

}  // namespace

void PushPopup(win::HWND hwnd, win::HWND hWndSource, bool bShownAsPopup, bool bNewLevel) {
  MenuState& s = state();
  std::int32_t level = NewestLevel();
  if (bNewLevel) ++level;
  cMenuPopupStack record;
  record.Initialise(hwnd, hWndSource, bShownAsPopup, level);
  // A popup shown again replaces its old record.
  std::erase_if(s.stack, [hwnd](const cMenuPopupStack& r) { return r.hwnd() == hwnd; });
  s.stack.push_back(record);
  for (const cMenuPopupStack& r : s.stack) {
    if (r.RecursionLevel() >= level) continue;
    EnableControlOf(r.hwnd(), false);
    EnableControlOf(r.hWndSource(), false);
  }
  s.currentLevel = level;
}

void PopPopup(win::HWND hwnd) {
  MenuState& s = state();
  auto it = std::find_if(s.stack.begin(), s.stack.end(), [hwnd](const cMenuPopupStack& r) { return r.hwnd() == hwnd; });
  if (it != s.stack.end()) {
    const std::int32_t level = it->RecursionLevel();
    const bool alone = std::count_if(s.stack.begin(), s.stack.end(), [level](const cMenuPopupStack& r) {
                         return r.RecursionLevel() == level;
                       }) == 1;
    if (alone) {
      for (const cMenuPopupStack& r : s.stack) {
        if (r.RecursionLevel() != level - 1) continue;
        EnableControlOf(r.hwnd(), true);
        EnableControlOf(r.hWndSource(), true);
      }
    }
    s.stack.erase(std::find_if(s.stack.begin(), s.stack.end(), [hwnd](const cMenuPopupStack& r) { return r.hwnd() == hwnd; }));
  }
  s.currentLevel = NewestLevel();
}

std::vector<cMenuPopupStack> PopupStack() { return state().stack; }
std::int32_t CurrentLevel() { return state().currentLevel; }

bool KeyboardCues() { return state().keyboardCues; }
void SetKeyboardCues(bool value) { state().keyboardCues = value; }
bool HideInfrequentlyUsedFlag() { return state().hide; }
void SetHideInfrequentlyUsedFlag(bool value) { state().hide = value; }
bool ShowInfrequentlyUsed() { return !state().hide || state().expanded; }
win::HWND MenuOwnerHwnd() { return state().menuOwner; }
void SetMenuOwnerHwnd(win::HWND hWnd) { state().menuOwner = hWnd; }
win::HWND ActivePopupHwnd() { return state().menuModeControl; }
bool InMenuMode() { return state().menuMode; }

void SetMenuMode(bool bState, win::HWND hWnd) {
  MenuState& s = state();
  if (bState == s.menuMode) return;
  s.expanded = false;
  if (bState) {
    Enter(hWnd);
    return;
  }
  if (s.currentLevel > 0) {
    ClosePopupsFromLevel(s.currentLevel);
    // Closing popped the records of that level; the level is the newest record's again.
    s.currentLevel = std::min(s.currentLevel - 1, NewestLevel());
    return;
  }
  Leave();
}

void LeaveMenuMode() {
  for (int guard = 0; InMenuMode() && guard < 64; ++guard) SetMenuMode(false, 0);
  if (InMenuMode()) {
    state().currentLevel = 0;
    SetMenuMode(false, 0);
  }
}

win::HWND IsApplicationActive() {
  const win::HWND fg = win::GetForegroundWindow();
  if (fg == 0 || !win::IsWindowEnabled(fg) || win::IsIconic(fg)) return 0;
  return fg;
}

win::HWND ControlOfForegroundForm() {
  const win::HWND fg = IsApplicationActive();
  if (fg == 0) return 0;
  for (win::HWND h : LiveControls()) {
    kestCommandBar* c = FindControl(h);
    if (c != nullptr && c->OwnerFormHwnd() == fg && c->MainMenu() && c->Enabled()) return c->hwnd();
  }
  return 0;
}

bool ForegroundMenuHasMnemonic(std::int32_t vKey) {
  kestCommandBar* c = FindControl(ControlOfForegroundForm());
  return c != nullptr && c->HasMnemonic(vKey);
}

bool DispatchShortcut(std::int32_t vKey, std::int32_t eModifiers) {
  const win::HWND fg = IsApplicationActive();
  if (fg == 0 || !StoresLive()) return false;
  for (std::int32_t i = 1; i <= ButtonCount(); ++i) {
    IBarControl* found = nullptr;
    cButtonInt* match = ButtonItem(i).FindShortcut(fg, static_cast<std::int16_t>(vKey), eModifiers, false, found);
    if (match == nullptr) continue;
    kestCommandBar* ctl = nullptr;
    for (win::HWND h : LiveControls()) {
      kestCommandBar* c = FindControl(h);
      if (c != nullptr && static_cast<IBarControl*>(c) == found) ctl = c;
    }
    if (ctl == nullptr) return false;
    const std::int32_t index = ctl->ToolbarButtonIndex(*match);
    if (index > 0) {
      ctl->ClickButton(index);
    } else {
      ctl->RaiseButtonClick(*match);
    }
    return true;
  }
  return false;
}

void ResetMenuState() { state() = MenuState{}; }

}  // namespace commandbars::mCommandBars
