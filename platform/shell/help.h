// The help engine. There is no help viewer of the system's own here: a help file is a document
// (HTML, PDF, text, ...) that the desktop opens with the program it opens files of that type with.
#pragma once

#include <string_view>

#include "platform/win/types.h"

namespace win {

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_KEY = 0x0101;

// Opens the help file (a path; "\" counts as a separator) for any command but HELP_QUIT; the
// command and its data cannot choose a place in a document of another program, so they play no
// part. Returns FALSE when the file does not exist or no program of the desktop opens files of its
// type, TRUE when it was handed to one. HELP_QUIT has no window of ours to close: TRUE.
BOOL WinHelpA(HWND owner, std::u16string_view helpFile, UINT command, ULONG_PTR data);

}  // namespace win
