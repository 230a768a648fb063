// The colour and font dialogs of the common dialog library. Both pass the script hook first
// (script.h): the colour dialog's answer is a decimal 0x00BBGGRR value, the font dialog's a face
// name optionally followed by "|" and a size in points.
#pragma once

#include "platform/gdi/types.h"

namespace win {

struct CHOOSECOLORA {
  DWORD lStructSize = 0;
  HWND hwndOwner = 0;
  HINSTANCE hInstance = 0;
  COLORREF rgbResult = 0;
  COLORREF* lpCustColors = nullptr;  // 16 colours
  DWORD Flags = 0;
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  const char16_t* lpTemplateName = nullptr;
};
constexpr DWORD CC_RGBINIT = 0x1;
constexpr DWORD CC_FULLOPEN = 0x2;
constexpr DWORD CC_PREVENTFULLOPEN = 0x4;
constexpr DWORD CC_SHOWHELP = 0x8;

struct CHOOSEFONTA {
  DWORD lStructSize = 0;
  HWND hwndOwner = 0;
  HDC hDC = 0;
  LOGFONTA* lpLogFont = nullptr;
  int iPointSize = 0;  // tenths of a point: the size offered when above 0, and the size chosen
  DWORD Flags = 0;
  COLORREF rgbColors = 0;
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  const char16_t* lpTemplateName = nullptr;
  HINSTANCE hInstance = 0;
  char16_t* lpszStyle = nullptr;
  WORD nFontType = 0;
  int nSizeMin = 0;
  int nSizeMax = 0;
};
constexpr DWORD CF_SCREENFONTS = 0x1;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
constexpr DWORD CF_EFFECTS = 0x100;
constexpr WORD BOLD_FONTTYPE = 0x100;
constexpr WORD SCREEN_FONTTYPE = 0x2000;

// Non-zero when the user chose; 0 when cancelled or when the record is not usable.
BOOL ChooseColorA(CHOOSECOLORA* cc);
// The chosen font comes back in *lpLogFont (face name in Windows-1251, height in pixels at 96 dots
// per inch, weight, italic, underline, strike-out), iPointSize, rgbColors and nFontType.
BOOL ChooseFontA(CHOOSEFONTA* cf);

}  // namespace win
