// The tab control's layout: measuring the tabs, splitting them into rows, placing them, the frame
// and the scroll arrows.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control_internal.h"
#include "platform/win/window.h"

namespace win::tab_detail {
namespace {

// A size the parent measured, kept within the window system's 16-bit coordinates so that the
// places summed from it stay in range.
int Extent(UINT pixels) { return static_cast<int>(std::min<UINT>(pixels, 0x7FFF)); }

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
        m[i] = Measure{Extent(mi.itemWidth), Extent(mi.itemHeight)};
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

}  // namespace

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
  if (!t.measuredValid || t.measuredStyle != style || t.measured.size() != t.items.size()) {
    t.measured = MeasureItems(t, style);
    t.measuredValid = true;
    t.measuredStyle = style;
  }
  const std::vector<Measure>& m = t.measured;
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

}  // namespace win::tab_detail
