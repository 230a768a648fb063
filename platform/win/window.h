// Windows: classes, creation and destruction, window procedures, parents, titles. This header also
// brings in the rest of the window API, one header per area: properties.h, messages.h, timers.h,
// placement.h, focus.h (focus, activation, capture), hooks.h and system_menu.h.
//
// Every window of the process (form, control, popup, shadow) has a handle in one table, a window
// procedure that SetWindowLongA(h, GWL_WNDPROC, p) replaces, a property list, a parent, styles and a
// widget behind it. Input and state changes of the widget reach the procedure as messages; a procedure
// that passes a message on to DefWindowProc hands it back to the widget's own handling.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/types.h"

// The rest of the window API, which users of windows mostly need as well.
#include "platform/win/focus.h"
#include "platform/win/hooks.h"
#include "platform/win/messages.h"
#include "platform/win/placement.h"
#include "platform/win/properties.h"
#include "platform/win/system_menu.h"
#include "platform/win/timers.h"

namespace win {

// Window classes: a name and the procedure new windows of the class start with.
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_DROPSHADOW = 0x00020000;
struct WNDCLASSA {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  std::string lpszClassName;
};
BOOL RegisterClassA(const WNDCLASSA& wc);
BOOL UnregisterClassA(std::string_view className);

// Creates a window of a registered class. A window without WS_CHILD is top level (WS_POPUP makes it
// frameless). WM_CREATE goes through the class procedure before the handle is returned; a procedure
// that answers -1 refuses the creation and 0 is returned.
HWND CreateWindowExA(LONG exStyle, std::string_view className, std::u16string_view windowName,
                     LONG style, int x, int y, int width, int height, HWND parent, LONG_PTR id,
                     HINSTANCE instance, void* param);
// Sends WM_DESTROY to the window and then to its children, then WM_NCDESTROY, removes them from the
// table and lets their widgets go.
BOOL DestroyWindow(HWND h);
BOOL IsWindow(HWND h);

LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value);
LONG_PTR GetWindowLongA(HWND h, int index);
inline LONG_PTR SetWindowLongPtrA(HWND h, int index, LONG_PTR value) { return SetWindowLongA(h, index, value); }
inline LONG_PTR GetWindowLongPtrA(HWND h, int index) { return GetWindowLongA(h, index); }

LRESULT CallWindowProcA(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(LONG_PTR proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(h, msg, wParam, lParam);
}

DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
DWORD GetWindowThreadProcessId(HWND h, DWORD* processId);

// Parents: a child window's parent, or a top-level window's owner.
HWND GetParent(HWND h);
HWND SetParent(HWND h, HWND parent);
HWND GetAncestorTopLevel(HWND h);
// The next child of `parent` after `childAfter` (0: from the first), in creation order, whose class
// name equals `className` (without regard to case) and, when `windowName` is given, whose title
// equals it; 0 when there is none. Only direct children count.
HWND FindWindowExA(HWND parent, HWND childAfter, std::string_view className,
                   const std::u16string_view* windowName = nullptr);

// Calls `proc` for every top-level window, of this program and of others, from the front to the
// back (windows kept on top first, then the one shown or raised last), until it returns FALSE.
using WNDENUMPROC = BOOL (*)(HWND h, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);

BOOL InvalidateRect(HWND h, const RECT* r, BOOL erase);
BOOL UpdateWindow(HWND h);
BOOL SetWindowTextA(HWND h, std::u16string_view text);
std::u16string GetWindowTextA(HWND h);
std::string GetClassNameA(HWND h);

}  // namespace win
