// States of the menus that the toolkit itself no longer makes, built by hand so that a test can show
// the toolkit copes with them: an item's link to the popup that shows its menu.
#pragma once

#include <cstdint>

#include "platform/win/types.h"

namespace commandbars {
class kestCommandBar;
}

namespace commandbars::testing {

class MenuLinks {
 public:
  // The item at `position` (1-based) of the bar `from` shows its menu in the popup `menu`.
  static void Link(kestCommandBar& from, std::int32_t position, win::HWND menu);
};

}  // namespace commandbars::testing
