// The window menu: one copy per window that asked for it, held by handle. Only the menu's effect
// on closing is carried out (the close button and the closing routes); the menu is not popped up.
#include "platform/win/system_menu.h"

#include <QWidget>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

constexpr win::UINT kSeparator = 0;

struct SystemMenu {
  win::HMENU handle = 0;
  std::vector<win::UINT> items;
  bool tookCloseButton = false;  // the close button was ours to take, and is to come back
};

struct Menus {
  std::unordered_map<win::HWND, SystemMenu> byWindow;
  std::unordered_map<win::HMENU, win::HWND> windowOf;
  win::HMENU next = 0x5000;
};

Menus& menus() {
  static Menus m;
  return m;
}

std::vector<win::UINT> StandardItems() {
  return {win::SC_RESTORE, win::SC_MOVE, win::SC_SIZE, win::SC_MINIMIZE, win::SC_MAXIMIZE, kSeparator, win::SC_CLOSE};
}

bool IsTopLevel(win::HWND h) {
  WindowRecord* r = FindRecord(h);
  return r != nullptr && ((r->style & win::WS_CHILD) == 0 || r->madeTopLevel);
}

// The menu of a live window; a menu whose window went is forgotten.
SystemMenu* MenuOf(win::HMENU menu) {
  auto& m = menus();
  auto it = m.windowOf.find(menu);
  if (it == m.windowOf.end()) return nullptr;
  const win::HWND h = it->second;
  if (!win::IsWindow(h)) {
    m.byWindow.erase(h);
    m.windowOf.erase(it);
    return nullptr;
  }
  return &m.byWindow[h];
}

void SetCloseButton(QWidget* w, bool on) {
  const bool visible = w->isVisible();
  Qt::WindowFlags f = w->windowFlags();
  if (!f.testFlag(Qt::CustomizeWindowHint)) {
    // Spell out the frame the window had, so that taking one button leaves the others.
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
  }
  f.setFlag(Qt::WindowCloseButtonHint, on);
  if (f == w->windowFlags()) return;
  w->setWindowFlags(f);
  if (visible) w->show();
}

// Follows the menu with the window's close button.
void ApplyCloseButton(win::HWND h, SystemMenu& menu) {
  QWidget* w = WidgetOf(h);
  if (w == nullptr || !w->isWindow()) return;
  const bool hasClose = std::find(menu.items.begin(), menu.items.end(), win::SC_CLOSE) != menu.items.end();
  if (!hasClose && w->windowFlags().testFlag(Qt::WindowCloseButtonHint)) {
    menu.tookCloseButton = true;
    SetCloseButton(w, false);
  } else if (hasClose && menu.tookCloseButton) {
    menu.tookCloseButton = false;
    SetCloseButton(w, true);
  }
}

}  // namespace

bool UserMayClose(win::HWND h) {
  auto& m = menus();
  auto it = m.byWindow.find(h);
  if (it == m.byWindow.end()) return true;
  const auto& items = it->second.items;
  return std::find(items.begin(), items.end(), win::SC_CLOSE) != items.end();
}

}  // namespace platform::detail

namespace win {

using platform::detail::menus;
using platform::detail::SystemMenu;

HMENU GetSystemMenu(HWND h, BOOL revert) {
  if (!platform::detail::IsTopLevel(h)) return 0;
  auto& m = menus();
  auto it = m.byWindow.find(h);
  if (revert != FALSE) {
    if (it != m.byWindow.end()) {
      it->second.items = platform::detail::StandardItems();
      platform::detail::ApplyCloseButton(h, it->second);
      m.windowOf.erase(it->second.handle);
      m.byWindow.erase(it);
    }
    return 0;
  }
  if (it != m.byWindow.end()) return it->second.handle;
  SystemMenu menu;
  menu.handle = m.next++;
  menu.items = platform::detail::StandardItems();
  m.windowOf[menu.handle] = h;
  m.byWindow[h] = std::move(menu);
  return m.byWindow[h].handle;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  SystemMenu* sm = platform::detail::MenuOf(menu);
  if (sm == nullptr) return FALSE;
  auto& items = sm->items;
  auto at = items.end();
  if ((flags & MF_BYPOSITION) != 0) {
    if (position < items.size()) at = items.begin() + position;
  } else if (position != platform::detail::kSeparator) {
    at = std::find(items.begin(), items.end(), position);
  }
  if (at == items.end()) return FALSE;
  items.erase(at);
  platform::detail::ApplyCloseButton(menus().windowOf[menu], *sm);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  SystemMenu* sm = platform::detail::MenuOf(menu);
  return sm != nullptr ? static_cast<int>(sm->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  SystemMenu* sm = platform::detail::MenuOf(menu);
  if (sm == nullptr || position < 0 || position >= static_cast<int>(sm->items.size())) return 0xFFFFFFFFu;
  return sm->items[static_cast<std::size_t>(position)];
}

}  // namespace win
