// The command-bar control's layout and painting: it fills the measuring and drawing records for the
// bar it shows, chooses the drawing mode (1 menu item, 2 the chevron's add-or-remove list, 3 main
// menu bar, 4 any other bar), fills the background and sizes itself on its host.
#include <algorithm>

#include "commandbars/alpha_dib_section.h"
#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/measure_button_params.h"
#include "platform/gdi/gdi.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"

namespace commandbars {
namespace {

// A window device context for the length of one layout or paint.
class WindowDC {
 public:
  explicit WindowDC(win::HWND h) : h_(h), dc_(win::GetDC(h)) {}
  ~WindowDC() {
    if (dc_ != 0) win::ReleaseDC(h_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  win::HDC get() const { return dc_; }

 private:
  win::HWND h_;
  win::HDC dc_;
};

bool Vertical(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

// The pointer and menu state of a button survives a new layout, wherever the button now stands:
// buttons added or removed before it move its record, and an open menu stays with its item.
void KeepTracking(const std::vector<cDisplayButtonInfo>& before, const std::vector<std::u16string>& beforeKeys,
                  std::vector<cDisplayButtonInfo>& after, const std::vector<std::u16string>& afterKeys) {
  const bool same = beforeKeys == afterKeys;  // mostly: a button changed its looks, not its place
  for (std::size_t i = 0; i < after.size() && i < afterKeys.size(); ++i) {
    const auto was = same ? beforeKeys.begin() + static_cast<std::ptrdiff_t>(i)
                          : std::find(beforeKeys.begin(), beforeKeys.end(), afterKeys[i]);
    const auto j = static_cast<std::size_t>(was - beforeKeys.begin());
    if (was == beforeKeys.end() || j >= before.size()) continue;
    after[i].mouseDown = before[j].mouseDown;
    after[i].mouseOver = before[j].mouseOver;
    after[i].MouseOverSplit = before[j].MouseOverSplit;
    after[i].MouseDownSplit = before[j].MouseDownSplit;
    after[i].ShowingMenu = before[j].ShowingMenu;
    after[i].hWndMenu = before[j].hWndMenu;
  }
}

}  // namespace

win::HFONT kestCommandBar::FontHandle(win::HDC hdc) {
  if (!m_cFontCache) m_cFontCache = std::make_unique<cFontCache>();
  return m_cFontCache->hFont(Font(), Vertical(m_eOrientation) ? 2700 : 0, hdc);
}

bool kestCommandBar::RightToLeft() { return Ambient().RightToLeft; }

void kestCommandBar::ResizeDisplayInfo(cCommandBarInt& bar) {
  if (bar.Count() < 1) return;
  m_cDisplayInfo.assign(static_cast<std::size_t>(bar.Count()), cDisplayButtonInfo{});
}

void kestCommandBar::SetExtenderSize(std::int32_t widthPixels, std::int32_t heightPixels, bool setWidth,
                                     bool setHeight) {
  try {
    if (setWidth) Width(static_cast<float>(widthPixels * vb::TwipsPerPixel));
    if (setHeight) Height(static_cast<float>(heightPixels * vb::TwipsPerPixel));
  } catch (const vb::Error&) {
  }
}

void kestCommandBar::LayoutBar() {
  // A bar not yet on the screen (but a menu about to open, which is placed by its size) is laid out
  // at its first paint: a window being built changes its bars many times, and only the last layout
  // is ever seen.
  if (!m_bIsPopup && m_hWnd != 0 && !platform::OnScreen(m_hWnd)) {
    m_bLayoutWhenShown = true;
    m_bPaintWhenShown = true;
    return;
  }
  LayOutNow();
}

void kestCommandBar::LayOutNow() {
  m_bLayoutWhenShown = false;
  std::vector<cDisplayButtonInfo> before = std::move(m_cDisplayInfo);
  std::vector<std::u16string> beforeKeys = std::move(m_displayKeys);
  m_cDisplayInfo.clear();
  m_displayKeys.clear();
  cCommandBarInt* bar = ShownBar();
  if (bar != nullptr && m_hWnd != 0) {
    ResizeDisplayInfo(*bar);
    for (std::int32_t i = 1; i <= bar->Count(); ++i)
      m_displayKeys.push_back(bar->Item(i) != nullptr ? bar->Item(i)->Key() : std::u16string());
    KeepTracking(before, beforeKeys, m_cDisplayInfo, m_displayKeys);
    win::RECT client;
    win::GetClientRect(m_hWnd, &client);
    WindowDC dc(m_hWnd);
    const vb::StdFont font = Font();
    cMeasureButtonParams p;
    p.FontFace = font.Name;
    p.FontSize = static_cast<std::int32_t>(font.Size);
    p.hdc = dc.get();
    if (client.bottom >= 0) p.Height = client.bottom;
    p.hFont = FontHandle(dc.get());
    p.hwnd = m_hWnd;
    p.RightToLeft = RightToLeft();
    if (client.right >= 0) p.Size = client.right;
    p.ButtonPosition = m_ePosition;
    std::int32_t width = client.right;
    std::int32_t height = client.bottom;
    if (m_bIsPopup) {
      p.Orientation = 0;
      p.SizeStyle = m_bAddOrRemove ? 2 : 1;
      p.Size -= 4;
      p.IconWidth = m_cMenuImageList && m_cMenuImageList->IconWidth() != 0 ? m_cMenuImageList->IconWidth() : 8;
      p.IconHeight = m_cMenuImageList && m_cMenuImageList->IconHeight() != 0 ? m_cMenuImageList->IconHeight() : 8;
      if (bar->Count() > 0) {
        width = 0;
        height = 0;
        bar->Measure(p, width, height, m_cDisplayInfo, p.SizeStyle == 2);
        if (width != client.right || height + 2 != client.bottom) SetExtenderSize(width, height + 2, true, true);
      }
    } else {
      p.Orientation = m_eOrientation;
      p.IconWidth = m_cToolbarImageList ? m_cToolbarImageList->IconWidth() : 0;
      p.IconHeight = m_cToolbarImageList ? m_cToolbarImageList->IconHeight() : 0;
      p.SizeStyle = m_bMainMenu ? 3 : 4;
      if (bar->Count() > 0) {
        bar->Layout(p, width, height, m_cDisplayInfo);
        if (Vertical(m_eOrientation)) {
          if (client.right != width) SetExtenderSize(width, 0, true, false);
        } else if (client.bottom != height) {
          SetExtenderSize(0, height, false, true);
        }
      }
    }
  }
  PaintBar();
}

void kestCommandBar::PaintBackground(win::HDC hdc, int left, int top, int right, int bottom) {
  if (m_bIsPopup) {
    win::RECT client;
    win::GetClientRect(m_hWnd, &client);
    // The popup's frame belongs to the whole client area; a part repaints it where it overlaps.
    win::HRGN clip = win::CreateRectRgn(left, top, right, bottom);
    win::SelectClipRgn(hdc, clip);
    PaintPopupBackground(hdc, client.left, client.top, client.right, client.bottom, false);
    win::SelectClipRgn(hdc, 0);
    win::DeleteObject(clip);
  } else if (m_cBackground) {
    TileBitmap(hdc, left, top, right - left, bottom - top, m_cBackground->hdc(), m_cBackground->Width(),
               m_cBackground->Height(), 0);
  } else if (StyleColour29() != -1 && !m_bMainMenu) {
    FillColourRect(hdc, StyleColour29(), StyleColour30(), left, top, right - left, bottom - top,
                   Vertical(m_eOrientation));
  } else {
    FillBarBackground(m_hWnd, m_hWndOwnerForm, hdc, StyleColour30(), StyleColour29(), left, top, right - left,
                      bottom - top, true, CommandBarStyle() == 3);
  }
}

void kestCommandBar::FillDrawParams(cDrawButtonParams& p, win::HDC hdc, const win::RECT& client) {
  const vb::StdFont font = Font();
  p.hwnd = m_hWnd;
  p.hdc = hdc;
  p.FontFace = font.Name;
  p.FontSize = static_cast<std::int32_t>(font.Size);
  p.hFont = FontHandle(hdc);
  p.Enabled = m_bEnabled;
  p.RightToLeft = RightToLeft();
  p.ButtonPosition = m_ePosition;
  if (m_bIsPopup) {
    p.ImageList = m_cMenuImageList.get();
    p.Orientation = 0;
    p.SizeStyle = m_bAddOrRemove ? 2 : 1;
  } else {
    p.ImageList = m_cToolbarImageList.get();
    p.Orientation = m_eOrientation;
    p.ToolbarSize = Vertical(m_eOrientation) ? client.right : client.bottom;
    p.SizeStyle = m_bMainMenu ? 3 : 4;
  }
}

// A bar not yet on the screen is painted at its first paint: a window being built, or a menu being
// opened, changes its bars many times, and each change would paint them again where no one sees it.
bool kestCommandBar::PaintedWhenShown() {
  if (platform::OnScreen(m_hWnd)) return false;
  m_bPaintWhenShown = true;
  return true;
}

void kestCommandBar::PaintBar() {
  if (m_bRedraw && m_hWnd != 0 && !PaintedWhenShown()) DrawBar();
}

void kestCommandBar::DrawBar() {
  m_bPaintWhenShown = false;
  WindowDC dc(m_hWnd);
  win::RECT client;
  win::GetClientRect(m_hWnd, &client);
  PaintBackground(dc.get(), client.left, client.top, client.right, client.bottom);
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return;
  cDrawButtonParams p;
  FillDrawParams(p, dc.get(), client);
  bar->Draw(p, m_cDisplayInfo);
}

void kestCommandBar::RedrawButton(std::int32_t index) {
  if (!m_bRedraw || m_hWnd == 0 || index < 1 || index > static_cast<std::int32_t>(m_cDisplayInfo.size())) return;
  if (PaintedWhenShown()) return;
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr || index > bar->Count()) return;
  const cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(index - 1)];
  WindowDC dc(m_hWnd);
  win::RECT client;
  win::GetClientRect(m_hWnd, &client);
  PaintBackground(dc.get(), r.left, r.tOp, r.Right, r.Bottom);
  cDrawButtonParams p;
  FillDrawParams(p, dc.get(), client);
  if (!m_bIsPopup) p.SizeStyle = 4;
  p.left = r.left;
  p.tOp = r.tOp;
  p.Size = r.Right - r.left;
  p.Height = r.Bottom - r.tOp;
  p.MouseDownButton = r.mouseDown;
  p.MouseOverButton = r.mouseOver;
  p.MouseOverSplit = r.MouseOverSplit;
  p.MouseDownSplit = r.MouseDownSplit;
  p.ShowingMenu = r.ShowingMenu;
  p.Hidden = r.Hidden;
  bar->DrawButton(p, index);
}

void kestCommandBar::RedrawOrRepaint(std::int32_t index) {
  if (m_bMainMenu) {
    PaintBar();
  } else {
    RedrawButton(index);
  }
}

void kestCommandBar::PaintPopupBackground(win::HDC hdc, int left, int top, int right, int bottom, bool bFlag) {
  const std::int32_t iconWidth = m_cMenuImageList && m_cMenuImageList->IconWidth() != 0 ? m_cMenuImageList->IconWidth() : 8;
  std::int32_t column = iconWidth + 8;
  if (m_bAddOrRemove) column += iconWidth + 2;
  FillColourRect(hdc, StyleColour17(), StyleColour18(), left, top, right - left, bottom - top, false);
  win::RECT client;
  win::GetClientRect(m_hWnd, &client);
  DrawBorder(hdc, StyleColour13(), client.left, client.top, client.right - client.left, client.bottom - client.top);
  // The joining line: the menu opens seamlessly out of the button that opened it.
  if (popup_.placement >= 0 && popup_.placement <= 3 && popup_.length > 0) {
    win::POINT a{popup_.start + 1, 0};
    win::POINT b{popup_.start + popup_.length - 1, 0};
    const bool alongX = popup_.placement == 0 || popup_.placement == 3;
    if (!alongX) {
      a = win::POINT{0, popup_.start + 1};
      b = win::POINT{0, popup_.start + popup_.length - 1};
    }
    win::ScreenToClient(m_hWnd, &a);
    win::ScreenToClient(m_hWnd, &b);
    int x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    switch (popup_.placement) {
      case 0: y0 = y1 = client.top; break;
      case 3: y0 = y1 = client.bottom - 1; break;
      case 1: x0 = x1 = client.left; break;
      default: x0 = x1 = client.right - 1; break;
    }
    const int w = alongX ? std::max(0, x1 - x0) : 1;
    const int h = alongX ? 1 : std::max(0, y1 - y0);
    FillColourRect(hdc, StyleColour17(), StyleColour17(), x0, y0, w, h, false);
  }
  int columnTop = top + 2;
  int columnBottom = bottom - 2;
  if (bFlag) {
    columnTop = top == 1 ? 2 : top;
    columnBottom = bottom;
  }
  const int columnLeft = RightToLeft() ? right - 2 - column : left + 1;
  FillColourRect(hdc, StyleColour29(), StyleColour30(), columnLeft, columnTop, column, columnBottom - columnTop, true);
}

}  // namespace commandbars
