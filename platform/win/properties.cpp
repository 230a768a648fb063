// Window properties: pointer-sized values under names that compare without regard to case.
#include "platform/win/properties.h"

#include "platform/win/window_record.h"

namespace win {

using platform::detail::FindRecord;
using platform::detail::FoldCase;
using platform::detail::WindowRecord;

BOOL SetPropA(HWND h, std::string_view name, LONG_PTR value) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr || name.empty()) return FALSE;
  r->props[FoldCase(name)] = value;
  return TRUE;
}

LONG_PTR GetPropA(HWND h, std::string_view name) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) return 0;
  auto it = r->props.find(FoldCase(name));
  return it == r->props.end() ? 0 : it->second;
}

LONG_PTR RemovePropA(HWND h, std::string_view name) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) return 0;
  auto it = r->props.find(FoldCase(name));
  if (it == r->props.end()) return 0;
  LONG_PTR v = it->second;
  r->props.erase(it);
  return v;
}

}  // namespace win
