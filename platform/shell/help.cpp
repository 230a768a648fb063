#include "platform/shell/help.h"

#include "platform/shell/shell.h"

namespace win {

BOOL WinHelpA(HWND, std::u16string_view helpFile, UINT command, ULONG_PTR) {
  if (command == HELP_QUIT) return TRUE;
  return platform::shell::OpenDocument(helpFile) == platform::shell::Opened::Yes ? TRUE : FALSE;
}

}  // namespace win
