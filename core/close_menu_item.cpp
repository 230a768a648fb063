#include "core/close_menu_item.h"

#include "platform/win/system_menu.h"

namespace modGeneral {

void RemoveCloseMenuItem(win::HWND window) {
  const win::HMENU menu = win::GetSystemMenu(window, win::FALSE);
  win::DeleteMenu(menu, 6, win::MF_BYPOSITION);
  win::DeleteMenu(menu, 5, win::MF_BYPOSITION);
}

}  // namespace modGeneral
