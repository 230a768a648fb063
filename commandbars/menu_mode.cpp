#include "commandbars/menu_mode.h"

#include <algorithm>
#include <exception>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/hooks.h"
#include "commandbars/kest_command_bar.h"
#include "platform/win/window.h"

namespace commandbars::mCommandBars {
namespace {

// A control disabled in menu mode: on entry (kOnEntry), or while popups of a level above it are
// open (that level).
constexpr std::int32_t kOnEntry = -1;
struct Disabled {
  win::HWND h;
  std::int32_t level;
};

struct MenuState {
  bool expanded = false;
  bool hide = false;
  bool menuMode = false;
  bool leaving = false;
  std::vector<Disabled> disabled;
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

void Disable(win::HWND h, std::int32_t level) {
  if (FindControl(h) == nullptr) return;
  EnableControlOf(h, false);
  state().disabled.push_back(Disabled{h, level});
}

// Enables the controls that were disabled only for the entries that `ends` picks.
template <class Pred>
void EnableAgain(Pred ends) {
  std::vector<Disabled>& list = state().disabled;
  std::vector<win::HWND> ended;
  for (const Disabled& d : list)
    if (ends(d)) ended.push_back(d.h);
  std::erase_if(list, ends);
  for (win::HWND h : ended) {
    const bool stillHeld = std::any_of(list.begin(), list.end(), [h](const Disabled& d) { return d.h == h; });
    if (!stillHeld) EnableControlOf(h, true);
  }
}

void Enter(win::HWND hWnd) {
  MenuState& s = state();
  s.menuMode = true;
  s.disabled.clear();
  s.menuModeControl = hWnd;
  for (win::HWND h : LiveControls()) {
    kestCommandBar* c = FindControl(h);
    if (c == nullptr || h == hWnd || c->IsPopupInstance()) continue;
    Disable(h, kOnEntry);
  }
  mHooks::InstallMouseHook(0);
}

// Marks menu mode as ending for as long as it lives.
class LeavingScope {
 public:
  LeavingScope() { state().leaving = true; }
  ~LeavingScope() { state().leaving = false; }
  LeavingScope(const LeavingScope&) = delete;
  LeavingScope& operator=(const LeavingScope&) = delete;
};

// The popups close first, while menu mode is still on: a handler of AfterShowMenu finds it on and
// can open nothing (the show is refused while menu mode ends), and no instance is freed while its
// menu is still shown.
void Leave() {
  MenuState& s = state();
  LeavingScope leaving;
  HideAllPopups();
  s.menuMode = false;
  s.keyboardCues = false;
  mHooks::RemoveMouseHook(0);
  ReleasePoolInstances();
  s.menuOwner = 0;
  s.stack.clear();  // records of popups that went without being hidden
  s.currentLevel = 0;
  EnableAgain([](const Disabled&) { return true; });
  const win::HWND control = s.menuModeControl;
  s.menuModeControl = 0;
  if (kestCommandBar* c = FindControl(control)) c->TrackMenu(0, 0, false, false);
  // Nothing stays pressed once the menus are gone.
  for (win::HWND h : LiveControls())
    if (kestCommandBar* c = FindControl(h)) c->ClearPressedState();
}

// Changes of the menus under way; kept apart from the menu state, which a change may reset.
int changesUnderWay = 0;

// Menu mode that shows nothing (no popup open, no hot item on the control it was entered through,
// or that control shows no bar any more) ends.
void LeaveUnlessShown() {
  const MenuState& s = state();
  if (!s.menuMode || s.leaving || !s.stack.empty()) return;
  kestCommandBar* c = FindControl(s.menuModeControl);
  if (c != nullptr && c->ShowsBar() && c->ShowsHotItem()) return;
  LeaveMenuMode();
}

// Whether any button of the store has the shortcut. Every button, those of submenus too, is in the
// store, so a key no button has needs no walk through the bars: most keys typed are such keys, and
// the walk asks every button for its owner on the way.
bool AnyButtonHasShortcut(std::int16_t vKey, std::int32_t eModifiers) {
  for (std::int32_t i = 1; i <= ButtonCount(); ++i) {
    const cButtonInt& b = ButtonItem(i);
    if (b.ShortcutKey() == vKey && b.ShortcutModifiers() == eModifiers) return true;
  }
  return false;
}

}  // namespace

MenuChange::MenuChange() : exceptions_(std::uncaught_exceptions()) { ++changesUnderWay; }

MenuChange::~MenuChange() noexcept(false) {
  if (--changesUnderWay > 0 || std::uncaught_exceptions() > exceptions_) return;
  LeaveUnlessShown();
}

void PushPopup(win::HWND hwnd, win::HWND hWndSource, bool bShownAsPopup, bool bNewLevel) {
  MenuState& s = state();
  std::int32_t level = NewestLevel();
  if (bNewLevel) ++level;
  cMenuPopupStack record;
  record.Initialise(hwnd, hWndSource, bShownAsPopup, level);
  // A popup shown again replaces its old record.
  std::erase_if(s.stack, [hwnd](const cMenuPopupStack& r) { return r.hwnd() == hwnd; });
  s.stack.push_back(record);
  for (const cMenuPopupStack& r : std::vector<cMenuPopupStack>(s.stack)) {
    if (r.RecursionLevel() >= level) continue;
    Disable(r.hwnd(), level);
    Disable(r.hWndSource(), level);
  }
  s.currentLevel = level;
}

void PopPopup(win::HWND hwnd) {
  MenuState& s = state();
  auto it = std::find_if(s.stack.begin(), s.stack.end(), [hwnd](const cMenuPopupStack& r) { return r.hwnd() == hwnd; });
  if (it != s.stack.end()) {
    const std::int32_t level = it->RecursionLevel();
    s.stack.erase(it);
    // The last popup of its level: what was disabled for that level is enabled again, whatever
    // order the levels close in.
    const bool last = std::none_of(s.stack.begin(), s.stack.end(),
                                   [level](const cMenuPopupStack& r) { return r.RecursionLevel() == level; });
    if (last) EnableAgain([level](const Disabled& d) { return d.level == level; });
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
  if (bState == s.menuMode || s.leaving) return;
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

bool LeavingMenuMode() { return state().leaving; }

void LeaveMenuMode() {
  if (state().leaving) return;
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
    if (c != nullptr && c->OwnerFormHwnd() == fg && c->MainMenu() && c->Enabled() && c->ShowsBar()) return c->hwnd();
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
  if (!AnyButtonHasShortcut(static_cast<std::int16_t>(vKey), eModifiers)) return false;
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
