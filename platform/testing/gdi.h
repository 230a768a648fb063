// Hooks for tests of code that draws: the display's depth and resolution, the system colour table,
// the visual-style service, and a look at what a context holds.
#pragma once

#include <string>

#include "platform/gdi/types.h"

namespace platform::testing {

// GetDeviceCaps answers: BITSPIXEL (32 unless changed) and LOGPIXELSX/LOGPIXELSY (96).
void SetDisplayBitsPerPixel(int bits);
void SetLogPixels(int dpi);
// Changes one entry of the system colour table; ResetSysColors puts the classic values back.
void SetSysColor(int index, win::COLORREF colour);
void ResetSysColors();
// Switches the visual-style service on or off and sets the colour-scheme name it reports.
void SetTheme(bool active, std::u16string colourScheme = u"NormalColor");
// Writes what the context draws on (its bitmap or its window's surface) as a PNG file.
bool SaveSurfacePng(win::HDC hdc, const std::string& path);
// The window surface's pixel at (x, y) as a COLORREF, or CLR_INVALID; and the alpha
// a layered window shows there.
win::COLORREF SurfacePixel(win::HWND h, int x, int y);
int SurfaceAlpha(win::HWND h, int x, int y);

}  // namespace platform::testing
