#include "controls/g_subclass.h"

#include <vector>

#include "controls/subclass_properties.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

namespace {

using namespace win;
using namespace subclass_properties;

// The window property naming the object whose procedure a window runs: the object that subclassed
// it. Every object installs the same procedure, which finds its object through this property, so
// any number of objects may live at once. An object that goes takes the property off its windows.
constexpr char kObjectProp[] = "GSubclass.Object";

// A window whose object has gone, still subclassed for other services' listeners (or still called
// by a procedure put on top of it): the module's procedure serves the same properties.
LRESULT Orphan(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (Get(h, OldProcName(h)) == 0) return DefWindowProcA(h, m, w, l);
  return MSubclass::WindowProc(h, m, w, l);
}

LRESULT SharedProcedure(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* owner = reinterpret_cast<GSubclass*>(GetPropA(h, kObjectProp));
  return owner != nullptr ? owner->WindowProc(h, m, w, l) : Orphan(h, m, w, l);
}

}  // namespace

GSubclass::~GSubclass() {
  const auto registrations = registrations_;
  for (const auto& [h, m, l] : registrations) DetachMessage(l, h, m);
  // Windows other services keep subclassed run on as orphans.
  for (const HWND h : subclassed_)
    if (IsWindow(h) && GetPropA(h, kObjectProp) == reinterpret_cast<LONG_PTR>(this)) RemovePropA(h, kObjectProp);
}

WNDPROC GSubclass::Procedure() { return &SharedProcedure; }

void GSubclass::Forget(HWND h) {
  RemovePropA(h, kObjectProp);
  subclassed_.erase(h);
}

bool GSubclass::IsWindowLocal(HWND hwnd) { return MSubclass::IsWindowLocal(hwnd); }

// Writing 0 removes the property; the result of the last write is kept for the caller to check.
void GSubclass::Set(HWND h, const std::string& name, LONG_PTR v) {
  if (v == 0) {
    RemovePropA(h, name);
    storeSucceeded_ = true;
  } else {
    storeSucceeded_ = SetPropA(h, name, v) != FALSE;
  }
}

void GSubclass::AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
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
    const LONG_PTR old = SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure()));
    if (old == 0) {
      undoSlot();
      RaiseOwn(MSubclass::kCantSubclass, u"Can't subclass window");
    }
    Set(hwnd, OldProcName(hwnd), old);
    if (storeSucceeded_) Set(hwnd, kObjectProp, reinterpret_cast<LONG_PTR>(this));
    if (!storeSucceeded_) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
      undoSlot();
      vb::Raise(vb::err::kInvalidProcedureCall);
    }
    subclassed_.insert(hwnd);
  }

  Set(hwnd, CountName(hwnd), Get(hwnd, CountName(hwnd)) + 1);
  if (!storeSucceeded_) {
    undoSlot();
    const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
    if (Get(hwnd, CountName(hwnd)) == 0 && old != 0) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
      Forget(hwnd);
    }
    vb::Raise(vb::err::kInvalidProcedureCall);
  }
  registrations_.insert({hwnd, iMsg, iwp});
}

void GSubclass::DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
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
  if (count == 1) {
    const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
    if (old != 0) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
      Forget(hwnd);
    }
  }
  Set(hwnd, CountName(hwnd), count - 1);
  registrations_.erase({hwnd, iMsg, iwp});
}

LRESULT GSubclass::CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
  if (old == 0) return 0;
  return CallWindowProcA(old, hwnd, iMsg, wParam, lParam);
}

void GSubclass::Restore(HWND h, LONG_PTR previous) {
  SetWindowLongA(h, GWL_WNDPROC, previous);
  if (Get(h, CountName(h)) >= 0) {
    RemovePropA(h, OldProcName(h));
    RemovePropA(h, CountName(h));
  }
  Forget(h);
}

LRESULT GSubclass::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR previous = Get(hwnd, OldProcName(hwnd));
  if (previous == 0) return 0;
  const auto count = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
  if (count <= 0) {
    // Nobody listens for the window's end: give it its own procedure back before it sees it.
    if (iMsg == WM_DESTROY) Restore(hwnd, previous);
    return CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
  }

  // The listeners as registered when the message arrived: one that a listener detaches meanwhile
  // is not called, and none is called twice however the slots move.
  std::vector<std::pair<std::int32_t, ISubclass*>> listeners;
  for (std::int32_t n = 1; n <= count; ++n)
    if (auto* l = reinterpret_cast<ISubclass*>(Get(hwnd, SlotName(hwnd, iMsg, n)))) listeners.emplace_back(n, l);
  const auto stillRegistered = [&](const ISubclass* l) {
    if (!ISubclass::IsAlive(l)) return false;
    const auto c = static_cast<std::int32_t>(Get(hwnd, MsgCountName(hwnd, iMsg)));
    for (std::int32_t n = 1; n <= c; ++n)
      if (Get(hwnd, SlotName(hwnd, iMsg, n)) == reinterpret_cast<LONG_PTR>(l)) return true;
    return false;
  };

  LRESULT result = 0;
  bool calledPrevious = false;
  for (const auto& [n, listener] : listeners) {
    if (!stillRegistered(listener)) continue;
    messageCell_ = iMsg;
    if (n == 1 && (listener->MsgResponse() & 2) != 0) {
      result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
      calledPrevious = true;
      if (!ISubclass::IsAlive(listener)) continue;
    }
    messageCell_ = iMsg;
    result = listener->WindowProc(hwnd, iMsg, wParam, lParam);
  }

  // The listener in the highest slot decides whether the previous procedure runs after them all.
  if (!calledPrevious && !listeners.empty() && listeners.back().first == count) {
    ISubclass* last = listeners.back().second;
    if (ISubclass::IsAlive(last)) {
      messageCell_ = iMsg;
      if ((last->MsgResponse() & 1) != 0) result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
    }
  }
  return result;
}
