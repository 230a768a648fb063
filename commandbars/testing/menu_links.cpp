#include "commandbars/testing/menu_links.h"

#include "commandbars/kest_command_bar.h"

namespace commandbars::testing {

void MenuLinks::Link(kestCommandBar& from, std::int32_t position, win::HWND menu) {
  cDisplayButtonInfo& r = from.m_cDisplayInfo.at(static_cast<std::size_t>(position - 1));
  r.ShowingMenu = true;
  r.hWndMenu = menu;
}

}  // namespace commandbars::testing
