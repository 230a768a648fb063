// The tab strip's window side: its tab window made and remade, the message registrations, and the
// messages that become the control's events and owner drawing.
#include <algorithm>

#include "controls/tab_control.h"
#include "controls/tab_strip.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control.h"
#include "platform/win/window.h"

using namespace win;

namespace {

constexpr int kTextBuffer = 255;
constexpr UINT kDrawText = DT_CENTER | DT_VCENTER | DT_SINGLELINE;  // 37

}  // namespace

// --- the tab window ---------------------------------------------------------------------------------

LONG TabControl::Style() const {
  LONG s = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (hotTrack_) s |= TCS_HOTTRACK;
  if (buttons_) s |= TCS_BUTTONS | (flatButtons_ ? TCS_FLATBUTTONS : 0);
  if (multiLine_) s |= TCS_MULTILINE;
  if (ownerDraw_) s |= TCS_OWNERDRAWFIXED;
  switch (tabAlign_) {
    case 1: s |= TCS_VERTICAL; break;
    case 2: s |= TCS_BOTTOM; break;
    case 3: s |= TCS_VERTICAL | TCS_RIGHT; break;
    default: break;
  }
  return s;
}

void TabControl::ApplyStyle() {
  if (tab_ == 0) return;
  SetWindowLongA(tab_, GWL_STYLE, Style());
  InvalidateRect(tab_, nullptr, TRUE);
}

void TabControl::CreateTabWindow() {
  DestroyTabWindow();
  InitCommonControls();
  RECT r;
  GetClientRect(hWnd(), &r);
  tab_ = CreateWindowExA(0, WC_TABCONTROLA, u"", Style(), 0, 0, r.right, r.bottom, hWnd(), 0, 0, nullptr);
  if (tab_ == 0) return;
  Attach();
  KeepFocusIn(tab_);
  modTabStrip::Register(this);
}

void TabControl::DestroyTabWindow() {
  if (tab_ != 0) {
    Detach();
    modTabStrip::Deactivate(this);
    ShowWindow(tab_, SW_HIDE);
    DestroyWindow(tab_);
    tab_ = 0;
  }
  if (tabFont_ != 0) {
    DeleteObject(tabFont_);
    tabFont_ = 0;
  }
}

void TabControl::Attach() {
  own_ = hWnd();
  for (UINT m : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_SETFOCUS}) MSubclass::AttachMessage(this, own_, m);
  for (UINT m : {WM_SETFOCUS, WM_MOUSEACTIVATE, WM_DESTROY, WM_ERASEBKGND}) MSubclass::AttachMessage(this, tab_, m);
  attached_ = true;
  if (coolTabs_ >= 1) AttachPainting();
}

void TabControl::Detach() {
  if (attached_) {
    for (UINT m : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_SETFOCUS}) MSubclass::DetachMessage(this, own_, m);
    for (UINT m : {WM_SETFOCUS, WM_MOUSEACTIVATE, WM_DESTROY, WM_ERASEBKGND}) MSubclass::DetachMessage(this, tab_, m);
  }
  DetachPainting();
  attached_ = false;
}

void TabControl::AttachPainting() {
  DetachPainting();
  MSubclass::AttachMessage(this, tab_, WM_PAINT);
  MSubclass::AttachMessage(this, tab_, WM_NCPAINT);
  coolAttached_ = true;
}

void TabControl::DetachPainting() {
  if (!coolAttached_) return;
  MSubclass::DetachMessage(this, tab_, WM_PAINT);
  MSubclass::DetachMessage(this, tab_, WM_NCPAINT);
  coolAttached_ = false;
}

void TabControl::Rebuild() {
  EnsureWindow();
  struct Saved {
    std::u16string text;
    TCITEMA item;
  };
  std::vector<Saved> saved(static_cast<std::size_t>(TabCount()));
  for (std::size_t i = 0; i < saved.size(); ++i) {
    std::u16string buffer(kTextBuffer, u'\0');
    TCITEMA& item = saved[i].item;
    item.pszText = buffer.data();
    item.cchTextMax = kTextBuffer;
    GetItem(static_cast<std::int32_t>(i), TCIF_TEXT | TCIF_IMAGE | 0x4 | TCIF_PARAM | TCIF_STATE, TCIS_BUTTONPRESSED, &item);
    saved[i].text = buffer.substr(0, buffer.find(u'\0'));
  }
  const std::int32_t selected = SelectedTab();
  CreateTabWindow();
  FlatSeparators(flatSeparators_);
  for (std::size_t i = 0; i < saved.size(); ++i) {
    TCITEMA item = saved[i].item;
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM | TCIF_STATE;
    item.pszText = saved[i].text.data();
    Send(TCM_INSERTITEMA, i + 1, reinterpret_cast<LPARAM>(&item));
  }
  SetTabFont();
  ApplyImageList();
  RECT r;
  GetClientRect(hWnd(), &r);
  if (tab_ != 0) SetWindowPos(tab_, 0, 0, 0, r.right, r.bottom, 0x236);
  // A strip that had no selection keeps none (there is no tab 0 to select).
  if (selected > 0 && selected <= TabCount()) SelectTab(selected, true);
}

// --- messages ---------------------------------------------------------------------------------------

