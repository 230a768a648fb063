// The common controls' tab control ("SysTabControl32") and the scroll arrows it shows
// ("msctls_updown32"), drawn through this layer's device contexts in the classic look.
//
// A tab control keeps its tabs (text, image, item data, state), lays them out in one row (scroll
// arrows appear when they do not fit) or in several (the row of the selected tab next to the page
// frame), and tells its parent through WM_NOTIFY: TCN_SELCHANGING (a non-zero answer keeps the
// selection), TCN_SELCHANGE, TCN_KEYDOWN and NM_RCLICK. The user selects with the left button, with
// the arrow keys, Home and End, and with the page keys of a tabbed dialog: Ctrl+Tab and Ctrl+Page Down
// the next tab, Ctrl+Shift+Tab and Ctrl+Page Up the previous one, round the row. Other keys go on to
// DefWindowProc (Tab to the next control). Owner-drawn tabs (TCS_OWNERDRAWFIXED) are measured with
// WM_MEASUREITEM and drawn with WM_DRAWITEM, both sent to the parent. The style is read whenever the
// control lays out or paints, so a style set with SetWindowLongA takes effect at the next paint.
#pragma once

#include <string>

#include "platform/gdi/types.h"

namespace win {

inline constexpr char WC_TABCONTROLA[] = "SysTabControl32";
inline constexpr char UPDOWN_CLASSA[] = "msctls_updown32";

// Registers the classes above; later calls do nothing.
void InitCommonControls();

// Tab control styles and extended styles.
constexpr LONG TCS_BOTTOM = 0x0002;
constexpr LONG TCS_RIGHT = 0x0002;
constexpr LONG TCS_FLATBUTTONS = 0x0008;
constexpr LONG TCS_HOTTRACK = 0x0040;
constexpr LONG TCS_VERTICAL = 0x0080;
constexpr LONG TCS_TABS = 0x0000;
constexpr LONG TCS_BUTTONS = 0x0100;
constexpr LONG TCS_SINGLELINE = 0x0000;
constexpr LONG TCS_MULTILINE = 0x0200;
constexpr LONG TCS_RIGHTJUSTIFY = 0x0000;
constexpr LONG TCS_OWNERDRAWFIXED = 0x2000;
constexpr DWORD TCS_EX_FLATSEPARATORS = 0x0001;

// Messages.
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
constexpr UINT TCM_SETIMAGELIST = TCM_FIRST + 3;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEMA = TCM_FIRST + 5;
constexpr UINT TCM_SETITEMA = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEMA = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_SETPADDING = TCM_FIRST + 43;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
constexpr UINT TCM_SETEXTENDEDSTYLE = TCM_FIRST + 52;
constexpr UINT TCM_GETEXTENDEDSTYLE = TCM_FIRST + 53;

// Item fields and states.
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;
constexpr DWORD TCIS_BUTTONPRESSED = 0x0001;
constexpr DWORD TCIS_HIGHLIGHTED = 0x0002;

// One tab as TCM_GETITEMA, TCM_SETITEMA and TCM_INSERTITEMA pass it. Text travels in pszText; a read
// copies at most cchTextMax - 1 units and a NUL.
struct TCITEMA {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  char16_t* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

struct TCHITTESTINFO {
  POINT pt;
  UINT flags = 0;
};
constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEM = 0x0006;

// Notifications (WM_NOTIFY, lParam pointing to the header).
struct NMHDR {
  HWND hwndFrom = 0;
  UINT_PTR idFrom = 0;
  int code = 0;
};
constexpr int NM_CLICK = -2;
constexpr int NM_RCLICK = -5;
constexpr int TCN_KEYDOWN = -550;
constexpr int TCN_SELCHANGE = -551;
constexpr int TCN_SELCHANGING = -552;

// Owner drawing.
constexpr UINT ODT_TAB = 101;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_FOCUS = 0x0010;
struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = 0;
  HDC hDC = 0;
  RECT rcItem;
  ULONG_PTR itemData = 0;
};
struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  ULONG_PTR itemData = 0;
};

// The scroll arrows: a pair of left and right buttons. A click moves the position within the range
// and sends WM_HSCROLL (SB_THUMBPOSITION with the new position in the high word) to the parent.
constexpr int SB_THUMBPOSITION = 4;
constexpr UINT UDM_SETRANGE = WM_USER + 101;  // lParam: MAKELPARAM(upper, lower)
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;

}  // namespace win
