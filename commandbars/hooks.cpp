#include "commandbars/hooks.h"

#include <algorithm>
#include <vector>

#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "platform/vb/error.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace commandbars::mHooks {
namespace {

struct Hook {
  std::vector<win::HWND> windows;
  win::HHOOK handle = 0;
};

Hook& keyboard() {
  static Hook h;
  return h;
}
Hook& mouse() {
  static Hook h;
  return h;
}

void Install(Hook& hook, int type, win::HOOKPROC proc, win::HWND hWnd) {
  if (hook.windows.empty() && hook.handle == 0) hook.handle = win::SetWindowsHookExA(type, proc, 0, win::GetCurrentThreadId());
  if (std::find(hook.windows.begin(), hook.windows.end(), hWnd) != hook.windows.end()) return;
  if (hook.handle == 0) return;
  hook.windows.push_back(hWnd);
}

void Remove(Hook& hook, win::HWND hWnd) {
  auto it = std::find(hook.windows.begin(), hook.windows.end(), hWnd);
  if (it != hook.windows.end()) hook.windows.erase(it);
  if (hook.windows.empty() && hook.handle != 0) {
    win::UnhookWindowsHookEx(hook.handle);
    hook.handle = 0;
  }
}

// Held as of the key being handled, not as of now: a key read late keeps the modifiers it came with.
bool Down(int vk) { return win::GetKeyState(vk) < 0; }

bool EnterWithFirstItemHot();

constexpr std::int32_t kShift = 1;
constexpr std::int32_t kCtrl = 2;
constexpr std::int32_t kAlt = 4;

// The entry under which the mouse hook is held while an Alt tap is pending: no window has it.
constexpr win::HWND kAltTapWatch = -1;

// Alt pressed and released with no other key, no click and no change of keyboard layout between
// is a clean tap, which enters or leaves menu mode. A layout switched by Alt+Shift is no tap, however
// the desktop switched it: by a key of its own, or unseen, reported only by the layout the next keys
// come in. The mouse hook is asked for while a tap is pending, so that a click spoils it.
struct AltTap {
  bool clean = false;
  win::HKL layout = 0;
};
AltTap altTap;

void StartAltTap() {
  altTap.clean = !Down(win::VK_SHIFT) && !Down(win::VK_CONTROL);
  altTap.layout = win::GetKeyboardLayout(0);
  if (altTap.clean) InstallMouseHook(kAltTapWatch);
}

// True when the tap that ends now was clean.
bool EndAltTap() {
  const bool clean = altTap.clean && altTap.layout == win::GetKeyboardLayout(0);
  altTap = AltTap{};
  RemoveMouseHook(kAltTapWatch);
  return clean;
}

// Keys that only modify others, and chords of the desktop (Win held), pass the menus by.
bool PassesMenus(std::int32_t vk) {
  switch (vk) {
    case win::VK_SHIFT:
    case win::VK_CONTROL:
    case win::VK_RMENU:
    case win::VK_LWIN:
    case win::VK_RWIN:
    case win::VK_CAPITAL:
    case win::VK_NUMLOCK:
    case win::VK_SCROLL: return true;
    default: return Down(win::VK_LWIN) || Down(win::VK_RWIN);
  }
}

// Alt's press only starts a tap (a repeat of a held Alt does not start it again); its release ends
// it. The key is swallowed when true.
bool AltKey(bool released, bool fresh) {
  if (!released) {
    if (fresh) StartAltTap();
    return false;
  }
  if (!EndAltTap()) return false;
  if (mCommandBars::InMenuMode()) {
    mCommandBars::LeaveMenuMode();
    return true;
  }
  return EnterWithFirstItemHot();
}

// A control that shows no bar cannot take the keyboard: menu mode held by one ends, and the key goes
// on as outside menu mode.
bool KeyInMenuMode(std::int32_t vk, bool released, std::int32_t mask) {
  if (released || PassesMenus(vk)) return false;
  kestCommandBar* owner = mCommandBars::FindControl(mCommandBars::MenuOwnerHwnd());
  if (owner == nullptr) return mCommandBars::DispatchShortcut(vk, mask);
  if (!owner->ShowsBar()) {
    mCommandBars::LeaveMenuMode();
    return false;
  }
  mCommandBars::SetKeyboardCues(true);
  owner->HandleMenuKey(vk, mask);
  return true;
}

bool EnterWithFirstItemHot() {
  const win::HWND h = mCommandBars::ControlOfForegroundForm();
  kestCommandBar* c = mCommandBars::FindControl(h);
  if (c == nullptr) return false;
  mCommandBars::SetMenuOwnerHwnd(h);
  c->TrackMenu(0, 1, false, true);
  mCommandBars::SetMenuMode(true, h);
  mCommandBars::SetKeyboardCues(true);
  return true;
}

// Alt with a letter opens the menu-bar item with that mnemonic; true when there was one.
bool EnterWithMnemonic(std::int32_t vk, std::int32_t mask) {
  if (mask != kAlt || !mCommandBars::ForegroundMenuHasMnemonic(vk)) return false;
  const win::HWND h = mCommandBars::ControlOfForegroundForm();
  kestCommandBar* c = mCommandBars::FindControl(h);
  if (c == nullptr) return false;
  mCommandBars::SetMenuOwnerHwnd(h);
  mCommandBars::SetMenuMode(true, h);
  mCommandBars::SetKeyboardCues(true);
  c->HandleMenuKey(vk, mask);
  return true;
}

bool KeyOutsideMenuMode(std::int32_t vk, bool released, std::int32_t mask) {
  if (released) return false;
  if ((mask & kAlt) != 0 && EnterWithMnemonic(vk, mask)) return true;
  return mCommandBars::DispatchShortcut(vk, mask);
}

}  // namespace

