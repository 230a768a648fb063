// The request to paint one button: where and in which state, on which context, in which drawing
// mode. The control fills the bar-wide fields once per paint and the per-button fields from the
// button's display record before each button.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/types.h"

namespace commandbars {

class cCommandBarImageList;

struct cDrawButtonParams {
  win::HWND hwnd = 0;  // window of the control that draws
  win::HDC hdc = 0;
  std::u16string FontFace;
  std::int32_t FontSize = 0;
  win::HFONT hFont = 0;  // selected for text
  std::int32_t left = 0;
  std::int32_t tOp = 0;
  std::int32_t Height = 0;
  bool RightToLeft = false;
  bool MouseOverButton = false;  // hot
  bool MouseDownButton = false;  // pressed
  bool MouseOverSplit = false;
  bool MouseDownSplit = false;
  bool ShowingMenu = false;  // the button's sub-bar is open
  // 1 menu item, 2 the chevron's add-or-remove list, 3 main menu bar, 4 and 5 toolbar button.
  std::int32_t SizeStyle = 0;
  std::int32_t Orientation = 0;  // 0 and 3 horizontal, 1 and 2 vertical
  bool Enabled = true;           // the control is enabled
  std::int32_t Size = 0;         // the button's width
  std::int32_t ToolbarSize = 0;  // the bar's thickness
  cCommandBarImageList* ImageList = nullptr;  // not owned; nullptr draws no icons
  bool Hidden = false;
  std::int32_t ButtonPosition = 0;  // 1 caption under the icon, else beside it
};

}  // namespace commandbars
