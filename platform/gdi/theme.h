// Visual styles: the parts of the "TOOLBAR" and "Progress" classes the program draws, in the
// layer's own look. Tests may switch the service off (OpenThemeData then gives 0) or name the colour
// scheme that GetCurrentThemeName reports (platform/testing/gdi.h).
#pragma once

#include <string_view>

#include "platform/gdi/types.h"

namespace win {

// Toolbar parts and states.
constexpr int TP_BUTTON = 1;
constexpr int TP_DROPDOWNBUTTON = 2;
constexpr int TP_SPLITBUTTON = 3;
constexpr int TP_SPLITBUTTONDROPDOWN = 4;
constexpr int TP_SEPARATOR = 5;
constexpr int TP_SEPARATORVERT = 6;
constexpr int TS_NORMAL = 1;
constexpr int TS_HOT = 2;
constexpr int TS_PRESSED = 3;
constexpr int TS_DISABLED = 4;
constexpr int TS_CHECKED = 5;
constexpr int TS_HOTCHECKED = 6;
// Progress parts and properties.
constexpr int PP_BAR = 1;
constexpr int PP_BARVERT = 2;
constexpr int PP_CHUNK = 3;
constexpr int PP_CHUNKVERT = 4;
constexpr int TMT_PROGRESSCHUNKSIZE = 2411;
constexpr int TMT_PROGRESSSPACESIZE = 2412;

// Class names compare without regard to case; unknown classes give 0.
HTHEME OpenThemeData(HWND h, std::u16string_view classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* r, const RECT* clip);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC hdc, int part, int state, const RECT* bounds, RECT* content);
HRESULT DrawThemeText(HTHEME theme, HDC hdc, int part, int state, std::u16string_view text, int count, DWORD flags,
                      DWORD flags2, const RECT* r);
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
// Copies the theme's file name, colour-scheme name and size name, NUL-terminated and cut to the
// buffers' lengths (any buffer may be null). Fails while the service is off.
HRESULT GetCurrentThemeName(char16_t* fileName, int maxFileName, char16_t* colourName, int maxColourName,
                            char16_t* sizeName, int maxSizeName);

}  // namespace win