void SpoilAltTap() { altTap.clean = false; }

void InstallKeyboardHook(win::HWND hWnd) { Install(keyboard(), win::WH_KEYBOARD, &KeyboardHookProc, hWnd); }
void RemoveKeyboardHook(win::HWND hWnd) {
  Remove(keyboard(), hWnd);
  if (keyboard().handle == 0) EndAltTap();  // no key will end a tap now
}
void InstallMouseHook(win::HWND hWnd) { Install(mouse(), win::WH_MOUSE, &MouseHookProc, hWnd); }
void RemoveMouseHook(win::HWND hWnd) { Remove(mouse(), hWnd); }
bool KeyboardHookInstalled() { return keyboard().handle != 0; }
bool MouseHookInstalled() { return mouse().handle != 0; }
std::int32_t KeyboardHookCount() { return static_cast<std::int32_t>(keyboard().windows.size()); }

win::LRESULT KeyboardHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam) {
  bool swallow = false;
  if (nCode == win::HC_ACTION && !keyboard().windows.empty()) {
    try {
      const auto vk = static_cast<std::int32_t>(wParam);
      const auto flags = static_cast<win::DWORD>(lParam);
      const bool released = (flags & 0x80000000u) != 0;
      const bool fresh = (flags & 0x40000000u) == 0;  // not held down already
      std::int32_t mask = 0;
      if (Down(win::VK_SHIFT)) mask |= kShift;
      if (Down(win::VK_CONTROL)) mask |= kCtrl;
      if (Down(win::VK_MENU) || vk == win::VK_MENU) mask |= kAlt;
      if (vk == win::VK_MENU) {
        swallow = AltKey(released, fresh);
      } else {
        if (!released) SpoilAltTap();
        swallow = mCommandBars::InMenuMode() ? KeyInMenuMode(vk, released, mask) : KeyOutsideMenuMode(vk, released, mask);
      }
    } catch (const vb::Error&) {
      swallow = false;
    }
  }
  if (swallow) return 1;
  return win::CallNextHookEx(keyboard().handle, nCode, wParam, lParam);
}

win::LRESULT MouseHookProc(int nCode, win::WPARAM wParam, win::LPARAM lParam) {
  if (nCode == win::HC_ACTION) {
    try {
      mCommandBars::SetKeyboardCues(false);
      switch (static_cast<win::UINT>(wParam)) {
        case win::WM_LBUTTONDOWN:
        case win::WM_RBUTTONDOWN:
        case win::WM_MBUTTONDOWN:
        case win::WM_NCLBUTTONDOWN:
        case win::WM_NCRBUTTONDOWN:
        case win::WM_NCMBUTTONDOWN: {
          SpoilAltTap();
          if (!mCommandBars::InMenuMode()) break;
          win::POINT p;
          win::GetCursorPos(&p);
          const win::HWND under = win::WindowFromPoint(p);
          if (under == mCommandBars::MenuOwnerHwnd()) break;
          kestCommandBar* c = mCommandBars::FindControl(under);
          if (c == nullptr) {
            mCommandBars::LeaveMenuMode();
          } else if (under == mCommandBars::ActivePopupHwnd()) {
            win::ScreenToClient(under, &p);
            if (c->HitTest(p.x, p.y) == 0) mCommandBars::LeaveMenuMode();
          } else if (!c->IsPopupInstance()) {
            mCommandBars::LeaveMenuMode();
          }
          break;
        }
        default:
          break;
      }
    } catch (const vb::Error&) {
    }
  }
  return win::CallNextHookEx(mouse().handle, nCode, wParam, lParam);
}

}  // namespace commandbars::mHooks
