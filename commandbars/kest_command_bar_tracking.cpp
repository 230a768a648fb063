// The command-bar control's reaction to the mouse and keys: hot tracking, pressed states, clicks,
// drop-downs, sub-menus (at once on a bar, after the 250 ms timer in a menu), keyboard navigation in
// menu mode and the right click.
//
// Nothing is chosen by accident: a click needs press and release on the same item that may be
// highlighted, every left release clears every pressed flag, and Enter, mnemonics and clicks act
// only on items that may be highlighted.
#include <algorithm>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "commandbars/weak_link.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace commandbars {
namespace {

constexpr win::UINT_PTR kMenuPopupTimer = 1;
constexpr win::UINT_PTR kLostMouseTimer = 2;

void TimerTick(win::HWND h, win::UINT, win::UINT_PTR id, win::DWORD) {
  kestCommandBar* c = mCommandBars::FindControl(h);
  if (c == nullptr) return;
  try {
    if (id == kMenuPopupTimer) c->tmrMenuPopup_Timer();
    if (id == kLostMouseTimer) c->tmrLostMouse_Timer();
  } catch (const vb::Error&) {
  }
}

bool Vertical(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

}  // namespace

// --- helpers -----------------------------------------------------------------------------------------

std::int32_t kestCommandBar::HitTest(std::int32_t x, std::int32_t y) const {
  for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i) {
    const cDisplayButtonInfo& r = m_cDisplayInfo[i];
    // A button left out of this layout has no place to be hit in.
    if (r.Hidden || r.Right <= r.left || r.Bottom <= r.tOp) continue;
    if (x >= r.left && x <= r.Right && y >= r.tOp && y <= r.Bottom) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

std::int32_t kestCommandBar::HotIndex() const {
  for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i)
    if (m_cDisplayInfo[i].mouseOver || m_cDisplayInfo[i].ShowingMenu) return static_cast<std::int32_t>(i + 1);
  return 0;
}

bool kestCommandBar::CanHighlightAt(std::int32_t index) {
  cButtonInt* btn = ButtonAtIndex(index);
  if (btn == nullptr || index > static_cast<std::int32_t>(m_cDisplayInfo.size())) return false;
  if (m_cDisplayInfo[static_cast<std::size_t>(index - 1)].Hidden && !m_bAddOrRemove) return false;
  return btn->CanHighlight(m_eOrientation, m_bAddOrRemove);
}

win::HWND kestCommandBar::MenuOfItem(std::int32_t index) const {
  if (index < 1 || index > static_cast<std::int32_t>(m_cDisplayInfo.size())) return 0;
  const cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(index - 1)];
  return r.ShowingMenu ? r.hWndMenu : 0;
}

void kestCommandBar::CursorToClient(win::POINT& p) {
  win::GetCursorPos(&p);
  m_ptCursor = p;
  win::ScreenToClient(m_hWnd, &p);
}

void kestCommandBar::StartMenuTimer(std::int32_t index) {
  menuTimerTag_ = index;
  menuTimerOn_ = true;
  // Setting the timer again starts its interval again.
  win::SetTimer(m_hWnd, kMenuPopupTimer, 250, &TimerTick);
}

void kestCommandBar::StopMenuTimer() {
  if (menuTimerOn_ && m_hWnd != 0) win::KillTimer(m_hWnd, kMenuPopupTimer);
  menuTimerOn_ = false;
}

void kestCommandBar::StartLostMouseTimer() {
  if (lostMouseTimerOn_) return;
  lostMouseTimerOn_ = true;
  win::GetCursorPos(&lostMouseLast_);
  lostMouseLast_.x -= 1;  // the first tick looks at the cursor whatever it did
  win::SetTimer(m_hWnd, kLostMouseTimer, 50, &TimerTick);
}

void kestCommandBar::StopLostMouseTimer() {
  if (lostMouseTimerOn_ && m_hWnd != 0) win::KillTimer(m_hWnd, kLostMouseTimer);
  lostMouseTimerOn_ = false;
}

void kestCommandBar::SetTooltip(const std::u16string& text) {
  if (text == m_sToolTip) return;
  try {
    ToolTipText(text);
  } catch (const vb::Error&) {
  }
  m_sToolTip = text;
}

