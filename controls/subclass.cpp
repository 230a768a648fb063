#include "controls/subclass.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "controls/subclass_properties.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

namespace {

using namespace win;
using namespace subclass_properties;

// Listeners alive now. A slot is only called while its listener is, so a listener destroyed without
// detaching (or destroyed by its own call) is never reached through a stale pointer.
std::unordered_set<const ISubclass*>& live() {
  static std::unordered_set<const ISubclass*> s;
  return s;
}

UINT currentMessage = 0;
bool storeSucceeded = false;


// Writing 0 removes the property; the result of the last write is kept for the caller to check.
void Set(HWND h, const std::string& name, LONG_PTR v) {
  if (v == 0) {
    RemovePropA(h, name);
    storeSucceeded = true;
  } else {
    storeSucceeded = SetPropA(h, name, v) != FALSE;
  }
}

ISubclass* Listener(HWND h, UINT m, std::int32_t n) {
  auto* p = reinterpret_cast<ISubclass*>(Get(h, SlotName(h, m, n)));
  return p != nullptr && live().count(p) != 0 ? p : nullptr;
}

// Whether the listener is alive and holds a slot of the message now.
bool Registered(HWND h, UINT m, const ISubclass* listener) {
  if (live().count(listener) == 0) return false;
  const auto me = reinterpret_cast<LONG_PTR>(listener);
  const auto c = static_cast<std::int32_t>(Get(h, MsgCountName(h, m)));
  for (std::int32_t n = 1; n <= c; ++n)
    if (Get(h, SlotName(h, m, n)) == me) return true;
  return false;
}

}  // namespace

ISubclass::ISubclass() { live().insert(this); }
ISubclass::~ISubclass() { live().erase(this); }
bool ISubclass::IsAlive(const ISubclass* listener) { return listener != nullptr && live().count(listener) != 0; }

namespace MSubclass {

bool IsWindowLocal(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid == GetCurrentProcessId();
}

UINT CurrentMessage() { return currentMessage; }

void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  if (!IsWindow(hwnd)) RaiseOwn(kInvalidWindow, u"Invalid window");
  if (!IsWindowLocal(hwnd)) RaiseOwn(kExternalWindow, u"Can't modify external window");
  const auto me = reinterpret_cast<LONG_PTR>(iwp);
  const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  for (std::int32_t n = 1; n <= c; ++n)
    if (Get(hwnd, SlotName(hwnd, iMsg, n)) == me) RaiseOwn(kAlreadyHandled, u"Message already handled by another class");

  Set(hwnd, MsgCountName(hwnd, iMsg), c + 1);
  if (!storeSucceeded) vb::Raise(vb::err::kInvalidProcedureCall);
  Set(hwnd, SlotName(hwnd, iMsg, c + 1), me);
  auto undoSlot = [&] {
    Set(hwnd, SlotName(hwnd, iMsg, c + 1), 0);
    Set(hwnd, MsgCountName(hwnd, iMsg), c);
  };
  if (!storeSucceeded) {
    Set(hwnd, MsgCountName(hwnd, iMsg), c);
    vb::Raise(vb::err::kInvalidProcedureCall);
  }

  if (Get(hwnd, CountName(hwnd)) == 0) {
    const LONG_PTR old = SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    if (old == 0) {
      undoSlot();
      RaiseOwn(kCantSubclass, u"Can't subclass window");
    }
    Set(hwnd, OldProcName(hwnd), old);
    if (!storeSucceeded) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      undoSlot();
      vb::Raise(vb::err::kInvalidProcedureCall);
    }
  }

  Set(hwnd, CountName(hwnd), Get(hwnd, CountName(hwnd)) + 1);
  if (!storeSucceeded) {
    undoSlot();
    const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
    if (Get(hwnd, CountName(hwnd)) == 0 && old != 0) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
    }
    vb::Raise(vb::err::kInvalidProcedureCall);
  }
}

void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  if (!IsWindow(hwnd) || !IsWindowLocal(hwnd)) return;
  const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  if (c < 1) return;
  const auto me = reinterpret_cast<LONG_PTR>(iwp);
  std::int32_t k = 0;
  for (std::int32_t n = 1; n <= c; ++n) {
    if (Get(hwnd, SlotName(hwnd, iMsg, n)) == me) {
      k = n;
      break;
    }
  }
  if (k == 0) return;
  for (std::int32_t n = k; n < c; ++n) Set(hwnd, SlotName(hwnd, iMsg, n), Get(hwnd, SlotName(hwnd, iMsg, n + 1)));
  Set(hwnd, SlotName(hwnd, iMsg, c), 0);
  Set(hwnd, MsgCountName(hwnd, iMsg), c - 1);

  const LONG_PTR count = Get(hwnd, CountName(hwnd));
  if (count == 1) {
    const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
    if (old != 0) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
    }
  }
  Set(hwnd, CountName(hwnd), count - 1);
}

LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
  if (old == 0) return 0;
  return CallWindowProcA(old, hwnd, iMsg, wParam, lParam);
}

LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR previous = Get(hwnd, OldProcName(hwnd));
  if (previous == 0) return 0;
  const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  if (c <= 0) {
    if (iMsg == WM_DESTROY) {
      // Nobody listens for the window's end: give it its own procedure back before it sees it.
      if (Get(hwnd, CountName(hwnd)) > 0) SetWindowLongA(hwnd, GWL_WNDPROC, previous);
      Set(hwnd, OldProcName(hwnd), 0);
      Set(hwnd, CountName(hwnd), 0);
    }
    return CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
  }

  // The listeners as they stand when the message arrives, the later-registered first. Each is
  // called once, in that order, while it is still registered and alive: a listener that attaches or
  // detaches listeners from its own call moves no other one into a slot not yet reached.
  std::vector<ISubclass*> listeners;
  listeners.reserve(static_cast<size_t>(c));
  for (std::int32_t n = c; n >= 1; --n) listeners.push_back(Listener(hwnd, iMsg, n));

  LRESULT result = 0;
  bool calledPrevious = false;
  ISubclass* last = nullptr;
  for (size_t i = 0; i < listeners.size(); ++i) {
    ISubclass* listener = listeners[i];
    if (listener == nullptr || !Registered(hwnd, iMsg, listener)) continue;
    currentMessage = iMsg;
    const bool firstRegistered = i + 1 == listeners.size();
    if (firstRegistered && listener->MsgResponse() == 2 && !calledPrevious) {
      CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
      calledPrevious = true;
      if (live().count(listener) == 0) continue;
    }
    result = listener->WindowProc(hwnd, iMsg, wParam, lParam);
    last = listener;
  }
  if (last == nullptr || live().count(last) == 0) return result;
  // A nested dispatch inside a listener may have left another message current: the response is
  // asked for this one.
  currentMessage = iMsg;
  if (last->MsgResponse() == 1 && !calledPrevious) result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
  return result;
}

}  // namespace MSubclass
