// The tab control's state, messages and input.
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
#include "platform/gdi/tab_control_internal.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace win {
namespace tab_detail {
namespace {

std::unordered_map<HWND, std::unique_ptr<Tab>>& tabs() {
  static std::unordered_map<HWND, std::unique_ptr<Tab>> t;
  return t;
}

}  // namespace

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


// --- notifications --------------------------------------------------------------------------------

namespace {

struct NMTCKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

}  // namespace

LRESULT Notify(HWND h, int code, NMHDR* hdr) {
  NMHDR plain;
  if (hdr == nullptr) hdr = &plain;
  hdr->hwndFrom = h;
  hdr->idFrom = static_cast<UINT_PTR>(GetWindowLongA(h, GWL_ID));
  hdr->code = code;
  const HWND parent = GetParent(h);
  if (parent == 0) return 0;
  return SendMessageA(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

}  // namespace tab_detail

namespace {

using namespace tab_detail;

// --- selection and input ---------------------------------------------------------------------------

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

bool Held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The tab `step` places on from the selected one, round from the last to the first and back.
int Round(const Tab& t, int step) {
  const int n = static_cast<int>(t.items.size());
  return ((t.sel < 0 ? 0 : t.sel + step) % n + n) % n;
}

// The tab a key selects, or -1 for a key the tabs leave alone. The arrows, Home and End move within
// the row; Ctrl+Tab and Ctrl+Page Down go to the next tab, Ctrl+Shift+Tab and Ctrl+Page Up to the
// previous one, round the row, as a tabbed dialog's page keys do.
int TabOfKey(const Tab& t, WPARAM vk) {
  const int last = static_cast<int>(t.items.size()) - 1;
  const int cur = t.sel;
  const bool ctrl = Held(VK_CONTROL);
  switch (static_cast<int>(vk)) {
    case VK_LEFT:
    case VK_UP: return cur < 0 ? 0 : std::max(0, cur - 1);
    case VK_RIGHT:
    case VK_DOWN: return cur < 0 ? 0 : std::min(last, cur + 1);
    case VK_HOME: return 0;
    case VK_END: return last;
    case VK_TAB: return ctrl ? Round(t, Held(VK_SHIFT) ? -1 : 1) : -1;
    case VK_NEXT: return ctrl ? Round(t, 1) : -1;
    case VK_PRIOR: return ctrl ? Round(t, -1) : -1;
    default: return -1;
  }
}

// True when the key was the tabs' own; any other key goes on (Tab to the next control).
bool KeyDown(Tab& t, WPARAM vk, LPARAM l) {
  NMTCKEYDOWN kd;
  kd.wVKey = static_cast<WORD>(vk);
  kd.flags = static_cast<UINT>(l);
  const HWND h = t.h;
  Notify(h, TCN_KEYDOWN, &kd.hdr);
  Tab* again = Find(h);
  if (again == nullptr || again->items.empty()) return false;
  const int i = TabOfKey(*again, vk);
  if (i < 0) return false;
  Choose(*again, i);
  return true;
}

// --- item messages ----------------------------------------------------------------------------------

// Something the tabs' sizes depend on changed: measure again at the next layout, and repaint.
void Changed(Tab& t) {
  t.measuredValid = false;
  InvalidateRect(t.h, nullptr, TRUE);
}

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
  Changed(t);
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
  Changed(t);
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
      Changed(t);
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
      Changed(t);
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
      Changed(t);
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
      Changed(t);
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
      FillRect(static_cast<HDC>(w), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SETFONT:
      t->font = static_cast<HFONT>(w);
      t->measuredValid = false;
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
    case WM_KEYDOWN: return KeyDown(*t, w, l) ? 0 : DefWindowProcA(h, msg, w, l);
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

}  // namespace

void InitCommonControls() {
  static const bool done = [] {
    WNDCLASSA tab;
    tab.style = CS_DBLCLKS;
    tab.lpfnWndProc = &TabProc;
    tab.lpszClassName = WC_TABCONTROLA;
    RegisterClassA(tab);
    WNDCLASSA updown;
    updown.lpfnWndProc = &tab_detail::ArrowsProc;
    updown.lpszClassName = UPDOWN_CLASSA;
    RegisterClassA(updown);
    return true;
  }();
  (void)done;
}

}  // namespace win
