// The records' way up to the control registry and the menu state.
#include "commandbars/toolkit_links.h"

#include <string>

namespace commandbars {
namespace {
ToolkitLinks* g_links = nullptr;
}  // namespace

void SetToolkitLinks(ToolkitLinks* links) { g_links = links; }
ToolkitLinks* CurrentToolkitLinks() { return g_links; }

IBarControl* FindBarControl(win::HWND hWnd) {
  if (g_links == nullptr || hWnd == 0) return nullptr;
  return g_links->ControlFromHwnd(hWnd);
}

bool KeyboardCuesOn() { return g_links != nullptr && g_links->KeyboardCues(); }

bool InfrequentItemsShown() { return g_links == nullptr || g_links->ShowInfrequentlyUsed(); }

std::u16string HandleKey(win::HWND hWnd) {
  std::u16string key;
  for (char c : std::to_string(hWnd)) key += static_cast<char16_t>(c);
  return key + u'H';
}

}  // namespace commandbars
