// Starting programs and opening documents and links through the desktop.
#pragma once

#include <cstdint>
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

// Starts a program without waiting: the command is the program's path and its arguments, cut
// into words as platform::shell::SplitCommand says, then started as platform::shell::
// StartProgramFile starts them.
double Shell(std::u16string_view command, int windowStyle = vbMinimizedFocus);

}  // namespace vb

namespace platform::shell {

// The words of a command line. No shell reads it, so nothing in it is special but spaces and
// double quotes: the line is cut at spaces; a double quote opens or closes a quoted stretch in
// which spaces belong to the word, and the quotes themselves are dropped ("a b"c is the one word
// a bc; "" is an empty word), so a double quote itself cannot be part of a word. There is no other
// escape: a backslash, a single quote, "$", "*", "|", ">" and ";" are ordinary characters, passed
// on as typed. The first word is the program: looked up on the PATH when it holds no "/", and "\"
// counts as a separator in it (the program's own paths are written so); the arguments keep their
// backslashes.
std::vector<std::u16string> SplitCommand(std::u16string_view command);

// Starts the program `words[0]` with the other words as its arguments, each handed over as it is,
// in `directory` (the current folder when empty), without waiting. Returns the process id; 0 when
// there are no words or the program could not be started.
std::int64_t StartProgram(const std::vector<std::u16string>& words, std::u16string_view directory = {});

// Starts the program file `path` with `arguments`, each handed over whole, without waiting: nothing
// is cut at blanks, so a folder name with a space in the path is no problem. "\" counts as a
// separator in the path; a program named with ".exe" that is not there is looked for without it,
// since the programs beside this one carry no extension. Returns the new process's id; raises 53
// for a program that does not exist or could not be started.
double StartProgramFile(std::u16string_view path, const std::vector<std::u16string>& arguments = {});

// What tests put in place of starting a program (platform/testing/shell.h): gets the program, its
// arguments and its working folder; answers the process id, 0 when the program could not start.
using ProgramStarter = std::function<std::int64_t(const std::u16string& program,
                                                  const std::vector<std::u16string>& arguments,
                                                  const std::u16string& directory)>;

}  // namespace platform::shell

namespace win {

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_NOASSOC = 31;

// The "open" verb (or an empty one): opens a document with its program (platform::shell::
// OpenDocument), a web or mail address with the browser or mail program. Returns above 32 on
// success, SE_ERR_FNF for a file that does not exist, SE_ERR_NOASSOC when nothing could open it.
// Other verbs give SE_ERR_NOASSOC.
HINSTANCE ShellExecuteA(HWND owner, std::u16string_view operation, std::u16string_view file,
                        std::u16string_view parameters, std::u16string_view directory, int showCmd);

}  // namespace win

namespace platform::shell {

enum class Opened { Yes, NoFile, NoProgram };

// Opens a document (a path; "\" counts as a separator) with the program the desktop opens files of
// its type with. NoFile when there is no such file; NoProgram when the desktop has no program for
// its type nor for a type it is a kind of (desktop_programs.h), or its opener could not be
// started; nothing is started then.
Opened OpenDocument(std::u16string_view path);

}  // namespace platform::shell

namespace platform::testing {

// Replaces what opening a link or document does (tests open nothing): the handler gets the address
// the desktop would be asked to open and answers whether it opened. Whether the desktop has a
// program for a document's type is still asked first. An empty handler restores the desktop.
void SetOpenHandler(std::function<bool(const std::u16string& url)> handler);

}  // namespace platform::testing
