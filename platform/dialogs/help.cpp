#include "platform/dialogs/help.h"

namespace win {

BOOL WinHelpA(HWND, std::u16string_view, UINT, ULONG_PTR) { return FALSE; }

}  // namespace win
