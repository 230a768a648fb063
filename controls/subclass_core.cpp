#include "controls/subclass_core.h"

#include <algorithm>
#include <vector>

#include "controls/subclass_properties.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

using namespace win;
using namespace subclass_properties;

namespace {

// Whether the listener is alive and holds a slot of the message now.
bool Registered(HWND h, UINT m, const ISubclass* listener) {
  if (!ISubclass::IsAlive(listener)) return false;
  const auto me = reinterpret_cast<LONG_PTR>(listener);
  const auto c = static_cast<std::int32_t>(Get(h, MsgCountName(h, m)));
  for (std::int32_t n = 1; n <= c; ++n)
    if (Get(h, SlotName(h, m, n)) == me) return true;
  return false;
}

struct Slot {
  std::int32_t n;
  ISubclass* listener;
};

// The listeners of a message as they stand when it arrives, by slot.
std::vector<Slot> Listeners(HWND h, UINT m, std::int32_t count) {
  std::vector<Slot> slots;
  slots.reserve(static_cast<size_t>(count));
  for (std::int32_t n = 1; n <= count; ++n)
    if (auto* l = reinterpret_cast<ISubclass*>(Get(h, SlotName(h, m, n)))) slots.push_back({n, l});
  return slots;
}

}  // namespace

bool SubclassCore::IsWindowLocal(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid == GetCurrentProcessId();
}

LRESULT SubclassCore::CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
  if (old == 0) return 0;
  return CallWindowProcA(old, hwnd, iMsg, wParam, lParam);
}

void SubclassCore::Set(HWND h, const std::string& name, LONG_PTR v) {
  if (v == 0) {
    RemovePropA(h, name);
    storeSucceeded_ = true;
  } else {
    storeSucceeded_ = SetPropA(h, name, v) != FALSE;
  }
}

void SubclassCore::AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  if (!IsWindow(hwnd)) RaiseOwn(MSubclass::kInvalidWindow, u"Invalid window");
  if (!IsWindowLocal(hwnd)) RaiseOwn(MSubclass::kExternalWindow, u"Can't modify external window");
  const auto me = reinterpret_cast<LONG_PTR>(iwp);
  const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  for (std::int32_t n = 1; n <= c; ++n)
    if (Get(hwnd, SlotName(hwnd, iMsg, n)) == me)
      RaiseOwn(MSubclass::kAlreadyHandled, u"Message already handled by another class");

  Set(hwnd, MsgCountName(hwnd, iMsg), c + 1);
  if (!storeSucceeded_) vb::Raise(vb::err::kInvalidProcedureCall);
  Set(hwnd, SlotName(hwnd, iMsg, c + 1), me);
  auto undoSlot = [&] {
    Set(hwnd, SlotName(hwnd, iMsg, c + 1), 0);
    Set(hwnd, MsgCountName(hwnd, iMsg), c);
  };
  if (!storeSucceeded_) {
    Set(hwnd, MsgCountName(hwnd, iMsg), c);
    vb::Raise(vb::err::kInvalidProcedureCall);
  }

  if (Get(hwnd, CountName(hwnd)) == 0) {
    const LONG_PTR old = SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(procedure_));
    if (old == 0) {
      undoSlot();
      RaiseOwn(MSubclass::kCantSubclass, u"Can't subclass window");
    }
    Set(hwnd, OldProcName(hwnd), old);
    if (!storeSucceeded_ || !Installed(hwnd)) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
      undoSlot();
      vb::Raise(vb::err::kInvalidProcedureCall);
    }
  }

  Set(hwnd, CountName(hwnd), Get(hwnd, CountName(hwnd)) + 1);
  if (!storeSucceeded_) {
    undoSlot();
    if (Get(hwnd, CountName(hwnd)) == 0) Restore(hwnd);
    vb::Raise(vb::err::kInvalidProcedureCall);
  }
}

void SubclassCore::DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  if (!IsWindow(hwnd) || !IsWindowLocal(hwnd)) return;
  const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  if (c < 1) return;
  const auto me = reinterpret_cast<LONG_PTR>(iwp);
  std::int32_t k = 0;
  for (std::int32_t n = 1; n <= c && k == 0; ++n)
    if (Get(hwnd, SlotName(hwnd, iMsg, n)) == me) k = n;
  if (k == 0) return;
  for (std::int32_t n = k; n < c; ++n) Set(hwnd, SlotName(hwnd, iMsg, n), Get(hwnd, SlotName(hwnd, iMsg, n + 1)));
  Set(hwnd, SlotName(hwnd, iMsg, c), 0);
  Set(hwnd, MsgCountName(hwnd, iMsg), c - 1);

  const LONG_PTR count = Get(hwnd, CountName(hwnd));
  if (count == 1) Restore(hwnd);
  Set(hwnd, CountName(hwnd), count - 1);
}

void SubclassCore::Restore(HWND h) {
  const LONG_PTR old = Get(h, OldProcName(h));
  if (old == 0) return;
  SetWindowLongA(h, GWL_WNDPROC, old);
  Set(h, OldProcName(h), 0);
  Released(h);
}

void SubclassCore::ReleaseAtEnd(HWND h, LONG_PTR previous) {
  if (Get(h, CountName(h)) > 0) SetWindowLongA(h, GWL_WNDPROC, previous);
  Set(h, OldProcName(h), 0);
  Set(h, CountName(h), 0);
  Released(h);
}

bool SubclassCore::WantsPreviousBefore(std::int32_t response) const {
  return rules_.responseBits ? (response & 2) != 0 : response == 2;
}

bool SubclassCore::WantsPreviousAfter(std::int32_t response) const {
  return rules_.responseBits ? (response & 1) != 0 : response == 1;
}

LRESULT SubclassCore::Dispatch(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR previous = Get(hwnd, OldProcName(hwnd));
  if (previous == 0) return 0;
  const auto count = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  if (count <= 0) {
    // Nobody listens for the window's end: give it its own procedure back before it sees it.
    if (iMsg == WM_DESTROY) ReleaseAtEnd(hwnd, previous);
    return CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
  }

  // Each listener registered when the message arrived is called once, in the service's order,
  // while it is still registered and alive: a listener that attaches or detaches listeners from its
  // own call moves no other one into a slot not yet reached.
  std::vector<Slot> listeners = Listeners(hwnd, iMsg, count);
  if (!rules_.firstRegisteredFirst) std::reverse(listeners.begin(), listeners.end());
  LRESULT result = 0;
  bool calledPrevious = false;
  ISubclass* called = nullptr;
  for (const auto& [n, listener] : listeners) {
    if (!Registered(hwnd, iMsg, listener)) continue;
    currentMessage_ = iMsg;
    if (n == 1 && !calledPrevious && WantsPreviousBefore(listener->MsgResponse())) {
      const LRESULT before = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
      if (rules_.responseBits) result = before;
      calledPrevious = true;
      if (!ISubclass::IsAlive(listener)) continue;
    }
    currentMessage_ = iMsg;
    result = listener->WindowProc(hwnd, iMsg, wParam, lParam);
    called = listener;
  }

  ISubclass* decider = called;
  if (rules_.highestSlotDecides) {
    const auto highest = std::find_if(listeners.begin(), listeners.end(), [&](const Slot& s) { return s.n == count; });
    decider = highest != listeners.end() ? highest->listener : nullptr;
  }
  if (calledPrevious || !ISubclass::IsAlive(decider)) return result;
  // A nested dispatch inside a listener may have left another message current: the response is
  // asked for this one.
  currentMessage_ = iMsg;
  if (WantsPreviousAfter(decider->MsgResponse())) result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
  return result;
}
