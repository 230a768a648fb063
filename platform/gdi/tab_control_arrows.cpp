// The scroll arrows a tab control shows when its single row does not fit: a left and a right button.
#include <algorithm>
#include <unordered_map>

#include "platform/gdi/gdi.h"
#include "platform/gdi/tab_control_internal.h"
#include "platform/win/window.h"

namespace win::tab_detail {
namespace {

struct Arrows {
  int lower = 0;
  int upper = 0;
  int pos = 0;
};

std::unordered_map<HWND, Arrows>& arrows() {
  static std::unordered_map<HWND, Arrows> a;
  return a;
}

void PaintArrow(HDC dc, RECT r, bool left, bool enabled) {
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  const COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  // A triangle four pixels deep, pointing the arrow's way.
  for (int k = 0; k < 4; ++k) {
    const int x = left ? cx - 2 + k : cx + 1 - k;
    const RECT column{x, cy - k, x + 1, cy + k + 1};
    const HBRUSH b = CreateSolidBrush(ink);
    FillRect(dc, &column, b);
    DeleteObject(b);
  }
}

}  // namespace

LRESULT ArrowsProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_CREATE: arrows()[h] = Arrows{}; return 0;
    case WM_NCDESTROY: arrows().erase(h); return 0;
    case UDM_SETRANGE:
      arrows()[h].upper = static_cast<std::int16_t>(LOWORD(static_cast<ULONG_PTR>(l)));
      arrows()[h].lower = static_cast<std::int16_t>(HIWORD(static_cast<ULONG_PTR>(l)));
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case UDM_SETPOS: {
      const int old = arrows()[h].pos;
      arrows()[h].pos = static_cast<std::int16_t>(LOWORD(static_cast<ULONG_PTR>(l)));
      InvalidateRect(h, nullptr, FALSE);
      return old;
    }
    case UDM_GETPOS: return arrows()[h].pos;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      const Arrows& a = arrows()[h];
      const int mid = r.right / 2;
      PaintArrow(dc, RECT{0, 0, mid, r.bottom}, true, a.pos > a.lower);
      PaintArrow(dc, RECT{mid, 0, r.right, r.bottom}, false, a.pos < a.upper);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      RECT r;
      GetClientRect(h, &r);
      Arrows& a = arrows()[h];
      const int to = std::clamp(a.pos + (GET_X_LPARAM(l) < r.right / 2 ? -1 : 1), a.lower, a.upper);
      if (to == a.pos) return 0;
      a.pos = to;
      InvalidateRect(h, nullptr, FALSE);
      if (HWND parent = GetParent(h)) SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, to), h);
      return 0;
    }
    default: return DefWindowProcA(h, msg, w, l);
  }
}

}  // namespace win::tab_detail
