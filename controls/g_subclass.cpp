#include "controls/g_subclass.h"

#include <array>
#include <utility>
#include <vector>

#include "controls/subclass_properties.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

namespace {

using namespace win;
using namespace subclass_properties;

constexpr int kProcedures = 64;

// Which object each procedure of the set serves; null while free.
std::array<GSubclass*, kProcedures>& owners() {
  static std::array<GSubclass*, kProcedures> o{};
  return o;
}


// A procedure whose object has gone, still on a window that other services' listeners keep
// subclassed (or still called by a procedure put on top of it): the module's procedure serves the
// same properties.
LRESULT Orphan(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (Get(h, OldProcName(h)) == 0) return DefWindowProcA(h, m, w, l);
  return MSubclass::WindowProc(h, m, w, l);
}

template <int N>
LRESULT Procedure(HWND h, UINT m, WPARAM w, LPARAM l) {
  GSubclass* owner = owners()[N];
  return owner != nullptr ? owner->WindowProc(h, m, w, l) : Orphan(h, m, w, l);
}

template <std::size_t... I>
constexpr std::array<WNDPROC, sizeof...(I)> MakeProcedures(std::index_sequence<I...>) {
  return {&Procedure<static_cast<int>(I)>...};
}

constexpr std::array<WNDPROC, kProcedures> kProcedureSet = MakeProcedures(std::make_index_sequence<kProcedures>());

}  // namespace

GSubclass::GSubclass() : slot_(-1) {
  for (int i = 0; i < kProcedures; ++i) {
    if (owners()[i] == nullptr) {
      owners()[i] = this;
      slot_ = i;
      return;
    }
  }
  vb::Raise(vb::err::kOutOfMemory);
}

GSubclass::~GSubclass() {
  const auto registrations = registrations_;
  for (const auto& [h, m, l] : registrations) DetachMessage(l, h, m);
  owners()[slot_] = nullptr;
}

WNDPROC GSubclass::Procedure() const { return kProcedureSet[static_cast<std::size_t>(slot_)]; }

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
    if (!storeSucceeded_) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      undoSlot();
      vb::Raise(vb::err::kInvalidProcedureCall);
    }
  }

  Set(hwnd, CountName(hwnd), Get(hwnd, CountName(hwnd)) + 1);
  if (!storeSucceeded_) {
    undoSlot();
    const LONG_PTR old = Get(hwnd, OldProcName(hwnd));
    if (Get(hwnd, CountName(hwnd)) == 0 && old != 0) {
      SetWindowLongA(hwnd, GWL_WNDPROC, old);
      Set(hwnd, OldProcName(hwnd), 0);
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
