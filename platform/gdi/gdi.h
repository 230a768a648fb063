// Device contexts and drawing.
//
// A device context draws on a surface: the bitmap selected into a memory context, the retained
// surface of a window (window contexts from GetDC and BeginPaint; the window's widget shows it), or
// nothing at all for the display context, which serves as a reference for compatible objects and
// device capabilities. Drawing follows the platform's pixel rules: rectangles leave out their right
// and bottom edges, LineTo leaves out its end point, nothing is anti-aliased, and blending and
// gradients are integer loops with the rounding stated at each function. Coordinates are logical:
// the viewport origin is added to them; clip rectangles are in device pixels.
//
// Writes of colour into a 32-bit bitmap set the fourth byte to 0, as the platform's drawing does;
// copies and blends carry it.
#pragma once

#include <string_view>

#include "platform/gdi/types.h"

namespace win {

// Contexts.
HDC CreateDC(std::string_view driver, std::string_view device, std::string_view output, const void* mode);
HDC CreateCompatibleDC(HDC hdc);  // 0: compatible with the display
BOOL DeleteDC(HDC hdc);
HDC GetDC(HWND h);  // 0: the desktop (draws nothing)
int ReleaseDC(HWND h, HDC hdc);
HWND GetDesktopWindow();
HDC BeginPaint(HWND h, PAINTSTRUCT* ps);
BOOL EndPaint(HWND h, const PAINTSTRUCT* ps);
int GetDeviceCaps(HDC hdc, int index);

// Objects. SelectObject returns the object it replaces (0 on failure); a region selects a clip
// rectangle. DeleteObject refuses stock objects and objects selected into a context.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
BOOL DeleteObject(HGDIOBJ obj);
HGDIOBJ GetStockObject(int index);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
DWORD GetObjectType(HGDIOBJ obj);
// Fills a BITMAP (24 bytes), LOGFONTA or the pen's colour; returns the bytes written, 0 on failure.
int GetObjectA(HGDIOBJ obj, int size, void* out);
inline int GetObject(HGDIOBJ obj, int size, void* out) { return GetObjectA(obj, size, out); }

HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A clip rectangle for the context (0 removes it). Returns a region kind: 1 null, 2 simple, 0 error.
int SelectClipRgn(HDC hdc, HRGN rgn);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);

// State.
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC hdc, POINT* org);

// Bitmaps. A compatible bitmap takes the format of what the context draws on: 32 bits per pixel,
// except a memory context still holding its initial 1 x 1 monochrome bitmap, which gives a monochrome
// one. CreateDIBSection makes 32-bit B,G,R,A bitmaps whose bits the caller reaches through `bits`;
// a positive height keeps the rows bottom-up, as the platform does. Other formats are refused.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// Reads scan lines (bottom-up for a positive height) of a bitmap in the format of info: 32 or 24
// bits per pixel, or 1 with a black, white colour table. With bits 0 only the header is filled in.
// Returns the number of lines read.
int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);

// Pixels and shapes.
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
BOOL SetPixelV(HDC hdc, int x, int y, COLORREF colour);
// A brush value from 1 to 31 is a system colour index + 1, as window classes give it.
int FillRect(HDC hdc, const RECT* r, HBRUSH brush);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* old);
BOOL LineTo(HDC hdc, int x, int y);
// Edges in the classic system colours; BF_ADJUST shrinks the rectangle by what was drawn.
BOOL DrawEdge(HDC hdc, RECT* r, UINT edge, UINT flags);

