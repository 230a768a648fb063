// Inside the layer only: how Qt's events become window messages.
#pragma once

#include <vector>

#include "platform/win/types.h"

class QObject;
class QEvent;

namespace platform::detail {

// Called by the application for every event before Qt delivers it (once per event, before any
// propagation to parent widgets): turns widget events into messages for their windows and runs the
// thread hooks. True when the event is swallowed.
bool BeforeDelivery(QObject* receiver, QEvent* event);

// True when DefWindowProc is being called for the message the bridge is dispatching to window h:
// the bridge then lets the widget handle the event itself.
bool MarkDefaultHandling(win::HWND h, win::UINT msg);

// Stops the timers of windows that are going.
void KillTimersOf(const std::vector<win::HWND>& windows);

win::DWORD UiThreadId();

// Records a key going down or up in the state GetKeyState reports.
void NoteKey(int vk, bool down);

}  // namespace platform::detail