void kestCommandBar::ClearPressedState() {
  for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i) {
    cDisplayButtonInfo& r = m_cDisplayInfo[i];
    if (!r.mouseDown && !r.MouseDownSplit) continue;
    r.mouseDown = false;
    r.MouseDownSplit = false;
    if (!m_bMainMenu) RedrawButton(static_cast<std::int32_t>(i + 1));
  }
  if (m_bMainMenu) PaintBar();
}

// --- tracking ----------------------------------------------------------------------------------------

void kestCommandBar::TrackMenu(std::int32_t button, std::int32_t index, bool bPressed, bool bKeyboard) {
  std::u16string tip;
  cCommandBarInt* bar = ShownBar();
  if (bar != nullptr) {
    const std::int32_t count = std::min<std::int32_t>(bar->Count(), static_cast<std::int32_t>(m_cDisplayInfo.size()));
    std::vector<std::int32_t> changed;
    bool startTimer = false;
    for (std::int32_t i = 1; i <= count; ++i) {
      cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(i - 1)];
      if (i != index) {
        if (r.mouseOver || r.MouseOverSplit) {
          r.mouseOver = false;
          r.MouseOverSplit = false;
          changed.push_back(i);
        }
        continue;
      }
      cButtonInt* btn = bar->Item(i);
      if (btn == nullptr) continue;
      bool wrote = false;
      tip = btn->ToolTipText(true);
      bool inSplit = false;
      if (btn->Style() == eSplit) {
        win::POINT p;
        CursorToClient(p);
        inSplit = btn->InDropDownPart(p.x - r.left, p.y - r.tOp, r.Right - r.left, r.Bottom - r.tOp, RightToLeft(),
                                      m_eOrientation)
                      .value_or(false);
        if (inSplit && !r.MouseOverSplit) {
          r.MouseOverSplit = button == 1 ? r.MouseDownSplit : true;
          r.mouseOver = false;
          wrote = true;
        } else if (!inSplit && !r.mouseOver) {
          r.mouseOver = button == 1 ? r.mouseDown : true;
          r.MouseOverSplit = false;
          wrote = true;
        }
      } else if (!r.mouseOver) {
        r.mouseOver = button == 1 ? r.mouseDown : true;
        wrote = true;
      }
      if (wrote) startTimer = true;
      if (bPressed) {
        startTimer = false;
        if (btn->Style() != eSplit) {
          // A press makes its button hot as well: a click needs no hover before it.
          if (!r.mouseDown || !r.mouseOver) {
            r.mouseDown = true;
            r.mouseOver = true;
            wrote = true;
          }
        } else if (inSplit) {
          if (!r.MouseDownSplit) {
            r.MouseDownSplit = true;
            r.mouseDown = false;
            r.MouseOverSplit = true;
            r.mouseOver = false;
            wrote = true;
          }
        } else if (!r.mouseDown) {
          r.mouseDown = true;
          r.MouseDownSplit = false;
          r.mouseOver = true;
          r.MouseOverSplit = false;
          wrote = true;
        }
      }
      if (wrote) changed.push_back(i);
    }
    if (!changed.empty()) {
      std::int32_t hot = 0;
      for (std::int32_t i : changed) {
        if (!m_bMainMenu) RedrawButton(i);
        const cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(i - 1)];
        if (r.mouseOver || r.MouseOverSplit) hot = i;
      }
      if (m_bMainMenu) PaintBar();
      if (mCommandBars::InMenuMode() && hot > 0 && !bKeyboard) {
        HoverItem(hot);
        if (m_bIsPopup) mCommandBars::SetMenuOwnerHwnd(m_hWnd);
      }
    }
    if (startTimer && !bKeyboard) StartLostMouseTimer();
  }
  SetTooltip(tip);
}

void kestCommandBar::HoverItem(std::int32_t index) {
  if (index < 1 || index > static_cast<std::int32_t>(m_cDisplayInfo.size())) return;
  if (m_cDisplayInfo[static_cast<std::size_t>(index - 1)].ShowingMenu || !CanHighlightAt(index)) return;
  if (m_bIsPopup) {
    StartMenuTimer(index);
  } else {
    ClosePopup(true);
    ShowSubMenu(index, false);
  }
}

void kestCommandBar::ShowSubMenu(std::int32_t index, bool bKeyboard) {
  cButtonInt* btn = ButtonAtIndex(index);
  if (btn == nullptr) return;
  if (cCommandBarInt* sub = btn->Bar()) ShowBarAsPopup(*sub, index, 0, 0, bKeyboard, false);
}

