// Thread hooks: keyboard and mouse input passes the newest hook of its type first.
#include "platform/win/hooks.h"

#include <vector>

#include "platform/win/dispatch.h"

namespace platform::detail {
namespace {

using namespace win;

struct Hook {
  HHOOK id;
  int type;
  HOOKPROC proc;
};
std::vector<Hook>& hooks() {
  static std::vector<Hook> h;
  return h;
}
HHOOK nextHookId = 1;

}  // namespace

// Runs the hooks of a type, newest first; true when one swallowed the input.
bool RunHooks(int type, WPARAM w, LPARAM l) {
  auto& hs = hooks();
  for (auto it = hs.rbegin(); it != hs.rend(); ++it) {
    if (it->type == type) return it->proc(HC_ACTION, w, l) != 0;
  }
  return false;
}

}  // namespace platform::detail

namespace win {

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (proc == nullptr || (idHook != WH_KEYBOARD && idHook != WH_MOUSE)) return 0;
  HHOOK id = platform::detail::nextHookId++;
  platform::detail::hooks().push_back(platform::detail::Hook{id, idHook, proc});
  return id;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& hs = platform::detail::hooks();
  for (auto it = hs.begin(); it != hs.end(); ++it) {
    if (it->id == hook) {
      hs.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto& hs = platform::detail::hooks();
  int type = 0;
  std::size_t pos = hs.size();
  for (std::size_t i = 0; i < hs.size(); ++i) {
    if (hs[i].id == hook) {
      type = hs[i].type;
      pos = i;
    }
  }
  while (pos-- > 0 && pos < hs.size()) {
    if (hs[pos].type == type) return hs[pos].proc(code, wParam, lParam);
  }
  return 0;
}

}  // namespace win
