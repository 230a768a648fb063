// The shell's dialogs: the folder browser and the about box, and the shell functions this system
// has no equivalent for, which fail as the platform reports a failure (see each below).
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

// No equivalents here. Formatting a drive answers SHFMT_NOFORMAT (the drive cannot be formatted);
// the restart question answers IDNO (nothing restarts); the shut-down and Run dialogs show nothing;
// the icon picker answers 0 (nothing picked, the buffer untouched); the object properties answer
// FALSE.
constexpr DWORD SHFMT_ERROR = 0xFFFFFFFF;
constexpr DWORD SHFMT_CANCEL = 0xFFFFFFFE;
constexpr DWORD SHFMT_NOFORMAT = 0xFFFFFFFD;
DWORD SHFormatDrive(HWND owner, UINT drive, UINT formatId, UINT options);
int RestartDialog(HWND owner, const char16_t* prompt, DWORD flags);                        // 59
void ExitWindowsDialog(HWND owner);                                                         // 60
void RunFileDlg(HWND owner, HICON icon, const char16_t* directory, const char16_t* title,
                const char16_t* description, UINT flags);                                   // 61
int PickIconDlg(HWND owner, char16_t* iconPath, UINT pathSize, int* iconIndex);             // 62
BOOL SHObjectProperties(HWND owner, DWORD type, const char16_t* name, const char16_t* page);  // 178
constexpr DWORD SHOP_PRINTERNAME = 1;
constexpr DWORD SHOP_FILEPATH = 2;

}  // namespace win