std::int32_t TabControl::MsgResponse() {
  const UINT m = MSubclass::CurrentMessage();
  if (m == WM_DRAWITEM) return 0;
  if (m == WM_ERASEBKGND && coolTabs_ == 2) return 0;
  return 2;
}

LRESULT TabControl::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  switch (iMsg) {
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      return hdr != nullptr && hdr->hwndFrom == tab_ && tab_ != 0 ? OnNotify(lParam) : 0;
    }
    case WM_DRAWITEM: return OnDrawItem(lParam);
    case WM_MEASUREITEM: return OnMeasureItem(lParam);
    case WM_SETFOCUS:
      if (hwnd == tab_) {
        modTabStrip::Activate(this);
      } else if (hwnd == own_ && tab_ != 0) {
        win::SetFocus(tab_);
      }
      return 0;
    case WM_MOUSEACTIVATE: return hwnd == tab_ ? OnMouseActivate(hwnd, wParam, lParam) : 0;
    case WM_ERASEBKGND:
      if (hwnd == tab_ && coolTabs_ == 2) OnEraseBackground(static_cast<HDC>(wParam));
      return 0;
    case WM_PAINT:
    case WM_NCPAINT:
      if (hwnd == tab_) PaintCoolFrame();
      return 0;
    case WM_DESTROY:
      if (hwnd == tab_) Detach();
      return 0;
    default: return 0;
  }
}

LRESULT TabControl::OnNotify(LPARAM lParam) {
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case TCN_SELCHANGING: {
      const std::int32_t current = SelectedTab();
      if (current == 0) return 0;
      bool cancel = false;
      RaiseEvent(BeforeClick, current, cancel);
      return cancel ? 1 : 0;
    }
    case TCN_SELCHANGE: RaiseEvent(TabClick, SelectedTab()); return 0;
    case NM_RCLICK: RaiseEvent(TabRightClick); return 0;
    default: return 0;
  }
}

LRESULT TabControl::OnDrawItem(LPARAM lParam) {
  const auto* given = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (given == nullptr) return 0;
  DRAWITEMSTRUCT di = *given;
  if (di.CtlType != ODT_TAB) return 0;
  const bool selected = (di.itemState & ODS_SELECTED) != 0;
  std::int32_t bottom = di.rcItem.bottom + (selected ? 0 : 1);
  const auto item = static_cast<std::int32_t>(di.itemID);
  const bool hot = TabHot(item + 1);
  bool doDefault = false;
  RaiseEvent(DrawItem, item, di.hDC, selected, hot, di.rcItem.left, di.rcItem.top, di.rcItem.right, bottom, doDefault);
  if (doDefault) DefaultDrawItem(item, di.hDC, selected, di.rcItem);
  return 0;
}

void TabControl::DefaultDrawItem(std::int32_t item, HDC hdc, bool selected, RECT r) {
  const bool shaded = coolTabs_ == 2 && !selected;
  FillRect(hdc, &r, GetSysColorBrush(shaded ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  const COLORREF text = GetSysColor(shaded ? COLOR_BTNFACE : COLOR_WINDOWTEXT);
  const std::int32_t image = TabImage(item + 1);
  int cx = 0, cy = 0;
  if (image >= 0 && imageList_ != 0 && ImageList_GetIconSize(imageList_, &cx, &cy)) {
    const int x = r.left + (selected ? 6 : 2);
    ImageList_Draw(imageList_, image, hdc, x, r.top + (r.bottom - r.top - cy) / 2, ILD_TRANSPARENT);
    r.left = x + cx + 1;
  }
  const int oldMode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(hdc, text);
  DrawTextA(hdc, TabText(item + 1), -1, &r, kDrawText);
  SetTextColor(hdc, oldColour);
  SetBkMode(hdc, oldMode);
}

LRESULT TabControl::OnMeasureItem(LPARAM lParam) {
  auto* given = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (given == nullptr) return 0;
  MEASUREITEMSTRUCT mi = *given;
  auto width = static_cast<std::int32_t>(mi.itemWidth);
  auto height = static_cast<std::int32_t>(mi.itemHeight);
  bool doDefault = true;
  RaiseEvent(MeasureItem, static_cast<std::int32_t>(mi.itemID), width, height, doDefault);
  if (doDefault) return 0;
  // A size below nothing is nothing, not a huge unsigned one.
  mi.itemWidth = static_cast<UINT>(std::max(width, 0));
  mi.itemHeight = static_cast<UINT>(std::max(height, 0));
  *given = mi;
  return 1;
}

LRESULT TabControl::OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (GetFocus() != tab_) {
    win::SetFocus(hWnd());
    return MA_NOACTIVATE;
  }
  return MSubclass::CallOldWindowProc(hwnd, WM_MOUSEACTIVATE, wParam, lParam);
}

// Flat painting, mode 2: the display area's surroundings in button face.
void TabControl::OnEraseBackground(HDC hdc) {
  RECT r = DisplayArea();
  r.left -= 6;
  r.right -= 2;
  if (tabAlign_ == 0) {
    r.top -= 4;
    r.bottom -= 2;
  } else {
    r.top -= 6;
    r.bottom -= 4;
  }
  FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
}
