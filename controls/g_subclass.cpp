#include "controls/g_subclass.h"

#include "controls/subclass_properties.h"
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

GSubclass::GSubclass()
    : SubclassCore({.firstRegisteredFirst = true, .responseBits = true, .highestSlotDecides = true}, &SharedProcedure) {}

GSubclass::~GSubclass() {
  const auto registrations = registrations_;
  for (const auto& [h, m, l] : registrations) DetachMessage(l, h, m);
  // Windows other services keep subclassed run on as orphans.
  for (const HWND h : subclassed_)
    if (IsWindow(h) && GetPropA(h, kObjectProp) == reinterpret_cast<LONG_PTR>(this)) RemovePropA(h, kObjectProp);
}

WNDPROC GSubclass::Procedure() { return &SharedProcedure; }

bool GSubclass::Installed(HWND h) {
  Set(h, kObjectProp, reinterpret_cast<LONG_PTR>(this));
  if (storeSucceeded_) subclassed_.insert(h);
  return storeSucceeded_;
}

void GSubclass::Released(HWND h) {
  RemovePropA(h, kObjectProp);
  subclassed_.erase(h);
}

void GSubclass::AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  SubclassCore::AttachMessage(iwp, hwnd, iMsg);
  registrations_.insert({hwnd, iMsg, iwp});
}

void GSubclass::DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
  SubclassCore::DetachMessage(iwp, hwnd, iMsg);
  registrations_.erase({hwnd, iMsg, iwp});
}
