#include "controls/tab_strip.h"

#include "controls/tab_control.h"
#include "platform/win/window.h"

namespace modTabStrip {
namespace {

using namespace win;

HHOOK hook = 0;
TabControl* served = nullptr;

bool NavigationKey(WPARAM vk) { return vk == 13 || (vk >= 33 && vk <= 40); }

LRESULT Filter(int code, WPARAM vk, LPARAM l) {
  const bool down = (static_cast<ULONG_PTR>(l) & 0x80000000u) == 0;
  const bool system = (static_cast<ULONG_PTR>(l) & (1u << 29)) != 0;  // with Alt: a menu key
  if (code == HC_ACTION && served != nullptr && down && !system && NavigationKey(vk)) {
    const HWND tab = served->TabCtrlhWnd();
    if (tab != 0 && GetFocus() == tab) {
      SendMessageA(tab, WM_KEYDOWN, vk, l);
      return 1;
    }
  }
  return CallNextHookEx(hook, code, vk, l);
}

void Unhook() {
  if (hook != 0) UnhookWindowsHookEx(hook);
  hook = 0;
}

}  // namespace

void Activate(TabControl* strip) {
  Unhook();
  served = strip;
  hook = SetWindowsHookExA(WH_KEYBOARD, &Filter, 0, GetCurrentThreadId());
}

void Deactivate(TabControl* strip) {
  if (served != strip) return;
  served = nullptr;
  Unhook();
}

bool Active() { return hook != 0; }

}  // namespace modTabStrip
