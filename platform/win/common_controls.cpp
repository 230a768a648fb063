#include "platform/win/common_controls.h"

namespace win {
namespace {
UINT errorMode = 0;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return init != nullptr && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

UINT SetErrorMode(UINT mode) {
  const UINT old = errorMode;
  errorMode = mode;
  return old;
}

UINT GetErrorMode() { return errorMode; }

}  // namespace win

namespace platform {

bool InitVisualStyles() {
  try {
    win::INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof init;
    init.dwICC = win::ICC_USEREX_CLASSES;
    win::InitCommonControlsEx(&init);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace platform
