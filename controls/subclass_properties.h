// The window properties through which the subclassing services keep their state on a window: the
// previous procedure, how many services subclass it, and per message the count and the listener in
// each slot. MSubclass and GSubclass share these names, so both can serve one window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/vb/error.h"
#include "platform/win/window.h"

namespace subclass_properties {

inline std::string Num(std::int64_t v) { return std::to_string(static_cast<std::int32_t>(v)); }
inline std::string OldProcName(win::HWND h) { return Num(h); }
inline std::string CountName(win::HWND h) { return "C" + Num(h); }
inline std::string MsgCountName(win::HWND h, win::UINT m) {
  return Num(h) + "#" + Num(static_cast<std::int32_t>(m)) + "C";
}
inline std::string SlotName(win::HWND h, win::UINT m, std::int32_t n) {
  return Num(h) + "#" + Num(static_cast<std::int32_t>(m)) + "#" + Num(n);
}

inline win::LONG_PTR Get(win::HWND h, const std::string& name) { return win::GetPropA(h, name); }

[[noreturn]] inline void RaiseOwn(std::int32_t code, const char16_t* text) {
  vb::Raise(vb::vbObjectError | code, vb::ErrorSource(u"WindowProc"), text);
}

}  // namespace subclass_properties
