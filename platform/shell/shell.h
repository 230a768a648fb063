// Starting programs and opening documents and links through the desktop.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/types.h"

namespace vb {

// Window styles of Shell.
constexpr int vbHide = 0;
constexpr int vbNormalFocus = 1;
constexpr int vbMinimizedFocus = 2;
constexpr int vbMaximizedFocus = 3;
constexpr int vbNormalNoFocus = 4;
constexpr int vbMinimizedNoFocus = 6;

// Starts a program without waiting: the command is the program's path and its arguments, split at
// blanks (quotes group an argument with blanks), then started as StartProgram does.
double Shell(std::u16string_view command, int windowStyle = vbMinimizedFocus);

}  // namespace vb

namespace platform::shell {

// Starts the program `path` with `arguments` without waiting, each handed to it as it is: nothing
// is split at blanks, so a folder name with a space is no problem. Returns the new process's id. A
// program that does not exist or cannot be started raises 53. A program named with ".exe" that is
// not there is looked for without it, since the programs beside this one carry no extension.
double StartProgram(std::u16string_view path, const std::vector<std::u16string>& arguments = {});

}  // namespace platform::shell

namespace win {

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_NOASSOC = 31;

// The "open" verb (or an empty one): opens a document with its program, a web or mail address with
// the browser or mail program. Returns above 32 on success, SE_ERR_FNF for a file that does not
// exist, SE_ERR_NOASSOC when nothing could open it. Other verbs give SE_ERR_NOASSOC.
HINSTANCE ShellExecuteA(HWND owner, std::u16string_view operation, std::u16string_view file,
                        std::u16string_view parameters, std::u16string_view directory, int showCmd);

}  // namespace win

namespace platform::testing {

// Replaces what opening a link or document does (tests open nothing): the handler gets the address
// the desktop would be asked to open and answers whether it opened. An empty handler restores the
// desktop.
void SetOpenHandler(std::function<bool(const std::u16string& url)> handler);

}  // namespace platform::testing