void kestCommandBar::DropDown(std::int32_t index) {
  cButtonInt* btn = ButtonAtIndex(index);
  if (btn == nullptr || btn->Bar() == nullptr) return;
  bool cancel = false;
  const win::HWND self = m_hWnd;
  RaiseEvent(ButtonDropDown, cButton(m_hWnd, btn->Key()), cancel);
  if (!cancel && mCommandBars::FindControl(self) == this) ShowSubMenu(index, false);
}

void kestCommandBar::MouseMoved(std::int32_t button) {
  if (m_hWnd == 0) return;
  win::POINT p;
  win::GetCursorPos(&p);
  if (p.x == m_ptCursor.x && p.y == m_ptCursor.y) return;
  CursorToClient(p);
  const std::int32_t index = HitTest(p.x, p.y);
  if (m_hWnd != mCommandBars::ActivePopupHwnd() || index != 0) TrackMenu(button, index, false, false);
}

void kestCommandBar::MousePressed(std::int32_t button) {
  if (m_hWnd == 0) return;
  win::POINT p;
  CursorToClient(p);
  const std::int32_t index = HitTest(p.x, p.y);
  if (button != 1) {
    TrackMenu(button, index, false, false);
    if (button == 2) {
      cButtonInt* btn = index > 0 ? ButtonAtIndex(index) : nullptr;
      if (btn != nullptr) {
        const cButton handle(m_hWnd, btn->Key());
        RaiseEvent(RightClick, &handle, p.x, p.y);
      } else {
        RaiseEvent(RightClick, static_cast<const cButton*>(nullptr), p.x, p.y);
      }
    }
    return;
  }
  TrackMenu(1, index, true, false);
  cButtonInt* btn = ButtonAtIndex(index);
  if (btn == nullptr || !btn->Enabled()) return;
  if (btn->Style() == eSplit && !m_cDisplayInfo[static_cast<std::size_t>(index - 1)].MouseOverSplit) return;
  DropDown(index);
}

void kestCommandBar::MouseReleased(std::int32_t button) {
  if (m_hWnd == 0) return;
  win::POINT p;
  CursorToClient(p);
  const std::int32_t index = HitTest(p.x, p.y);
  if (button != 1) {
    TrackMenu(0, index, false, false);
    return;
  }
  const win::HWND self = m_hWnd;
  if (index > 0 && CanHighlightAt(index)) {
    const cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(index - 1)];
    if (r.mouseOver && r.mouseDown) ClickButton(index);
  }
  if (mCommandBars::FindControl(self) != this) return;  // the host let the control go
  ClearPressedState();
  TrackMenu(0, index, false, false);
  RedrawOrRepaint(index);
}

// --- clicks ------------------------------------------------------------------------------------------

void kestCommandBar::ClickButton(std::int32_t index) {
  cCommandBarInt* bar = ShownBar();
  cButtonInt* btn = ButtonAtIndex(index);
  if (bar == nullptr || btn == nullptr || !CanHighlightAt(index)) return;
  const bool hasMenu = btn->Bar() != nullptr;
  if (mCommandBars::InMenuMode() && !hasMenu) {
    if (m_bAddOrRemove && (btn->State() == 0 || btn->State() == 1)) {
      // The entry shows or hides its toolbar button; the menu stays open and the host is not told,
      // so the command of the button being hidden does not run.
      bar->ButtonClicked(index);
      btn->Visible(btn->State() == 1);
      RedrawButton(index);
      return;
    }
    // Leaving raises the host's events, which may change the bars or let this control go: the bar
    // and the button are found again after, and the button where it stands now.
    const win::HWND self = m_hWnd;
    const WeakLink<cCommandBarInt> barLink(bar->lifeline());
    const WeakLink<cButtonInt> btnLink(btn->lifeline());
    mCommandBars::LeaveMenuMode();
    bar = barLink.get();
    btn = btnLink.get();
    if (mCommandBars::FindControl(self) != this || bar == nullptr || btn == nullptr) return;
    index = bar->IndexOf(btn->Key());
  }
  if (index > 0) bar->ButtonClicked(index);
  const bool showing = index > 0 && index <= static_cast<std::int32_t>(m_cDisplayInfo.size()) &&
                       m_cDisplayInfo[static_cast<std::size_t>(index - 1)].ShowingMenu;
  if (!showing) RaiseEvent(ButtonClick, cButton(m_hWnd, btn->Key()));
}

