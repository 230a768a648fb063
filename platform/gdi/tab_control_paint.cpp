// The tab control's painting in the classic look.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control_internal.h"
#include "platform/win/window.h"

namespace win::tab_detail {
namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right <= left || bottom <= top) return;
  const RECT r{left, top, right, bottom};
  const HBRUSH b = CreateSolidBrush(colour);
  FillRect(dc, &r, b);
  DeleteObject(b);
}
// Lines include both end points.
void HLine(HDC dc, int x0, int x1, int y, COLORREF c) { Fill(dc, std::min(x0, x1), y, std::max(x0, x1) + 1, y + 1, c); }
void VLine(HDC dc, int x, int y0, int y1, COLORREF c) { Fill(dc, x, std::min(y0, y1), x + 1, std::max(y0, y1) + 1, c); }
void Dot(HDC dc, int x, int y, COLORREF c) { SetPixelV(dc, x, y, c); }

// A dotted rectangle, every other pixel, as the focus is shown.
void FocusRect(HDC dc, const RECT& r) {
  const COLORREF c = GetSysColor(COLOR_WINDOWTEXT);
  for (int x = r.left; x < r.right; x += 2) {
    Dot(dc, x, r.top, c);
    Dot(dc, x, r.bottom - 1, c);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    Dot(dc, r.left, y, c);
    Dot(dc, r.right - 1, y, c);
  }
}

struct Colours {
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  COLORREF light = GetSysColor(COLOR_3DHILIGHT);
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
};

void DrawFrame(HDC dc, const Tab& t, Side side) {
  const Colours c;
  const RECT& f = t.frame;
  HLine(dc, f.left, f.right - 2, f.top, c.light);
  VLine(dc, f.left, f.top, f.bottom - 2, c.light);
  VLine(dc, f.right - 1, f.top, f.bottom - 1, c.dark);
  VLine(dc, f.right - 2, f.top + 1, f.bottom - 2, c.shadow);
  HLine(dc, f.left, f.right - 1, f.bottom - 1, c.dark);
  HLine(dc, f.left + 1, f.right - 2, f.bottom - 2, c.shadow);
  (void)side;
}

// The edges of a tab in its drawn rectangle r; the side that meets the frame stays open.
void DrawTabEdges(HDC dc, RECT r, Side side) {
  const Colours c;
  switch (side) {
    case Side::Top:
      VLine(dc, r.left, r.top + 2, r.bottom - 1, c.light);
      Dot(dc, r.left + 1, r.top + 1, c.light);
      HLine(dc, r.left + 2, r.right - 3, r.top, c.light);
      Dot(dc, r.right - 2, r.top + 1, c.dark);
      VLine(dc, r.right - 1, r.top + 2, r.bottom - 1, c.dark);
      VLine(dc, r.right - 2, r.top + 2, r.bottom - 1, c.shadow);
      break;
    case Side::Bottom:
      VLine(dc, r.left, r.top, r.bottom - 3, c.light);
      Dot(dc, r.left + 1, r.bottom - 2, c.dark);
      HLine(dc, r.left + 2, r.right - 3, r.bottom - 1, c.dark);
      HLine(dc, r.left + 2, r.right - 3, r.bottom - 2, c.shadow);
      Dot(dc, r.right - 2, r.bottom - 2, c.dark);
      VLine(dc, r.right - 1, r.top, r.bottom - 3, c.dark);
      VLine(dc, r.right - 2, r.top, r.bottom - 3, c.shadow);
      break;
    case Side::Left:
      HLine(dc, r.left + 2, r.right - 1, r.top, c.light);
      Dot(dc, r.left + 1, r.top + 1, c.light);
      VLine(dc, r.left, r.top + 2, r.bottom - 3, c.light);
      Dot(dc, r.left + 1, r.bottom - 2, c.dark);
      HLine(dc, r.left + 2, r.right - 1, r.bottom - 1, c.dark);
      HLine(dc, r.left + 2, r.right - 1, r.bottom - 2, c.shadow);
      break;
    case Side::Right:
      HLine(dc, r.left, r.right - 3, r.top, c.light);
      Dot(dc, r.right - 2, r.top + 1, c.dark);
      VLine(dc, r.right - 1, r.top + 2, r.bottom - 3, c.dark);
      VLine(dc, r.right - 2, r.top + 2, r.bottom - 3, c.shadow);
      Dot(dc, r.right - 2, r.bottom - 2, c.dark);
      HLine(dc, r.left, r.right - 3, r.bottom - 1, c.dark);
      HLine(dc, r.left, r.right - 3, r.bottom - 2, c.shadow);
      break;
  }
}

