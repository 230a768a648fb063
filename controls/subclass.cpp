#include "controls/subclass.h"

#include <unordered_set>

#include "controls/subclass_core.h"

namespace {

using namespace win;

// Listeners alive now. A slot is only called while its listener is, so a listener destroyed without
// detaching (or destroyed by its own call) is never reached through a stale pointer.
std::unordered_set<const ISubclass*>& live() {
  static std::unordered_set<const ISubclass*> s;
  return s;
}

}  // namespace

ISubclass::ISubclass() { live().insert(this); }
ISubclass::~ISubclass() { live().erase(this); }
bool ISubclass::IsAlive(const ISubclass* listener) { return listener != nullptr && live().count(listener) != 0; }

namespace MSubclass {
namespace {

// The module is one service for the whole process, with the module's order and responses.
SubclassCore& Module() {
  static SubclassCore module({.firstRegisteredFirst = false, .responseBits = false, .highestSlotDecides = false},
                             &WindowProc);
  return module;
}

}  // namespace

void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) { Module().AttachMessage(iwp, hwnd, iMsg); }
void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) { Module().DetachMessage(iwp, hwnd, iMsg); }
LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  return SubclassCore::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
}
bool IsWindowLocal(HWND hwnd) { return SubclassCore::IsWindowLocal(hwnd); }
UINT CurrentMessage() { return Module().CurrentMessage(); }
LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
  return Module().Dispatch(hwnd, iMsg, wParam, lParam);
}

}  // namespace MSubclass
