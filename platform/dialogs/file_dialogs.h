// The open and save file dialogs of the common dialog library, over a record the caller fills.
// Text travels in UTF-16 buffers with the platform's limits: the file and title buffers hold
// nMaxFile and nMaxFileTitle units with their NUL; a name that does not fit fails the dialog.
// Both dialogs pass the script hook first (script.h): the answer's text is the chosen path.
#pragma once

#include "platform/win/types.h"

namespace win {

struct OPENFILENAMEA {
  DWORD lStructSize = 0;
  HWND hwndOwner = 0;
  HINSTANCE hInstance = 0;
  // Pairs of description and pattern, each closed by a NUL, the list closed by one more NUL.
  const char16_t* lpstrFilter = nullptr;
  char16_t* lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;  // 1-based; after the dialog, the filter that was in use
  char16_t* lpstrFile = nullptr;  // in: the file to offer; out: the chosen path
  DWORD nMaxFile = 0;
  char16_t* lpstrFileTitle = nullptr;  // out: the chosen file's name without its folder
  DWORD nMaxFileTitle = 0;
  const char16_t* lpstrInitialDir = nullptr;
  const char16_t* lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  const char16_t* lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  const char16_t* lpTemplateName = nullptr;
};

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// Non-zero when the user chose a file; 0 when cancelled or when the record is not usable
// (a wrong size, no file buffer).
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);

}  // namespace win