void kestCommandBar::RaiseButtonClick(cButtonInt& btn) { RaiseEvent(ButtonClick, cButton(m_hWnd, btn.Key())); }

// --- timers ------------------------------------------------------------------------------------------

void kestCommandBar::tmrMenuPopup_Timer() {
  const std::int32_t index = menuTimerTag_;
  StopMenuTimer();
  cButtonInt* btn = ButtonAtIndex(index);
  if (btn == nullptr || index > static_cast<std::int32_t>(m_cDisplayInfo.size())) return;
  cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(index - 1)];
  if (!r.mouseOver) return;
  if (btn->Bar() != nullptr) {
    if (!r.ShowingMenu) ShowSubMenu(index, false);
    return;
  }
  for (std::size_t i = 0; i < m_cDisplayInfo.size(); ++i) {
    cDisplayButtonInfo& other = m_cDisplayInfo[i];
    if (!other.ShowingMenu || other.hWndMenu == 0) continue;
    if (kestCommandBar* popup = mCommandBars::FindControl(other.hWndMenu)) popup->ClosePopup(true);
    other.ShowingMenu = false;
    other.hWndMenu = 0;
    RedrawOrRepaint(static_cast<std::int32_t>(i + 1));
  }
}

void kestCommandBar::tmrLostMouse_Timer() {
  if (!m_bEnabled) return;
  win::POINT p;
  win::GetCursorPos(&p);
  if (p.x == lostMouseLast_.x && p.y == lostMouseLast_.y) return;
  lostMouseLast_ = p;
  win::RECT r;
  if (win::GetWindowRect(m_hWnd, &r) && p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return;
  if (m_hWnd == mCommandBars::ActivePopupHwnd()) {
    for (const cDisplayButtonInfo& rec : m_cDisplayInfo) {
      if ((rec.mouseOver || rec.MouseOverSplit) && !rec.ShowingMenu) {
        TrackMenu(0, 0, false, false);
        break;
      }
    }
  } else {
    TrackMenu(0, 0, false, false);
  }
  StopLostMouseTimer();
}

// --- keys --------------------------------------------------------------------------------------------

bool kestCommandBar::HasMnemonic(std::int32_t vKey) {
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return false;
  for (std::int32_t i = 1; i <= bar->Count(); ++i) {
    cButtonInt* btn = bar->Item(i);
    if (btn != nullptr && CanHighlightAt(i) && btn->MatchesMnemonic(static_cast<std::int16_t>(vKey))) return true;
  }
  return false;
}

void kestCommandBar::MoveHot(std::int32_t delta, bool bFirst, bool bLast) {
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return;
  const std::int32_t count = std::min<std::int32_t>(bar->Count(), static_cast<std::int32_t>(m_cDisplayInfo.size()));
  if (count < 1) return;
  const std::int32_t hot = HotIndex();
  std::int32_t pos = bFirst ? 1 : bLast ? count : hot + delta;
  const std::int32_t step = bLast ? -1 : bFirst ? 1 : (delta < 0 ? -1 : 1);
  auto wrap = [count](std::int32_t i) { return i < 1 ? count : i > count ? 1 : i; };
  pos = wrap(pos);
  for (std::int32_t tried = 0; tried < count; ++tried, pos = wrap(pos + step)) {
    cButtonInt* btn = bar->Item(pos);
    const cDisplayButtonInfo& r = m_cDisplayInfo[static_cast<std::size_t>(pos - 1)];
    if (btn == nullptr || btn->Style() == eSeparator || !btn->Visible() || r.Hidden) continue;
    if (pos != hot) {
      TrackMenu(0, pos, false, true);
      StopLostMouseTimer();
    }
    return;
  }
}

void kestCommandBar::PopupSideKey(std::int32_t direction) {
  const std::int32_t hot = HotIndex();
  cButtonInt* btn = ButtonAtIndex(hot);
  if (direction > 0 && btn != nullptr && btn->Bar() != nullptr && CanHighlightAt(hot)) {
    ShowSubMenu(hot, true);
    return;
  }
  // A menu shown at a point, or opened from one, only closes: there is no bar to walk along.
  const bool alongBar = FromBarItem();
  HandleMenuKey(win::VK_ESCAPE, 0);
  if (!alongBar) return;
  kestCommandBar* owner = mCommandBars::FindControl(mCommandBars::MenuOwnerHwnd());
  if (owner == nullptr) return;
  if (owner->IsPopupInstance()) {
    if (direction > 0) {
      if (kestCommandBar* root = mCommandBars::FindControl(mCommandBars::ActivePopupHwnd())) root->BarNextMenu(1);
    }
    return;
  }
  owner->BarNextMenu(direction);
}

void kestCommandBar::BarNextMenu(std::int32_t direction) {
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return;
  const std::int32_t count = std::min<std::int32_t>(bar->Count(), static_cast<std::int32_t>(m_cDisplayInfo.size()));
  if (count < 1) return;
  const std::int32_t start = HotIndex() > 0 ? HotIndex() : 1;
  std::int32_t pos = start;
  for (std::int32_t tried = 0; tried < count; ++tried) {
    pos += direction < 0 ? -1 : 1;
    if (pos < 1) pos = count;
    if (pos > count) pos = 1;
    if (pos == start) return;
    if (!CanHighlightAt(pos)) continue;
    TrackMenu(0, pos, false, false);
    if (kestCommandBar* owner = mCommandBars::FindControl(mCommandBars::MenuOwnerHwnd()))
      owner->HandleMenuKey(win::VK_DOWN, 0);
    return;
  }
}

void kestCommandBar::HandleMenuKey(std::int32_t vKey, std::int32_t eModifiers) {
  if (!mCommandBars::InMenuMode()) return;
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return;
  const std::int32_t hot = HotIndex();
  // The first item that may be chosen whose mnemonic is the key.
  auto mnemonic = [&]() -> std::int32_t {
    for (std::int32_t i = 1; i <= bar->Count(); ++i) {
      cButtonInt* btn = bar->Item(i);
      if (btn != nullptr && CanHighlightAt(i) && btn->MatchesMnemonic(static_cast<std::int16_t>(vKey))) return i;
    }
    return 0;
  };
  if (m_bIsPopup) {
    mCommandBars::SetMenuOwnerHwnd(m_hWnd);
    switch (vKey) {
      case win::VK_RETURN: {
        cButtonInt* btn = ButtonAtIndex(hot);
        if (btn == nullptr) return;
        if (btn->Bar() != nullptr) {
          if (CanHighlightAt(hot)) ShowSubMenu(hot, true);
        } else {
          ClickButton(hot);
        }
        return;
      }
      case win::VK_ESCAPE:
        // Closing raises the host's events, which may unload this control: nothing is touched after.
        popup_.menuState = 0;
        if (kestCommandBar* source = mCommandBars::FindControl(popup_.source)) source->ClosePopup(false);
        return;
      case win::VK_END: MoveHot(0, false, true); return;
      case win::VK_HOME: MoveHot(0, true, false); return;
      case win::VK_LEFT: PopupSideKey(-1); return;
      case win::VK_UP: MoveHot(-1, false, false); return;
      case win::VK_RIGHT: PopupSideKey(1); return;
      case win::VK_DOWN: MoveHot(1, false, false); return;
      default: {
        const std::int32_t i = mnemonic();
        if (i == 0) return;
        if (ButtonAtIndex(i)->Bar() != nullptr) {
          TrackMenu(0, i, false, true);
          ShowSubMenu(i, true);
        } else {
          ClickButton(i);
        }
        return;
      }
    }
  }
  std::int32_t key = vKey;
  if (Vertical(m_eOrientation)) {
    if (key == win::VK_LEFT) key = win::VK_UP;
    else if (key == win::VK_UP) key = win::VK_LEFT;
    else if (key == win::VK_RIGHT) key = win::VK_DOWN;
    else if (key == win::VK_DOWN) key = win::VK_RIGHT;
  }
  switch (key) {
    case win::VK_ESCAPE:
      mCommandBars::SetMenuMode(false, 0);
      MouseMoved(0);
      return;
    case win::VK_LEFT: MoveHot(-1, false, false); return;
    case win::VK_RIGHT: MoveHot(1, false, false); return;
    case win::VK_UP:
    case win::VK_DOWN:
      if (hot > 0 && CanHighlightAt(hot)) ShowSubMenu(hot, true);
      return;
    default: {
      const std::int32_t i = mnemonic();
      if (i == 0) return;
      TrackMenu(0, i, false, true);
      ShowSubMenu(i, true);
      return;
    }
  }
}

}  // namespace commandbars