// The selected tab grows by kEdge on three sides and reaches over the frame's edge line.
RECT DrawnRect(const RECT& rc, Side side, bool selected) {
  if (!selected) return rc;
  RECT r = rc;
  switch (side) {
    case Side::Top: r = RECT{rc.left - kEdge, rc.top - kEdge, rc.right + kEdge, rc.bottom + 1}; break;
    case Side::Bottom: r = RECT{rc.left - kEdge, rc.top - 1, rc.right + kEdge, rc.bottom + kEdge}; break;
    case Side::Left: r = RECT{rc.left - kEdge, rc.top - kEdge, rc.right + 1, rc.bottom + kEdge}; break;
    case Side::Right: r = RECT{rc.left - 1, rc.top - kEdge, rc.right + kEdge, rc.bottom + kEdge}; break;
  }
  return r;
}

// The inside of a drawn tab, where its picture and caption go.
RECT Inside(const RECT& r, Side side) {
  switch (side) {
    case Side::Top: return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom};
    case Side::Bottom: return RECT{r.left + 2, r.top, r.right - 2, r.bottom - 2};
    case Side::Left: return RECT{r.left + 2, r.top + 2, r.right, r.bottom - 2};
    case Side::Right: return RECT{r.left, r.top + 2, r.right - 2, r.bottom - 2};
  }
  return r;
}

