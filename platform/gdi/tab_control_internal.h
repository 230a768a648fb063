// Inside the layer only: the tab control's state per window and the steps its files share.
#pragma once

#include "platform/layer_only.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/tab_control.h"

namespace win::tab_detail {

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

struct Measure {
  int width = 0;
  int height = 0;
};

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
  // Measured: kept until a tab, the font, the images, the padding or the style changes.
  std::vector<Measure> measured;
  bool measuredValid = false;
  LONG measuredStyle = 0;
  // Laid out.
  int rows = 1;
  int itemHeight = 0;
  RECT frame;  // page frame (tabs) or the area the buttons leave (buttons)
  bool arrowsShown = false;
};

// The state of a tab control window, or null.
Tab* Find(HWND h);
LONG StyleOf(HWND h);
Side SideOf(LONG style);
inline bool Vertical(Side s) { return s == Side::Left || s == Side::Right; }
inline // Sends a notification to the parent; returns its answer.
LRESULT Notify(HWND h, int code, NMHDR* hdr = nullptr);

// Measures (when something changed) and places every tab, the frame and the scroll arrows.
void Layout(Tab& t);
// The tab under a point of the window, or -1.
int HitTest(Tab& t, POINT p);
// Scrolls a single row so that tab i shows whole.
void ScrollTo(Tab& t, int i);
void Paint(Tab& t);

// The scroll arrows' class procedure.
LRESULT ArrowsProc(HWND h, UINT msg, WPARAM w, LPARAM l);

}  // namespace win::tab_detail
