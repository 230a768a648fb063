// The look shared by every command bar, menu and popup of the process: the drawing style (0 to 3),
// the colour variant of the running visual style, whether the display has more than 256 colours,
// and thirty numbered colours the painters ask for by index.
//
// Each colour is the custom colour the host set for its index or, without one, follows from the
// style, the variant and the display. Custom colours of indexes 2, 26 and 28 are handed back as
// stored (a system colour stays 0x800000nn); every other colour comes back as RGB 0x00BBGGRR, or -1
// for "no colour".
#pragma once

#include <cstdint>
#include <functional>

#include "platform/gdi/types.h"

namespace commandbars {

// The custom colour of index 0 to 31 (-1: none); other indexes raise error 9.
std::int32_t CustomColour(std::int32_t index);
void SetCustomColour(std::int32_t index, std::int32_t colour);
// True when the index has no custom colour.
bool UseStyleColour(std::int32_t index);
// The colour of index 1 to 30 as the style gives it, as though that one index had no custom colour
// (the indexes it derives from keep theirs); 0 for other indexes.
std::int32_t StyleColour(std::int32_t& index);

// The colour of index 1 to 30 as the painters read it (the same as StyleColour01 to StyleColour30:
// a custom colour applies); -1 for other indexes.
std::int32_t SchemeColour(std::int32_t index);

std::int32_t StyleColour01();
std::int32_t StyleColour02();
std::int32_t StyleColour03();
std::int32_t StyleColour04();
std::int32_t StyleColour05();
std::int32_t StyleColour06();
std::int32_t StyleColour07();
std::int32_t StyleColour08();
std::int32_t StyleColour09();
std::int32_t StyleColour10();
std::int32_t StyleColour11();
std::int32_t StyleColour12();
std::int32_t StyleColour13();
std::int32_t StyleColour14();
std::int32_t StyleColour15();
std::int32_t StyleColour16();
std::int32_t StyleColour17();
std::int32_t StyleColour18();
std::int32_t StyleColour19();
std::int32_t StyleColour20();
std::int32_t StyleColour21();
std::int32_t StyleColour22();
std::int32_t StyleColour23();
std::int32_t StyleColour24();
std::int32_t StyleColour25();
std::int32_t StyleColour26();
std::int32_t StyleColour27();
std::int32_t StyleColour28();
std::int32_t StyleColour29();
std::int32_t StyleColour30();

// Style 1, high-colour display, no custom colours.
void ResetColours();
std::int32_t CommandBarStyle();
// A different style is stored and the theme detected again for the desktop window.
void SetCommandBarStyle(std::int32_t style);
bool HighColourDisplay();
// In style 1, takes the colour variant from the visual style's colour scheme ("NormalColor" 1,
// "Metallic" 2, "Homestead" 3, any other 0; kept when no visual style is open); reads the display's
// depth; then tells the registered command-bar controls to refresh their colours and repaint.
void DetectTheme(win::HWND hWnd);
// What DetectTheme calls to refresh the controls; the control registry sets it.
void SetColourRefreshHandler(std::function<void()> handler);

// A bar's background over (left, top, width, height). With a high-colour display and
// systemGradient, a gradient from a blend of the button highlight and face colours to the face
// colour; otherwise, when the colours differ, a gradient from colour1 to colour2; in both cases the
// gradient spans hWndArea's window, placed relative to hWndOrigin's, and is cut to the rectangle
// (horizontal: left to right, else top to bottom). Equal colours give a solid fill; -1 nothing.
void FillBarBackground(win::HWND hWndOrigin, win::HWND hWndArea, win::HDC hdc, std::int32_t colour1,
                       std::int32_t colour2, int left, int top, int width, int height, bool horizontal,
                       bool systemGradient);

}  // namespace commandbars
