// Popup menus: a bar shown in a control taken from the popup pool, prepared as a popup host, placed
// beside the item that opened it inside its monitor's work area, shown as a topmost tool window
// with two drop shadows, recorded on the popup stack, and later hidden with every popup opened from
// it. Context and chevron menus open at a point and are kept inside the work area too.
#include <algorithm>

#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "commandbars/monitor.h"
#include "platform/gdi/gdi.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace commandbars {
namespace {

struct Limits {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  win::HMONITOR monitor = 0;
};

Limits LimitsFor(win::HMONITOR known, int x, int y) {
  cMonitor m;
  if (known != 0) {
    m.FillFromHandle(known);
  } else {
    m.CreateFromPoint(x, y);
  }
  Limits l;
  if (m.hMonitor() != 0) {
    l = Limits{m.WorkLeft(), m.WorkTop(), m.WorkLeft() + m.WorkWidth(), m.WorkTop() + m.WorkHeight(), m.hMonitor()};
  } else {
    // Off every monitor: the screen, the primary monitor's whole area.
    cMonitor primary;
    primary.FillFromHandle(win::MonitorFromPoint(win::POINT{0, 0}, win::MONITOR_DEFAULTTOPRIMARY));
    l.right = primary.Width();
    l.bottom = primary.Height();
  }
  return l;
}

// P: the popup's rectangle in screen pixels.
struct Rect {
  int left, top, width, height;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

}  // namespace

kestCommandBar* kestCommandBar::ShowBarAsPopup(cCommandBarInt& bar, std::int32_t index, std::int32_t X, std::int32_t Y,
                                               bool bKeyboard, bool bShownAsPopup) {
  // While menu mode ends, a handler of a closing menu opens nothing: the menus it would stand on go.
  if (mCommandBars::LeavingMenuMode()) return nullptr;
  kestCommandBar* host = mCommandBars::GetPopupInstance();
  if (host == nullptr) return nullptr;
  const std::u16string key = bar.Key();
  const win::HWND self = m_hWnd;
  const win::HWND hostWindow = host->hwnd();
  RaiseEvent(BeforeShowMenu, cCommandBar(hostWindow, key));
  // The handler may have taken the bar, the host or this control away: the show is off, and the
  // instance taken for it is free again.
  const bool hostLives = mCommandBars::FindControl(hostWindow) == host;
  if (mCommandBars::FindBar(key) != &bar || !hostLives || mCommandBars::FindControl(self) != this) {
    if (hostLives) host->InUse(false);
    return nullptr;
  }
  host->MakePopupInstance();
  host->CopySourceSettings(*this);
  const cCommandBar handle(host->hwnd(), key);
  host->SetToolbar(&handle);
  PositionPopup(*host, index, X, Y, bKeyboard, bShownAsPopup);
  mCommandBars::PushPopup(host->hwnd(), m_hWnd, bShownAsPopup, m_bIsPopup && bShownAsPopup);
  return host;
}

void kestCommandBar::PositionPopup(kestCommandBar& host, std::int32_t index, std::int32_t X, std::int32_t Y,
                                   bool bKeyboard, bool bShownAsPopup) {
  win::RECT wr;
  win::GetWindowRect(host.hwnd(), &wr);
  Rect P{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  const int w = P.width;
  const int h = P.height;
  std::int32_t placement = 0;
  std::int32_t start = 0;
  std::int32_t length = 0;
  win::HMONITOR monitor = 0;
  const bool s3 = CommandBarStyle() == 3;
  const bool rtl = RightToLeft();
  const bool item = index >= 1 && index <= static_cast<std::int32_t>(m_cDisplayInfo.size());

  if (!item) {
    P.left = X;
    P.top = Y;
    // A context or chevron menu stays on the monitor it opens on.
    const Limits lim = LimitsFor(0, X, Y);
    if (P.bottom() > lim.bottom) P.top -= P.bottom() - lim.bottom;
    if (P.top < lim.top) P.top = lim.top;
    if (P.right() > lim.right) P.left -= P.right() - lim.right;
    if (P.left < lim.left) P.left = lim.left;
  } else {
    // The item's rectangle in screen pixels.
    const cDisplayButtonInfo& rec = m_cDisplayInfo[static_cast<std::size_t>(index - 1)];
    win::POINT tl{rec.left, rec.tOp};
    win::POINT br{rec.Right, rec.Bottom};
    win::ClientToScreen(m_hWnd, &tl);
    win::ClientToScreen(m_hWnd, &br);
    const int left = tl.x, top = tl.y, right = br.x, bottom = br.y;
    const bool vertical = m_eOrientation == 1 || m_eOrientation == 2;
    const bool horizontal = m_eOrientation == 0 || m_eOrientation == 3;
    int x = 0, y = 0;
    if (m_bIsPopup) {
      placement = (popup_.placement == 1 || popup_.placement == 2) && popup_.source != 0 ? popup_.placement
                  : rtl                                                                 ? 2
                                                                                        : 1;
      x = placement == 2 ? left : right;
      y = top;
      P.left = placement == 1 ? x - 1 : x - w + 1;
      P.top = y - 1;
    } else if (vertical) {
      placement = m_eOrientation;
      x = s3 ? (placement == 1 ? right : left) : (placement == 1 ? right - 2 : left + 2);
      y = s3 ? top : top + 1;
      P.left = placement == 1 ? x : x - w;
      P.top = y;
      start = y;
      length = (bottom - 1) - start;
    } else if (horizontal) {
      placement = 0;
      x = s3 ? (rtl ? right : left) : (rtl ? right - 1 : left + 1);
      y = s3 ? bottom : bottom - 2;
      P.left = rtl ? x - w : x;
      P.top = y;
      start = x;
      length = (right - 1) - x;
      if (rtl) {
        start = left + 1;
        length = x - start;
      }
    }
    const Limits lim = LimitsFor(popup_.monitor, x, y);
    monitor = lim.monitor;
    // Vertical fitting.
    if (P.top < lim.top || P.bottom() > lim.bottom) {
      if (P.bottom() > lim.bottom) {
        if (m_bIsPopup || vertical) {
          P.top -= P.bottom() - lim.bottom;
        } else {
          P.top = top + 2 - h;
          placement = 3;
        }
      }
      if (P.top < lim.top) P.top = lim.top;
    }
    // Horizontal fitting.
    if (P.left < lim.left || P.right() > lim.right) {
      if (m_bIsPopup) {
        if (placement == 2) {
          placement = 1;
          P.left = right - 1;
        } else if (placement == 1) {
          placement = 2;
          P.left = left + 1 - w;
        }
      } else if (vertical) {
        if (P.right() > lim.right && placement == 1) {
          P.left = left + 2 - w;
          placement = 2;
        } else if (P.left < lim.left && placement == 2) {
          P.left = right - 2;
          placement = 1;
        }
      } else if (P.right() > lim.right) {
        P.left -= P.right() - lim.right;
      }
    }
  }

  ClosePopup(false);
  const win::HWND root = m_bIsPopup ? popup_.root : m_hWnd;
  mCommandBars::SetMenuMode(true, root);
  if (s3) start = -3000;
  host.InitialisePopup(*this, root, placement, start, length, item ? monitor : 0);
  host.popup_.atPoint = !item;

  if (item) {
    for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i) {
      cDisplayButtonInfo& r = m_cDisplayInfo[i];
      const auto position = static_cast<std::int32_t>(i + 1);
      if (position == index) {
        r.mouseOver = true;
        r.ShowingMenu = true;
        r.hWndMenu = host.hwnd();
      } else if (r.mouseOver) {
        r.mouseOver = false;
      } else {
        continue;
      }
      if (!m_bMainMenu) RedrawButton(position);
    }
    if (m_bMainMenu) PaintBar();
  }

  const win::HWND hostWindow = host.hwnd();
  const win::LONG ex = static_cast<win::LONG>(win::GetWindowLongA(hostWindow, win::GWL_EXSTYLE));
  win::SetWindowLongA(hostWindow, win::GWL_EXSTYLE, (ex & ~win::WS_EX_APPWINDOW) | win::WS_EX_TOOLWINDOW);
  win::SetParent(hostWindow, 0);
  win::SetWindowPos(hostWindow, win::HWND_TOPMOST, P.left, P.top, w, h, win::SWP_SHOWWINDOW);
  host.PaintBar();
  host.CreateShadows();
  if (bKeyboard) host.HandleMenuKey(win::VK_DOWN, 0);
  if (!m_bIsPopup) mCommandBars::CloseOtherBarsMenus(m_hWnd);
  mCommandBars::SetMenuOwnerHwnd(hostWindow);
  popup_.menuState = 1;
}

void kestCommandBar::InitialisePopup(kestCommandBar& source, win::HWND root, std::int32_t placement,
                                     std::int32_t start, std::int32_t length, win::HMONITOR monitor) {
  popup_.source = source.hwnd();
  popup_.root = root;
  popup_.placement = placement;
  popup_.start = start;
  popup_.length = length;
  popup_.monitor = monitor;
  m_bMainMenu = false;
  win::GetCursorPos(&m_ptCursor);
  InUse(true);
}

void kestCommandBar::WithdrawPopup() {
  const std::vector<cMenuPopupStack> stack = mCommandBars::PopupStack();
  const bool recorded = std::any_of(stack.begin(), stack.end(), [this](const cMenuPopupStack& r) { return r.hwnd() == m_hWnd; });
  if (!recorded) return;
  HideMenus(false);
  mCommandBars::PopPopup(m_hWnd);
  win::ShowWindow(m_hWnd, win::SW_HIDE);
  kestCommandBar* source = mCommandBars::FindControl(popup_.source);
  if (source == nullptr) return;
  for (std::size_t i = 0; i < source->m_cDisplayInfo.size(); ++i) {
    cDisplayButtonInfo& r = source->m_cDisplayInfo[i];
    if (r.hWndMenu != m_hWnd) continue;
    r.ShowingMenu = false;
    r.hWndMenu = 0;
    source->RedrawOrRepaint(static_cast<std::int32_t>(i + 1));
  }
  if (mCommandBars::MenuOwnerHwnd() == m_hWnd) mCommandBars::SetMenuOwnerHwnd(source->m_hWnd);
}

bool kestCommandBar::FromBarItem() const {
  if (!m_bIsPopup) return false;
  if (popup_.atPoint) return false;
  const kestCommandBar* source = mCommandBars::FindControl(popup_.source);
  return source != nullptr && (!source->m_bIsPopup || source->FromBarItem());
}

void kestCommandBar::HideMenus(bool bHideSelf) {
  // A chain of menus that leads back to a control being hidden is closed already.
  if (hiding_) return;
  hiding_ = true;
  const win::HWND self = m_hWnd;
  auto gone = [this, self] { return mCommandBars::FindControl(self) != this; };
  for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i) {
    if (!m_cDisplayInfo[i].ShowingMenu) continue;
    const win::HWND menu = m_cDisplayInfo[i].hWndMenu;
    if (kestCommandBar* popup = mCommandBars::FindControl(menu); popup != nullptr && popup != this)
      popup->HideMenus(true);
    if (gone()) return;  // the host let this control go while a menu closed
    if (i >= m_cDisplayInfo.size()) break;
    m_cDisplayInfo[i].ShowingMenu = false;
    m_cDisplayInfo[i].hWndMenu = 0;
    if (!m_bMainMenu) RedrawButton(static_cast<std::int32_t>(i + 1));
  }
  // Popups opened from this control that no item leads to: shown at a point.
  const std::vector<cMenuPopupStack> stack = mCommandBars::PopupStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (it->hWndSource() != self || it->hwnd() == self) continue;
    if (kestCommandBar* popup = mCommandBars::FindControl(it->hwnd())) popup->HideMenus(true);
    if (gone()) return;
  }
  hiding_ = false;
  if (m_bMainMenu) PaintBar();
  if (!m_bIsPopup || !bHideSelf) mCommandBars::SetMenuOwnerHwnd(m_hWnd);
  if (!m_bIsPopup || !bHideSelf) return;
  InUse(false);
  StopMenuTimer();
  StopLostMouseTimer();
  for (cDisplayButtonInfo& r : m_cDisplayInfo) r.mouseOver = r.MouseOverSplit = r.mouseDown = r.MouseDownSplit = false;
  const bool shown = m_cShadowRight != nullptr;
  // The record goes whether or not the popup got as far as being shown.
  mCommandBars::PopPopup(m_hWnd);
  win::ShowWindow(m_hWnd, win::SW_HIDE);
  DestroyShadows();
  if (shown && !m_sToolbarKey.empty()) RaiseEvent(AfterShowMenu, cCommandBar(m_hWnd, m_sToolbarKey));
}

}  // namespace commandbars
