// One button's place and pointer state in one control's display of a bar: its rectangle in the
// control's client pixels (filled by the bar's layout), whether the layout left it out, and the
// hot, pressed and open-menu flags the control's tracking keeps.
#pragma once

#include <cstdint>

#include "platform/win/types.h"

namespace commandbars {

struct cDisplayButtonInfo {
  std::int32_t left = 0;
  std::int32_t tOp = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  bool mouseDown = false;
  bool mouseOver = false;
  bool MouseOverSplit = false;
  bool MouseDownSplit = false;
  bool menuInitiator = false;
  bool ShowingMenu = false;
  win::HWND hWndMenu = 0;  // popup opened from the button
  bool Hidden = false;     // overflowed: shown in the chevron menu instead
};

}  // namespace commandbars
