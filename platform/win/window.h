// Windows, window procedures, properties and messages.
//
// Every window of the process (form, control, popup, shadow) has a handle in one table, a window
// procedure that SetWindowLongA(h, GWL_WNDPROC, p) replaces, a property list, a parent, styles and a
// widget behind it. Input and state changes of the widget reach the procedure as messages; a procedure
// that passes a message on to DefWindowProc hands it back to the widget's own handling.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/types.h"

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

// Properties: pointer-sized values under names that compare without regard to case.
BOOL SetPropA(HWND h, std::string_view name, LONG_PTR value);
LONG_PTR GetPropA(HWND h, std::string_view name);
LONG_PTR RemovePropA(HWND h, std::string_view name);

DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
DWORD GetWindowThreadProcessId(HWND h, DWORD* processId);

// SendMessage calls the window's procedure at once; PostMessage queues the message for the event
// loop (dropped when the window is gone by then).
LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(h, msg, wParam, lParam);
}
inline BOOL PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(h, msg, wParam, lParam);
}

// Placement and state. Rectangles are in pixels; window rectangles in screen coordinates.
BOOL GetWindowRect(HWND h, RECT* r);
BOOL GetClientRect(HWND h, RECT* r);
BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND h, int cmd);
BOOL IsWindowVisible(HWND h);
BOOL EnableWindow(HWND h, BOOL enable);
BOOL IsWindowEnabled(HWND h);
HWND GetParent(HWND h);
HWND SetParent(HWND h, HWND parent);
HWND GetAncestorTopLevel(HWND h);
BOOL ClientToScreen(HWND h, POINT* p);
BOOL ScreenToClient(HWND h, POINT* p);
BOOL GetCursorPos(POINT* p);
HWND WindowFromPoint(POINT p);
HWND SetFocus(HWND h);
HWND GetFocus();
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND h);
BOOL InvalidateRect(HWND h, const RECT* r, BOOL erase);
BOOL UpdateWindow(HWND h);
BOOL SetWindowTextA(HWND h, std::u16string_view text);
std::u16string GetWindowTextA(HWND h);
std::string GetClassNameA(HWND h);

// Mouse capture: while a window holds it, every mouse message of the thread goes to that window.
HWND SetCapture(HWND h);
BOOL ReleaseCapture();
HWND GetCapture();

// Timers. A window timer (h != 0) raises WM_TIMER on its window, or calls proc when one is given,
// and replaces a timer of the same window and identifier. A thread timer (h == 0) calls proc and gets
// a new identifier. Intervals below USER_TIMER_MINIMUM run at that minimum.
UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND h, UINT_PTR id);
DWORD GetTickCount();

// Thread hooks: keyboard and mouse input of the thread passes the newest hook first; a hook that
// answers non-zero swallows the input.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

}  // namespace win
