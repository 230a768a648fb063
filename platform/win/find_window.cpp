#include "platform/win/find_window.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace win {

HWND FindWindowExA(HWND parent, HWND childAfter, std::string_view className, const std::u16string_view* windowName) {
  QWidget* w = platform::detail::WidgetOf(parent);
  if (w == nullptr) return 0;
  std::vector<HWND> kids;
  for (QObject* o : w->children()) {
    const HWND h = platform::detail::HandleOfWidget(o);
    if (h != 0 && GetParent(h) == parent) kids.push_back(h);
  }
  std::sort(kids.begin(), kids.end());  // handles grow with creation
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (HWND h : kids) {
    if (childAfter != 0 && h <= childAfter) continue;
    if (!same(GetClassNameA(h), className)) continue;
    if (windowName != nullptr && GetWindowTextA(h) != *windowName) continue;
    return h;
  }
  return 0;
}

}  // namespace win
