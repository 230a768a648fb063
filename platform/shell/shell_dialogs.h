// The shell's dialogs: the folder browser, the about box, the Run window, the icon picker, object
// properties, the shut-down and restart questions; formatting a drive fails as the platform reports
// it (see each below).
//
// Shell item identifier lists are opaque here: each names one file-system path. Lists handed out
// by these functions are freed with CoTaskMemFree (or ILFree). The folder browser passes the script
// hook first (platform/script/script.h, kind Folder): the answer's text is the chosen folder.
#pragma once

#include <string_view>

#include "platform/gdi/types.h"

namespace win {

struct ITEMIDLIST;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

struct BROWSEINFOA {
  HWND hwndOwner = 0;
  PCIDLIST_ABSOLUTE pidlRoot = nullptr;  // the browse tree's root; null: the whole namespace
  char16_t* pszDisplayName = nullptr;    // MAX_PATH units: the chosen item's name
  const char16_t* lpszTitle = nullptr;   // the instruction shown to the user
  UINT ulFlags = 0;
  void* lpfn = nullptr;
  LPARAM lParam = 0;
  int iImage = 0;
};
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_BROWSEFORCOMPUTER = 0x1000;
constexpr UINT BIF_BROWSEFORPRINTER = 0x2000;
constexpr UINT BIF_BROWSEINCLUDEFILES = 0x4000;

// The folder browser, started in the root and accepting only the root or what lies below it.
// Returns the chosen folder's list, or null when the user cancelled.
PIDLIST_ABSOLUTE SHBrowseForFolderA(const BROWSEINFOA* bi);
// Writes the list's path (with its NUL) into a buffer of MAX_PATH units; FALSE for a null list or
// a path that does not fit.
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE pidl, char16_t* path);
// The list of a path (shell32 number 162); null for an empty path.
PIDLIST_ABSOLUTE SHSimpleIDListFromPath(const char16_t* path);
void ILFree(PIDLIST_ABSOLUTE pidl);
// Frees a list handed out above; anything else is left alone.
void CoTaskMemFree(void* p);

// The about box: a caption "О программе" with the application's name (text before a "#" in app,
// when there is one; the text after it is the first line), the other text, and the icon.
BOOL ShellAboutA(HWND owner, std::u16string_view app, std::u16string_view otherStuff, HICON icon);

// Formatting a drive has no meaning here (the desktop names no drives by number): it answers
// SHFMT_NOFORMAT, the drive cannot be formatted.
constexpr DWORD SHFMT_ERROR = 0xFFFFFFFF;
constexpr DWORD SHFMT_CANCEL = 0xFFFFFFFE;
constexpr DWORD SHFMT_NOFORMAT = 0xFFFFFFFD;
DWORD SHFormatDrive(HWND owner, UINT drive, UINT formatId, UINT options);

// The restart question: the prompt, then the question the exit options (exit_windows.h) ask:
// restart, switch off, or end the session. On Yes the login manager is asked (ExitWindowsEx with
// those options) and a refusal is told. Returns IDYES or IDNO. The shut-down question asks to switch
// the computer off in the same way. Both are message boxes of the layer (vb/msgbox.h), scripted as
// message boxes.
constexpr int IDYES = 6;
constexpr int IDNO = 7;
int RestartDialog(HWND owner, const char16_t* prompt, DWORD flags);                        // 59
void ExitWindowsDialog(HWND owner);                                                         // 60

// The Run window (platform/dialogs/run_window.h) over `owner`, with the icon, the title (the
// window's own when empty) and the instruction; OK starts the command typed as
// platform::shell::SplitCommand cuts it, in `directory` (the current folder when null), and keeps
// it in the list of commands run (platform/shell/run_history.h). A command that does not start is
// told and the window stays. Passes the script hook first (kind Run; the window's first command as
// the text, the Run flags as the flags): each answer is one press of OK with the answer's text as
// the command, or of Cancel.
constexpr UINT RFF_NOBROWSE = 0x01;
constexpr UINT RFF_NODEFAULT = 0x02;
constexpr UINT RFF_CALCDIRECTORY = 0x04;
constexpr UINT RFF_NOLABEL = 0x08;
constexpr UINT RFF_NOSEPARATEMEM = 0x20;
void RunFileDlg(HWND owner, HICON icon, const char16_t* directory, const char16_t* title,
                const char16_t* description, UINT flags);                                   // 61

// The icon picker (platform/dialogs/pick_icon_window.h) over the icons of the path in the buffer
// (platform/shell/icon_files.h), starting at *iconIndex. On OK the buffer holds the path chosen
// followed by NULs to its end, *iconIndex the icon's index, and the result is 1; Cancel leaves
// both and answers 0. Passes the script hook first (kind PickIcon; the path as the text, the
// starting index as the flags): the answer's text is the index chosen in that path.
int PickIconDlg(HWND owner, char16_t* iconPath, UINT pathSize, int* iconIndex);             // 62

// The properties of an object. SHOP_FILEPATH: the properties window of a file or folder
// (platform/dialogs/properties_window.h: type, place, size or contents, times, attributes), which
// has the one page "Общие" whatever `page` asks; FALSE, and nothing shown, when there is no such
// file. Passes the script hook first (kind Properties; the rows as "label text" lines in the
// prompt, the attribute bits as the flags, the full path as the text). SHOP_PRINTERNAME: the print
// dialog started on that printer (print_dialog.h); what is chosen there for the current printer
// (orientation, copies) becomes its setting, since the layer keeps settings for the current printer
// only. FALSE for a printer the system does not have.
constexpr DWORD SHOP_PRINTERNAME = 1;
constexpr DWORD SHOP_FILEPATH = 2;
BOOL SHObjectProperties(HWND owner, DWORD type, const char16_t* name, const char16_t* page);  // 178

}  // namespace win
