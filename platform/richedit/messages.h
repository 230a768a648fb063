// Messages of the rich edit control and the page-formatting record it draws by.
#pragma once

#include "platform/win/types.h"

namespace win {

// wParam: a 0-based line (-1: the caret's line). Result: the character index of its first
// character, or -1 when the text has no such line. Lines are the text's lines (separated by CR LF).
constexpr UINT EM_LINEINDEX = 0x00BB;
// wParam: non-zero to draw, 0 to measure only; lParam: a FORMATRANGE, or 0 to release the cached
// formatting. Result: the index of the first character that did not fit in the rectangle.
constexpr UINT EM_FORMATRANGE = WM_USER + 57;

struct CHARRANGE {
  LONG cpMin = 0;
  LONG cpMax = 0;  // -1: to the end of the text
};

// Rectangles in twips, relative to the printable area of the device. The device context fields hold
// the printer's hDC.
struct FORMATRANGE {
  LONG_PTR hdc = 0;
  LONG_PTR hdcTarget = 0;
  RECT rc;
  RECT rcPage;
  CHARRANGE chrg;
};

}  // namespace win
