// A bar's buttons turned into rectangles: stacked as a popup menu (with a grid of caption-less
// cells), or placed along a menu bar or toolbar with wrapping and overflow.
#include <algorithm>
#include <numeric>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/measure_button_params.h"
#include "commandbars/toolkit_links.h"

namespace commandbars {
namespace {

constexpr int kCellsPerRow = 8;
constexpr int kGridLeft = 26;  // past the icon column
constexpr int kGridRightMargin = 2;

bool Vertical(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

bool ShownInMenu(const cButtonInt& btn) { return btn.Visible() && (!btn.Infrequent() || InfrequentItemsShown()); }

bool IsCell(const cButtonInt& btn) { return btn.Caption().empty() && btn.Style() != eSeparator; }

void EnsureRecords(std::vector<cDisplayButtonInfo>& infos, std::int32_t count) {
  if (static_cast<std::int32_t>(infos.size()) < count) infos.resize(static_cast<std::size_t>(count));
}

// Along the bar: a record's length.
std::int32_t Extent(const cDisplayButtonInfo& info, bool vertical) {
  return vertical ? info.Bottom - info.tOp : info.Right - info.left;
}

}  // namespace

void cCommandBarInt::Measure(cMeasureButtonParams& params, std::int32_t& lWidth, std::int32_t& lHeight,
                             std::vector<cDisplayButtonInfo>& infos, bool bShowAll) {
  lWidth = 0;
  lHeight = 0;
  const std::int32_t count = Count();
  if (count == 0) return;
  EnsureRecords(infos, count);

  // Stack pass.
  std::int32_t y = 1;
  std::int32_t widest = 0;
  std::int32_t cellWidth = 0;
  std::int32_t run = 0;
  std::int32_t longestRun = 0;
  for (std::int32_t i = 1; i <= count; ++i) {
    cButtonInt* btn = ButtonAt(i);
    cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (btn != nullptr && (bShowAll || ShownInMenu(*btn))) {
      params.Height = 0;
      width = btn->Measure(params, info.Hidden);
      height = params.Height;
      widest = std::max(widest, width);
      if (IsCell(*btn)) {
        cellWidth = width;
        longestRun = std::max(longestRun, ++run);
      } else {
        run = 0;
      }
    }
    info.left = 0;
    info.tOp = y;
    info.Bottom = y + height;
    info.Right = width;
    y += height;
  }

  if (longestRun < 3 || bShowAll) {
    for (std::int32_t i = 1; i <= count; ++i) infos[static_cast<std::size_t>(i - 1)].Right = widest;
    lWidth = widest;
    lHeight = y;
    return;
  }

  // Grid pass: runs of cells eight to a row.
  lWidth = std::max(widest, cellWidth * kCellsPerRow + kGridLeft + kGridRightMargin);
  y = 1;
  std::int32_t placed = 0;
  std::int32_t x = 0;
  std::int32_t previousHeight = -1;  // -1 before the first shown button
  for (std::int32_t i = 1; i <= count; ++i) {
    cButtonInt* btn = ButtonAt(i);
    if (btn == nullptr || !ShownInMenu(*btn)) continue;
    cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
    const std::int32_t height = info.Bottom - info.tOp;
    if (!IsCell(*btn)) {
      placed = 0;
      if (previousHeight >= 0) y += previousHeight;
      info.Right = lWidth;
    } else {
      if (placed % kCellsPerRow == 0) {
        x = kGridLeft;
        if (previousHeight >= 0) y += previousHeight;
      } else {
        x += cellWidth;
      }
      ++placed;
      info.left = x;
      info.Right = x + cellWidth;
    }
    info.tOp = y;
    info.Bottom = y + height;
    previousHeight = height;
  }
  lHeight = y + std::max(previousHeight, 0);
}

void cCommandBarInt::Layout(cMeasureButtonParams& params, std::int32_t& lWidth, std::int32_t& lHeight,
                            std::vector<cDisplayButtonInfo>& infos) {
  const bool vertical = Vertical(params.Orientation);
  const std::int32_t available = vertical ? lHeight : lWidth;
  lWidth = 0;
  lHeight = 0;
  const std::int32_t count = Count();
  if (count == 0) return;
  EnsureRecords(infos, count);

  bool anySeparator = false;
  bool anyHidden = false;
  std::vector<std::int32_t> rows;
  lWidth = LayoutPass(params, available, anySeparator, anyHidden, rows, infos);

  if (params.SizeStyle != 3) {
    bool changed = false;
    auto hide = [&](std::int32_t i) {
      infos[static_cast<std::size_t>(i - 1)].Hidden = true;
      ButtonAt(i)->HidePanelControl();
    };
    if (lWidth > available) {
      // Free the excess from the end; on a bar with separators, whole groups go.
      const std::int32_t excess = lWidth - available;
      std::int32_t freed = 0;
      bool covered = false;
      for (std::int32_t i = count; i >= 1; --i) {
        cButtonInt* btn = ButtonAt(i);
        cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
        if (btn == nullptr || !btn->Visible() || info.Hidden) continue;
        hide(i);
        changed = true;
        freed += Extent(info, vertical);
        if (covered && btn->Style() == eSeparator) break;
        if (!covered && freed >= excess) {
          covered = true;
          if (!anySeparator || btn->Style() == eSeparator) break;
        }
      }
    } else if (anyHidden) {
      // Offer the spare room to the hidden buttons from the first; a group comes back whole.
      const std::int32_t room = available - lWidth;
      std::int32_t restored = 0;
      std::vector<std::int32_t> back;
      for (std::int32_t i = 1; i <= count; ++i) {
        cButtonInt* btn = ButtonAt(i);
        cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
        if (btn == nullptr || !btn->Visible() || !info.Hidden) continue;
        if (btn->Style() == eSeparator && !back.empty()) break;
        info.Hidden = false;
        changed = true;
        const std::int32_t extent = btn->Measure(params, false);
        if (extent + restored > room) {
          hide(i);
          if (anySeparator)
            for (std::int32_t j : back) hide(j);
          break;
        }
        restored += extent;
        back.push_back(i);
      }
    }
    if (changed) lWidth = LayoutPass(params, available, anySeparator, anyHidden, rows, infos);
  }

  lHeight = std::accumulate(rows.begin(), rows.end(), 0);
  if (vertical)
    for (std::int32_t i = 1; i <= count; ++i)
      if (const cButtonInt* btn = ButtonAt(i); btn != nullptr && btn->Style() == eSeparator)
        infos[static_cast<std::size_t>(i - 1)].Right = lHeight;
}

// One placement of every button; returns the extent the bar needs along its length.
std::int32_t cCommandBarInt::LayoutPass(cMeasureButtonParams& params, std::int32_t available, bool& anySeparator,
                                        bool& anyHidden, std::vector<std::int32_t>& rows,
                                        std::vector<cDisplayButtonInfo>& infos) {
  const bool vertical = Vertical(params.Orientation);
  const bool rightToLeft = !vertical && params.RightToLeft;
  const bool wraps = params.SizeStyle == 3;
  rows.assign(1, 0);
  anySeparator = false;
  anyHidden = false;
  std::int32_t position = rightToLeft ? available : 0;
  std::int32_t rowTop = 0;
  std::int32_t furthest = 0;
  std::int32_t leftmost = available;
  bool lastMeasuredWasSeparator = false;
  for (std::int32_t i = 1; i <= Count(); ++i) {
    cButtonInt* btn = ButtonAt(i);
    cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
    std::int32_t extent = 0;
    std::int32_t height = 0;
    if (btn != nullptr) {
      const bool separator = btn->Style() == eSeparator;
      anySeparator = anySeparator || separator;
      anyHidden = anyHidden || info.Hidden;
      if (btn->Visible() && !info.Hidden && !(separator && lastMeasuredWasSeparator)) {
        extent = btn->Measure(params, info.Hidden);
        height = params.Height;
        lastMeasuredWasSeparator = separator;
      }
    }
    if (vertical) {
      info.left = 0;
      info.Right = height;
      info.tOp = position;
      info.Bottom = position + extent;
      position += extent;
      furthest = std::max(furthest, info.Bottom);
    } else {
      std::int32_t left = rightToLeft ? position - extent : position;
      std::int32_t right = left + extent;
      const bool rowStart = rightToLeft ? position == available : position == 0;
      const bool overflows = rightToLeft ? left < 0 : right >= available;
      if (wraps && extent > 0 && !rowStart && overflows) {
        rowTop += rows.back();
        rows.push_back(0);
        left = rightToLeft ? available - extent : 0;
        right = left + extent;
      }
      info.left = left;
      info.Right = right;
      info.tOp = rowTop;
      info.Bottom = rowTop + height;
      position = rightToLeft ? left : right;
      furthest = std::max(furthest, right);
      if (extent > 0) leftmost = std::min(leftmost, left);
    }
    rows.back() = std::max(rows.back(), height);
  }
  // A right-to-left bar needs the room from its leftmost button to the available edge.
  if (rightToLeft) return available - std::min(leftmost, available);
  return furthest;
}

}  // namespace commandbars