void DrawCaption(HDC dc, const Tab& t, int i, RECT in, Side side, COLORREF colour) {
  const Item& item = t.items[i];
  int iconW = 0, iconH = 0;
  if (t.images != 0 && item.image >= 0 && ImageList_GetIconSize(t.images, &iconW, &iconH)) {
    if (Vertical(side)) {
      const int x = in.left + (in.right - in.left - iconW) / 2;
      const int y = side == Side::Left ? in.bottom - t.padX - iconH : in.top + t.padX;
      ImageList_Draw(t.images, item.image, dc, x, y, ILD_TRANSPARENT);
      if (side == Side::Left) in.bottom = y - 3; else in.top = y + iconH + 3;
    } else {
      const int x = in.left + t.padX - 2;
      ImageList_Draw(t.images, item.image, dc, x, in.top + (in.bottom - in.top - iconH) / 2, ILD_TRANSPARENT);
      in.left = x + iconW + 3;
    }
  }
  SetTextColor(dc, colour);
  if (!Vertical(side)) {
    DrawTextW(dc, item.text, -1, &in, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }
  // Turned text: up the tab on the left, down it on the right.
  LOGFONTA lf;
  GetObjectA(t.font != 0 ? t.font : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfEscapement = lf.lfOrientation = side == Side::Left ? 900 : 2700;
  const HFONT turned = CreateFontIndirectA(&lf);
  const HGDIOBJ old = SelectObject(dc, turned);
  SIZE s;
  GetTextExtentPoint32W(dc, item.text, static_cast<int>(item.text.size()), &s);
  const int w = in.right - in.left, h = in.bottom - in.top;
  RECT at = side == Side::Left ? RECT{in.left + (w - s.cy) / 2, in.top + (h + s.cx) / 2, 0, 0}
                               : RECT{in.left + (w + s.cy) / 2, in.top + (h - s.cx) / 2, 0, 0};
  at.right = at.left + s.cx;
  at.bottom = at.top + s.cy;
  DrawTextW(dc, item.text, -1, &at, DT_SINGLELINE | DT_NOCLIP);
  SelectObject(dc, old);
  DeleteObject(turned);
}

void DrawItem(HDC dc, const Tab& t, int i, LONG style, Side side) {
  const bool buttons = (style & TCS_BUTTONS) != 0;
  const bool selected = i == t.sel;
  const RECT drawn = DrawnRect(t.items[i].rc, side, selected && !buttons);
  RECT in = Inside(drawn, side);
  const Colours c;
  if (buttons) {
    RECT b = drawn;
    if (selected) {
      DrawEdge(dc, &b, EDGE_SUNKEN, BF_RECT);
    } else if ((style & TCS_FLATBUTTONS) == 0) {
      DrawEdge(dc, &b, EDGE_RAISED, BF_RECT);
    } else if ((t.exStyle & TCS_EX_FLATSEPARATORS) != 0 && i + 1 < static_cast<int>(t.items.size())) {
      VLine(dc, drawn.right + 1, drawn.top + 2, drawn.bottom - 3, c.shadow);
      VLine(dc, drawn.right + 2, drawn.top + 2, drawn.bottom - 3, c.light);
    }
    in = RECT{drawn.left + 2, drawn.top + 2, drawn.right - 2, drawn.bottom - 2};
    if (selected) {
      ++in.left;
      ++in.top;
      ++in.right;
      ++in.bottom;
    }
  } else {
    Fill(dc, drawn.left + 1, drawn.top + 1, drawn.right - 1, drawn.bottom, c.face);
    DrawTabEdges(dc, drawn, side);
    if (selected) {
      // The frame's edge line gives way under the selected tab.
      switch (side) {
        case Side::Top: HLine(dc, drawn.left + 1, drawn.right - 3, t.frame.top, c.face); break;
        case Side::Bottom:
          HLine(dc, drawn.left + 1, drawn.right - 3, t.frame.bottom - 1, c.face);
          HLine(dc, drawn.left + 1, drawn.right - 3, t.frame.bottom - 2, c.face);
          break;
        case Side::Left: VLine(dc, t.frame.left, drawn.top + 1, drawn.bottom - 3, c.face); break;
        case Side::Right:
          VLine(dc, t.frame.right - 1, drawn.top + 1, drawn.bottom - 3, c.face);
          VLine(dc, t.frame.right - 2, drawn.top + 1, drawn.bottom - 3, c.face);
          break;
      }
    }
  }
  if ((style & TCS_OWNERDRAWFIXED) != 0) {
    DRAWITEMSTRUCT di;
    di.CtlType = ODT_TAB;
    di.CtlID = static_cast<UINT>(GetWindowLongA(t.h, GWL_ID));
    di.itemID = static_cast<UINT>(i);
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = (selected ? ODS_SELECTED : 0) | (selected && GetFocus() == t.h ? ODS_FOCUS : 0);
    di.hwndItem = t.h;
    di.hDC = dc;
    di.rcItem = in;
    di.itemData = static_cast<ULONG_PTR>(t.items[i].param);
    if (HWND parent = GetParent(t.h)) SendMessageA(parent, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    return;
  }
  const bool hot = (style & TCS_HOTTRACK) != 0 && i == t.hot;
  const int ink = !IsWindowEnabled(t.h) ? COLOR_GRAYTEXT : hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT;
  DrawCaption(dc, t, i, in, side, GetSysColor(ink));
  if (selected && GetFocus() == t.h) {
    RECT f = Vertical(side) ? RECT{in.left + 1, in.top + 3, in.right - 2, in.bottom - 3}
                               : RECT{in.left + 3, in.top + 1, in.right - 3, in.bottom - 2};
    FocusRect(dc, f);
  }
}

}  // namespace

void Paint(Tab& t) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(t.h, &ps);
  if (dc == 0) return;
  SendMessageA(t.h, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0);
  Layout(t);
  const LONG style = StyleOf(t.h);
  const Side side = SideOf(style);
  const bool buttons = (style & TCS_BUTTONS) != 0;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  RECT client;
  GetClientRect(t.h, &client);
  // The band of the tabs is painted here; the display area only by the erase.
  switch (side) {
    case Side::Top: Fill(dc, 0, 0, client.right, t.frame.top + 1, face); break;
    case Side::Bottom: Fill(dc, 0, t.frame.bottom - 2, client.right, client.bottom, face); break;
    case Side::Left: Fill(dc, 0, 0, t.frame.left + 1, client.bottom, face); break;
    case Side::Right: Fill(dc, t.frame.right - 2, 0, client.right, client.bottom, face); break;
  }
  if (!buttons) DrawFrame(dc, t, side);
  const HGDIOBJ oldFont = SelectObject(dc, t.font != 0 ? t.font : GetStockObject(DEFAULT_GUI_FONT));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < static_cast<int>(t.items.size()); ++i)
    if (i != t.sel) DrawItem(dc, t, i, style, side);
  if (t.sel >= 0 && t.sel < static_cast<int>(t.items.size())) DrawItem(dc, t, t.sel, style, side);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  EndPaint(t.h, &ps);
}

}  // namespace win::tab_detail
