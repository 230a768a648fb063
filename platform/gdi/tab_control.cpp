// The tab control and its scroll arrows: state per window, layout, painting and input.
//
// Geometry (tabs at the top; the other sides mirror it): the first tab starts 2 pixels in, rows
// start 2 pixels down and are one item height tall; the page frame starts under the last row with a
// highlight line at the top and left and shadow and dark-shadow lines at the right and bottom. The
// selected tab is drawn 2 pixels wider on each side and 2 taller, over the frame's top line. The
// display area is the frame less 4 pixels on every side.
#include "platform/gdi/tab_control.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace win {
namespace {

constexpr int kEdge = 2;        // the first tab's inset and the selected tab's growth
constexpr int kButtonGap = 3;   // between buttons
constexpr int kFrameInset = 4;  // from the frame's outer edge to the display area
constexpr int kArrowWidth = 16; // one scroll arrow

struct Item {
  std::u16string text;
  int image = -1;
  LPARAM param = 0;
  DWORD state = 0;
  RECT rc;  // laid out
};

enum class Side { Top, Bottom, Left, Right };

struct Tab {
  HWND h = 0;
  std::vector<Item> items;
  int sel = -1;
  int hot = -1;
  int first = 0;  // first shown tab of a scrolled single row
  HIMAGELIST images = 0;
  HFONT font = 0;
  int padX = 6;
  int padY = 3;
  DWORD exStyle = 0;
  HWND arrows = 0;
  // Laid out.
  int rows = 1;
  int itemHeight = 0;
  RECT frame;  // page frame (tabs) or the area the buttons leave (buttons)
  bool arrowsShown = false;
};

std::unordered_map<HWND, std::unique_ptr<Tab>>& tabs() {
  static std::unordered_map<HWND, std::unique_ptr<Tab>> t;
  return t;
}

Tab* Find(HWND h) {
  auto it = tabs().find(h);
  return it == tabs().end() ? nullptr : it->second.get();
}

LONG StyleOf(HWND h) { return static_cast<LONG>(GetWindowLongA(h, GWL_STYLE)); }

Side SideOf(LONG style) {
  const bool vertical = (style & TCS_VERTICAL) != 0;
  const bool other = (style & TCS_BOTTOM) != 0;
  if (vertical) return other ? Side::Right : Side::Left;
  return other ? Side::Bottom : Side::Top;
}

bool Vertical(Side s) { return s == Side::Left || s == Side::Right; }

// --- drawing helpers ----------------------------------------------------------------------------

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

// --- notifications --------------------------------------------------------------------------------

struct NMTCKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

LRESULT Notify(HWND h, int code, NMHDR* hdr = nullptr) {
  NMHDR plain;
  if (hdr == nullptr) hdr = &plain;
  hdr->hwndFrom = h;
  hdr->idFrom = static_cast<UINT_PTR>(GetWindowLongA(h, GWL_ID));
  hdr->code = code;
  const HWND parent = GetParent(h);
  if (parent == 0) return 0;
  return SendMessageA(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

// --- layout -----------------------------------------------------------------------------------------

struct Measure {
  int width = 0;
  int height = 0;
};

// Text and icon size of every tab; owner-drawn tabs ask their parent.
std::vector<Measure> MeasureItems(Tab& t, LONG style) {
  std::vector<Measure> m(t.items.size());
  const HDC dc = GetDC(t.h);
  const HGDIOBJ oldFont = SelectObject(dc, t.font != 0 ? t.font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  int iconW = 0, iconH = 0;
  if (t.images != 0) ImageList_GetIconSize(t.images, &iconW, &iconH);
  const int height = std::max<int>(tm.tmHeight, iconH) + 2 * t.padY;
  for (std::size_t i = 0; i < t.items.size(); ++i) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, t.items[i].text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    int w = (r.right - r.left) + 2 * t.padX;
    if (t.images != 0 && t.items[i].image >= 0) w += iconW + 3;
    m[i] = Measure{w, height};
  }
  SelectObject(dc, oldFont);
  ReleaseDC(t.h, dc);
  if ((style & TCS_OWNERDRAWFIXED) != 0) {
    for (std::size_t i = 0; i < m.size(); ++i) {
      MEASUREITEMSTRUCT mi;
      mi.CtlType = ODT_TAB;
      mi.CtlID = static_cast<UINT>(GetWindowLongA(t.h, GWL_ID));
      mi.itemID = static_cast<UINT>(i);
      mi.itemWidth = static_cast<UINT>(m[i].width);
      mi.itemHeight = static_cast<UINT>(m[i].height);
      mi.itemData = static_cast<ULONG_PTR>(t.items[i].param);
      if (HWND parent = GetParent(t.h); parent != 0 && SendMessageA(parent, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi)) != 0)
        m[i] = Measure{static_cast<int>(mi.itemWidth), static_cast<int>(mi.itemHeight)};
    }
  }
  return m;
}

// Splits the tabs into rows along a run of `length` pixels; a row that is not the only one is
// stretched to fill the run.
std::vector<std::vector<int>> Rows(const std::vector<Measure>& m, int start, int gap, int length, bool wrap) {
  std::vector<std::vector<int>> rows(1);
  int x = start;
  for (int i = 0; i < static_cast<int>(m.size()); ++i) {
    if (wrap && !rows.back().empty() && x + m[i].width > length) {
      rows.emplace_back();
      x = start;
    }
    rows.back().push_back(i);
    x += m[i].width + gap;
  }
  return rows;
}

void ArrowsAt(Tab& t, const RECT& r, bool shown) {
  if (t.arrows == 0 && shown) {
    t.arrows = CreateWindowExA(0, UPDOWN_CLASSA, u"", WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               t.h, 1, 0, nullptr);
  }
  if (t.arrows == 0) return;
  if (shown) {
    MoveWindow(t.arrows, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    SendMessageA(t.arrows, UDM_SETRANGE, 0, MAKELPARAM(static_cast<int>(t.items.size()) - 1, 0));
    SendMessageA(t.arrows, UDM_SETPOS, 0, MAKELPARAM(t.first, 0));
    if (!IsWindowVisible(t.arrows)) ShowWindow(t.arrows, SW_SHOWNA);
  } else if (IsWindowVisible(t.arrows)) {
    ShowWindow(t.arrows, SW_HIDE);
  }
  t.arrowsShown = shown;
}

void Layout(Tab& t) {
  const LONG style = StyleOf(t.h);
  const Side side = SideOf(style);
  const bool buttons = (style & TCS_BUTTONS) != 0;
  RECT client;
  GetClientRect(t.h, &client);
  const int W = client.right, H = client.bottom;
  const int length = Vertical(side) ? H : W;
  const int start = buttons ? 0 : kEdge;
  const int gap = buttons ? kButtonGap : 0;
  const bool wrap = (style & TCS_MULTILINE) != 0 || Vertical(side);
  const std::vector<Measure> m = MeasureItems(t, style);
  t.itemHeight = 0;
  for (const Measure& x : m) t.itemHeight = std::max(t.itemHeight, x.height);
  auto rows = Rows(m, start, gap, length - (buttons ? 0 : kEdge), wrap);
  t.rows = t.items.empty() ? 0 : static_cast<int>(rows.size());

  // Positions along the row.
  std::vector<int> along(m.size()), size(m.size());
  for (auto& row : rows) {
    int used = 0;
    for (int i : row) used += m[i].width + gap;
    const int spare = rows.size() > 1 ? std::max(0, length - (buttons ? 0 : kEdge) - start - used) : 0;
    int x = start;
    for (std::size_t k = 0; k < row.size(); ++k) {
      const int extra = spare / static_cast<int>(row.size()) + (k + 1 == row.size() ? spare % static_cast<int>(row.size()) : 0);
      along[row[k]] = x;
      size[row[k]] = m[row[k]].width + extra;
      x += size[row[k]] + gap;
    }
  }
  // A single row that does not fit scrolls, with arrows at its end.
  bool arrows = false;
  if (!wrap && !t.items.empty()) {
    const int end = along.back() + size.back();
    arrows = end > length - (buttons ? 0 : kEdge);
    if (!arrows) t.first = 0;
    t.first = std::clamp(t.first, 0, static_cast<int>(t.items.size()) - 1);
    const int shift = along[t.first] - start;
    for (int& x : along) x -= shift;
  }

  // Rows across: the row of the selected tab lies next to the frame.
  int selRow = static_cast<int>(rows.size()) - 1;
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (std::find(rows[r].begin(), rows[r].end(), t.sel) != rows[r].end()) selRow = static_cast<int>(r);
  const int n = static_cast<int>(rows.size());
  const int step = t.itemHeight + (buttons ? kButtonGap : 0);
  const int band = t.rows * step + (buttons ? 0 : kEdge);
  t.frame = RECT{0, 0, W, H};
  switch (side) {
    case Side::Top: t.frame.top = band; break;
    case Side::Bottom: t.frame.bottom = H - band; break;
    case Side::Left: t.frame.left = band; break;
    case Side::Right: t.frame.right = W - band; break;
  }
  for (int r = 0; r < n; ++r) {
    const int distance = (r - selRow + n) % n;  // 0: next to the frame
    for (int i : rows[r]) {
      const int across0 = buttons ? (n - 1 - distance) * step : band - (distance + 1) * t.itemHeight;
      RECT& rc = t.items[i].rc;
      switch (side) {
        case Side::Top: rc = RECT{along[i], across0, along[i] + size[i], across0 + t.itemHeight}; break;
        case Side::Bottom: rc = RECT{along[i], H - across0 - t.itemHeight, along[i] + size[i], H - across0}; break;
        case Side::Left: rc = RECT{across0, along[i], across0 + t.itemHeight, along[i] + size[i]}; break;
        case Side::Right: rc = RECT{W - across0 - t.itemHeight, along[i], W - across0, along[i] + size[i]}; break;
      }
    }
  }
  RECT ar{0, 0, 0, 0};
  if (arrows) {
    const int top = side == Side::Top ? (buttons ? 0 : kEdge - 1) : H - band;
    ar = RECT{W - 2 * kArrowWidth, top, W, top + t.itemHeight};
  }
  ArrowsAt(t, ar, arrows);
}

// --- painting ----------------------------------------------------------------------------------------

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
  DrawCaption(dc, t, i, in, side, GetSysColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
  if (selected && GetFocus() == t.h) {
    RECT f = Vertical(side) ? RECT{in.left + 1, in.top + 3, in.right - 2, in.bottom - 3}
                               : RECT{in.left + 3, in.top + 1, in.right - 3, in.bottom - 2};
    FocusRect(dc, f);
  }
}

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

// --- selection and input ---------------------------------------------------------------------------

int HitTest(Tab& t, POINT p) {
  Layout(t);
  RECT client;
  GetClientRect(t.h, &client);
  if (t.arrowsShown && p.x >= client.right - 2 * kArrowWidth) return -1;  // the arrows' own
  for (int i = 0; i < static_cast<int>(t.items.size()); ++i) {
    const RECT& r = t.items[i].rc;
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

// The scroll position that shows tab i whole, as far as the row allows.
void ScrollTo(Tab& t, int i) {
  if (!t.arrowsShown || i < 0) return;
  if (i < t.first) {
    t.first = i;
    return;
  }
  RECT client;
  GetClientRect(t.h, &client);
  while (t.first < i) {
    Layout(t);
    if (!t.arrowsShown || t.items[i].rc.right <= client.right - 2 * kArrowWidth) break;
    ++t.first;
  }
}

// The user's selection: the parent may refuse it.
void Choose(Tab& t, int i) {
  if (i < 0 || i >= static_cast<int>(t.items.size()) || i == t.sel) return;
  const HWND h = t.h;
  if (Notify(h, TCN_SELCHANGING) != 0) return;
  Tab* again = Find(h);
  if (again == nullptr || i >= static_cast<int>(again->items.size())) return;
  again->sel = i;
  ScrollTo(*again, i);
  InvalidateRect(h, nullptr, TRUE);
  Notify(h, TCN_SELCHANGE);
}

void KeyDown(Tab& t, WPARAM vk, LPARAM l) {
  NMTCKEYDOWN kd;
  kd.wVKey = static_cast<WORD>(vk);
  kd.flags = static_cast<UINT>(l);
  const HWND h = t.h;
  Notify(h, TCN_KEYDOWN, &kd.hdr);
  Tab* again = Find(h);
  if (again == nullptr || again->items.empty()) return;
  const int last = static_cast<int>(again->items.size()) - 1;
  const int cur = again->sel;
  switch (static_cast<int>(vk)) {
    case VK_LEFT:
    case VK_UP: Choose(*again, cur < 0 ? 0 : std::max(0, cur - 1)); break;
    case VK_RIGHT:
    case VK_DOWN: Choose(*again, cur < 0 ? 0 : std::min(last, cur + 1)); break;
    case VK_HOME: Choose(*again, 0); break;
    case VK_END: Choose(*again, last); break;
    default: break;
  }
}

// --- item messages ----------------------------------------------------------------------------------

bool ValidIndex(const Tab& t, WPARAM i) { return i < t.items.size(); }

void ReadItem(const Item& item, TCITEMA& out) {
  if ((out.mask & TCIF_TEXT) != 0 && out.pszText != nullptr && out.cchTextMax > 0) {
    const std::size_t n = std::min<std::size_t>(item.text.size(), static_cast<std::size_t>(out.cchTextMax - 1));
    std::copy_n(item.text.begin(), n, out.pszText);
    out.pszText[n] = 0;
  }
  if ((out.mask & TCIF_IMAGE) != 0) out.iImage = item.image;
  if ((out.mask & TCIF_PARAM) != 0) out.lParam = item.param;
  if ((out.mask & TCIF_STATE) != 0) out.dwState = item.state & out.dwStateMask;
}

void WriteItem(Item& item, const TCITEMA& in) {
  if ((in.mask & TCIF_TEXT) != 0) item.text = in.pszText != nullptr ? std::u16string(in.pszText) : std::u16string();
  if ((in.mask & TCIF_IMAGE) != 0) item.image = in.iImage;
  if ((in.mask & TCIF_PARAM) != 0) item.param = in.lParam;
  if ((in.mask & TCIF_STATE) != 0) item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

LRESULT Insert(Tab& t, WPARAM at, const TCITEMA* in) {
  if (in == nullptr || static_cast<LONG_PTR>(at) < 0) return -1;
  const std::size_t p = std::min<std::size_t>(at, t.items.size());
  Item item;
  WriteItem(item, *in);
  t.items.insert(t.items.begin() + static_cast<std::ptrdiff_t>(p), std::move(item));
  if (t.items.size() == 1) {
    t.sel = 0;
  } else if (t.sel >= static_cast<int>(p)) {
    ++t.sel;
  }
  InvalidateRect(t.h, nullptr, TRUE);
  return static_cast<LRESULT>(p);
}

BOOL Delete(Tab& t, WPARAM at) {
  if (!ValidIndex(t, at)) return FALSE;
  const int i = static_cast<int>(at);
  t.items.erase(t.items.begin() + i);
  if (t.sel == i) {
    t.sel = -1;
  } else if (t.sel > i) {
    --t.sel;
  }
  if (t.first >= static_cast<int>(t.items.size())) t.first = std::max(0, static_cast<int>(t.items.size()) - 1);
  InvalidateRect(t.h, nullptr, TRUE);
  return TRUE;
}

// Display area from window area (larger FALSE), or back.
void AdjustRect(Tab& t, BOOL larger, RECT* r) {
  if (r == nullptr) return;
  Layout(t);
  RECT client;
  GetClientRect(t.h, &client);
  const bool buttons = (StyleOf(t.h) & TCS_BUTTONS) != 0;
  const int inset = buttons ? 0 : kFrameInset;
  const int dl = t.frame.left - client.left + inset, dt = t.frame.top - client.top + inset;
  const int dr = client.right - t.frame.right + inset, db = client.bottom - t.frame.bottom + inset;
  const int s = larger ? -1 : 1;
  r->left += s * dl;
  r->top += s * dt;
  r->right -= s * dr;
  r->bottom -= s * db;
}

LRESULT TabMessage(Tab& t, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(t.items.size());
    case TCM_INSERTITEMA: return Insert(t, w, reinterpret_cast<const TCITEMA*>(l));
    case TCM_DELETEITEM: return Delete(t, w);
    case TCM_DELETEALLITEMS:
      t.items.clear();
      t.sel = -1;
      t.first = 0;
      InvalidateRect(t.h, nullptr, TRUE);
      return TRUE;
    case TCM_GETITEMA: {
      auto* it = reinterpret_cast<TCITEMA*>(l);
      if (it == nullptr || !ValidIndex(t, w)) return FALSE;
      ReadItem(t.items[w], *it);
      return TRUE;
    }
    case TCM_SETITEMA: {
      const auto* it = reinterpret_cast<const TCITEMA*>(l);
      if (it == nullptr || !ValidIndex(t, w)) return FALSE;
      WriteItem(t.items[w], *it);
      InvalidateRect(t.h, nullptr, TRUE);
      return TRUE;
    }
    case TCM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(l);
      if (r == nullptr || !ValidIndex(t, w)) return FALSE;
      Layout(t);
      *r = t.items[w].rc;
      return TRUE;
    }
    case TCM_GETCURSEL: return t.sel;
    case TCM_SETCURSEL: {
      if (!ValidIndex(t, w)) return -1;
      const int old = t.sel;
      t.sel = static_cast<int>(w);
      Layout(t);
      ScrollTo(t, t.sel);
      InvalidateRect(t.h, nullptr, TRUE);
      return old;
    }
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(l);
      if (info == nullptr) return -1;
      const int i = HitTest(t, info->pt);
      info->flags = i >= 0 ? TCHT_ONITEM : TCHT_NOWHERE;
      return i;
    }
    case TCM_ADJUSTRECT: AdjustRect(t, static_cast<BOOL>(w), reinterpret_cast<RECT*>(l)); return 0;
    case TCM_SETPADDING:
      t.padX = LOWORD(static_cast<ULONG_PTR>(l));
      t.padY = HIWORD(static_cast<ULONG_PTR>(l));
      InvalidateRect(t.h, nullptr, TRUE);
      return 0;
    case TCM_GETROWCOUNT: Layout(t); return t.rows;
    case TCM_SETEXTENDEDSTYLE: {
      const DWORD old = t.exStyle;
      const DWORD mask = w == 0 ? 0xFFFFFFFFu : static_cast<DWORD>(w);
      t.exStyle = (t.exStyle & ~mask) | (static_cast<DWORD>(l) & mask);
      InvalidateRect(t.h, nullptr, TRUE);
      return old;
    }
    case TCM_GETEXTENDEDSTYLE: return t.exStyle;
    case TCM_SETIMAGELIST: {
      const HIMAGELIST old = t.images;
      t.images = static_cast<HIMAGELIST>(l);
      InvalidateRect(t.h, nullptr, TRUE);
      return old;
    }
    case TCM_GETIMAGELIST: return t.images;
    default: return 0;
  }
}

LRESULT TabProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CREATE) {
    auto t = std::make_unique<Tab>();
    t->h = h;
    tabs()[h] = std::move(t);
    return 0;
  }
  Tab* t = Find(h);
  if (t == nullptr) return DefWindowProcA(h, msg, w, l);
  if (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100) return TabMessage(*t, msg, w, l);
  switch (msg) {
    case WM_PAINT: Paint(*t); return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(h, &r);
      Fill(static_cast<HDC>(w), r.left, r.top, r.right, r.bottom, GetSysColor(COLOR_BTNFACE));
      return 1;
    }
    case WM_SETFONT:
      t->font = static_cast<HFONT>(w);
      if (l != 0) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return t->font;
    case WM_SIZE:
    case WM_STYLECHANGED:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE: return 0x0001 | 0x0080;  // arrows and characters
    case WM_LBUTTONDOWN: {
      const int i = HitTest(*t, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      if (i < 0) return 0;
      if (GetFocus() != h) SetFocus(h);
      if (Tab* again = Find(h)) Choose(*again, i);
      return 0;
    }
    case WM_RBUTTONUP: Notify(h, NM_RCLICK); return 0;
    case WM_MOUSEMOVE: {
      if ((StyleOf(h) & TCS_HOTTRACK) == 0) return 0;
      const int i = HitTest(*t, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      if (i != t->hot) {
        t->hot = i;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (t->hot >= 0) {
        t->hot = -1;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_KEYDOWN: KeyDown(*t, w, l); return 0;
    case WM_HSCROLL:
      if (LOWORD(w) == SB_THUMBPOSITION) {
        t->first = HIWORD(w);
        InvalidateRect(h, nullptr, TRUE);
      }
      return 0;
    case WM_NCDESTROY: tabs().erase(h); return 0;
    default: return DefWindowProcA(h, msg, w, l);
  }
}

// --- scroll arrows ------------------------------------------------------------------------------------

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
    VLine(dc, x, cy - k, cy + k, ink);
  }
}

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

}  // namespace

void InitCommonControls() {
  static const bool done = [] {
    WNDCLASSA tab;
    tab.style = CS_DBLCLKS;
    tab.lpfnWndProc = &TabProc;
    tab.lpszClassName = WC_TABCONTROLA;
    RegisterClassA(tab);
    WNDCLASSA updown;
    updown.lpfnWndProc = &ArrowsProc;
    updown.lpszClassName = UPDOWN_CLASSA;
    RegisterClassA(updown);
    return true;
  }();
  (void)done;
}

}  // namespace win