// Copies. Rectangles outside either picture are left out. Between a monochrome and a colour
// picture the platform's rules apply: colour to monochrome gives white where the source equals the
// source context's background colour; monochrome to colour gives the destination context's text
// colour for black and its background colour for white.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-pixel stretch: destination column i takes source column srcX + i * srcWidth / width;
// every size must be positive.
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);
// Blending, with d(v) = (v + 127) / 255 (nearest). Constant alpha k only: each byte becomes
// d(src * k + dst * (255 - k)). Per-pixel (AC_SRC_ALPHA, premultiplied source): s = d(src * k),
// a = d(srcAlpha * k), each byte becomes min(255, s + d(dst * (255 - a))). Sizes differing between
// source and destination stretch by nearest pixel.
BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend);
// Rectangle gradients. Along the gradient, position i of n pixels takes, per channel,
// (c1 + (c2 - c1) * i / n) >> 8 on the vertices' 16-bit values (division truncated): the first
// pixel is the first colour and the far edge, which the rectangle leaves out, would be the second.
BOOL GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG_PTR vertexCount, const GRADIENT_RECT* mesh,
                  ULONG_PTR meshCount, DWORD mode);

// Icons (DST_ICON) drawn, at cx x cy, plainly or in the disabled look: a picture pixel that is visible and not white
// (over white) is ink; ink is drawn in the 3-D highlight colour one pixel down and right, then in
// the 3-D shadow colour in place.
BOOL DrawState(HDC hdc, HBRUSH brush, const void* outputProc, LPARAM data, WPARAM extra, int x, int y,
               int cx, int cy, UINT flags);

// Fonts and text. Face names "MS Sans Serif" and "Tahoma" map to an installed font with Cyrillic
// letters. Text is drawn without anti-aliasing. "&" marks the next letter to be underlined ("&&" is
// a plain "&") unless DT_NOPREFIX is given; the "&" takes no room. Lines break at line feeds unless
// DT_SINGLELINE. Text with an escapement (multiples of 90 degrees) is drawn turned about the
// rectangle's left and top, which is the top-left corner of the unturned text, and is not clipped;
// at 2700 it runs downwards with its top to the right, so it lies left of that point.
// DT_CALCRECT measures: right and bottom become left + width and top + height, nothing is drawn.
// The result is the height of the text.
HFONT CreateFontIndirectA(const LOGFONTA* lf);
int MulDiv(int number, int numerator, int denominator);
int DrawTextW(HDC hdc, std::u16string_view text, int count, RECT* r, UINT format);
inline int DrawTextA(HDC hdc, std::u16string_view text, int count, RECT* r, UINT format) {
  return DrawTextW(hdc, text, count, r, format);
}
BOOL GetTextExtentPoint32W(HDC hdc, std::u16string_view text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32A(HDC hdc, std::u16string_view text, int count, SIZE* size) {
  return GetTextExtentPoint32W(hdc, text, count, size);
}
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm);
// The face of the font the context's font was matched to (an installed family, which differs from
// the face asked for when that one is not installed), in Windows-1251, cut to count - 1 characters
// and closed by a NUL. Returns the characters written, NUL included; with no buffer, the size the
// whole name needs. 0 for a context that is not one.
int GetTextFaceA(HDC hdc, int count, char* face);

// Colours. The system colours come from a table of classic values (tests may change it through
// platform/testing/gdi.h). OleTranslateColor passes RGB values, looks up 0x800000nn in the table and
// refuses everything else.
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
HRESULT OleTranslateColor(OLE_COLOR colour, HPALETTE palette, COLORREF* out);

// Layered windows: the window shows `size` pixels (its own size when null) of src from srcPos,
// premultiplied B,G,R,A, with the constant alpha of `blend` applied, over whatever lies below;
// position and size, when given, also move and size the window.
BOOL UpdateLayeredWindow(HWND h, HDC screen, const POINT* pos, const SIZE* size, HDC src, const POINT* srcPos,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

}  // namespace win

namespace win {

// The video service's picture drawing: a DIB (32 bits per pixel) drawn from its bits, stretched by
// nearest pixel from the source rectangle to the destination rectangle.
using HDRAWDIB = HANDLE;
HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB hdd);
BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int srcX, int srcY, int srcWidth, int srcHeight, UINT flags);

}  // namespace win
