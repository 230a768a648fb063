#include "controls/tab_strip.h"

#include <algorithm>
#include <vector>

#include "controls/tab_control.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace modTabStrip {
namespace {

using namespace win;

HHOOK hook = 0;
TabControl* served = nullptr;

std::vector<TabControl*>& strips() {
  static std::vector<TabControl*> s;
  return s;
}

bool NavigationKey(WPARAM vk) { return vk == VK_RETURN || (vk >= VK_PRIOR && vk <= VK_DOWN); }

bool PageKey(WPARAM vk) {
  return (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (vk == VK_TAB || vk == VK_NEXT || vk == VK_PRIOR);
}

// The strip on the window that has the keyboard, or null.
TabControl* StripOfFocusedWindow() {
  const HWND focus = GetFocus();
  if (focus == 0) return nullptr;
  const HWND top = GetAncestorTopLevel(focus);
  for (TabControl* strip : strips()) {
    const HWND tab = strip->TabCtrlhWnd();
    if (tab != 0 && IsWindowVisible(tab) && GetAncestorTopLevel(tab) == top) return strip;
  }
  return nullptr;
}

// Hands a key to the strip that takes it; false when the key is none of the strips'.
bool ToStrip(WPARAM vk, LPARAM l) {
  if (PageKey(vk)) {
    TabControl* strip = StripOfFocusedWindow();
    if (strip == nullptr) return false;
    SendMessageA(strip->TabCtrlhWnd(), WM_KEYDOWN, vk, l);
    return true;
  }
  const HWND tab = served != nullptr ? served->TabCtrlhWnd() : 0;
  if (tab == 0 || GetFocus() != tab) return false;
  if (NavigationKey(vk)) {
    SendMessageA(tab, WM_KEYDOWN, vk, l);
    return true;
  }
  if (vk == VK_ESCAPE) {
    SendMessageA(served->hwnd(), WM_KEYDOWN, vk, l);
    return true;
  }
  return false;
}

LRESULT Filter(int code, WPARAM vk, LPARAM l) {
  const bool down = (static_cast<ULONG_PTR>(l) & 0x80000000u) == 0;
  const bool system = (static_cast<ULONG_PTR>(l) & (1u << 29)) != 0;  // with Alt: a menu key
  if (code == HC_ACTION && down && !system && ToStrip(vk, l)) return 1;
  return CallNextHookEx(hook, code, vk, l);
}

void Hook() {
  if (hook != 0) UnhookWindowsHookEx(hook);
  hook = SetWindowsHookExA(WH_KEYBOARD, &Filter, 0, GetCurrentThreadId());
}

void Unhook() {
  if (hook != 0) UnhookWindowsHookEx(hook);
  hook = 0;
}

}  // namespace

void Register(TabControl* strip) {
  if (std::find(strips().begin(), strips().end(), strip) == strips().end()) strips().push_back(strip);
  if (hook == 0) Hook();
}

void Activate(TabControl* strip) {
  Register(strip);
  served = strip;
  Hook();
}

void Deactivate(TabControl* strip) {
  std::erase(strips(), strip);
  if (served == strip) served = nullptr;
  if (strips().empty()) Unhook();
}

bool Active() { return hook != 0; }

}  // namespace modTabStrip
