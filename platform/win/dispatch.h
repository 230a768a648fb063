// Inside the layer only: how Qt's events become window messages.
#pragma once

#include "platform/layer_only.h"

#include <vector>

#include "platform/win/types.h"

class QObject;
class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace platform::detail {

// Called by the application for every event before Qt delivers it (once per event, before any
// propagation to parent widgets): turns widget events into messages for their windows and runs the
// thread hooks. True when the event is swallowed. Events delivered on any thread but the
// user-interface thread pass untouched.
bool BeforeDelivery(QObject* receiver, QEvent* event);

// True when DefWindowProc is being called for the message the bridge is dispatching to window h:
// the bridge then lets the widget handle the event itself.
bool MarkDefaultHandling(win::HWND h, win::UINT msg);

// Stops the timers of windows that are going.
void KillTimersOf(const std::vector<win::HWND>& windows);
// Runs a timer's tick now; whether a timer runs; the identifier of the newest thread timer, or 0.
void FireTimerNow(win::HWND h, win::UINT_PTR id);
bool HasTimer(win::HWND h, win::UINT_PTR id);
win::UINT_PTR LastThreadTimer();

win::DWORD UiThreadId();

// Records a key going down or up in the state GetKeyState reports.
void NoteKey(int vk, bool down);
// Forgets every key held down (the application lost the keyboard).
void ReleaseHeldKeys();
// Records Shift, Ctrl and Alt as an input event from the X server reports them held (the key `vk`
// of a key event is noted by NoteKey); and as the server has them now (the application took the
// keyboard).
void NoteModifiersOf(const QKeyEvent* e, int vk);
void NoteModifiersOf(const QMouseEvent* e);
void NoteModifiersHeldNow();
// Records the keyboard layout a key event reports (on X, the XKB group in the key's state).
void NoteKeyboardLayout(const QKeyEvent* e);
// Returns to the first keyboard layout (tests leave nothing behind).
void ResetKeyboardLayout();
// The virtual key of a key event (from the physical key), or 0; and the key message's lParam.
int VirtualKey(const QKeyEvent* e);
win::LPARAM KeyLParam(const QKeyEvent* e, bool up);

// Runs the thread hooks of a type, newest first; true when one swallowed the input.
bool RunHooks(int type, win::WPARAM w, win::LPARAM l);

// The window holding the mouse capture, or 0.
win::HWND CapturingWindow();

}  // namespace platform::detail
