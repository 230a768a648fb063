// Icons, cursors, image files and image lists.
//
// An icon is a colour picture (B,G,R,A) with a mask: a mask pixel that is white is see-through.
// Icons whose colour picture has any non-zero alpha byte are drawn by their alpha instead of their
// mask. Image lists keep equal-sized icons in order.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/gdi/types.h"

namespace win {

struct ICONINFO {
  BOOL fIcon = TRUE;  // FALSE for a cursor
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = 0;   // monochrome
  HBITMAP hbmColor = 0;  // 32 bits per pixel
};

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

// Loads a .ico, .cur or .bmp file (LR_LOADFROMFILE; `name` is a path, and "\" counts as a
// separator). For icons and cursors the file's picture of the requested size is taken (the one
// with most colours), else the nearest one scaled to it; a size of 0 chooses by the platform's
// default of 32 and keeps the chosen picture's own size. Bitmaps keep theirs. LR_LOADMAP3DCOLORS
// replaces the greys 128, 192 and 223 of a colour table by the 3-D shadow, face and light system
// colours. Returns 0 for a missing or damaged file.
HANDLE LoadImageA(HINSTANCE instance, std::string_view name, UINT type, int cx, int cy, UINT flags);
// Loads an image resource of the module (win/resources.h: type ICON, CURSOR or BITMAP and the id)
// as a file is loaded; 0 when the module carries no such resource or it is damaged.
HANDLE LoadImageA(HINSTANCE instance, std::int32_t resourceId, UINT type, int cx, int cy, UINT flags);
// The desktop's own pointers, shared: DestroyCursor leaves them alone. Only the hand is offered.
constexpr int IDC_HAND = 32649;
HCURSOR LoadCursorA(HINSTANCE instance, int id);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
HICON CreateIconIndirect(const ICONINFO* info);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
// Draws the icon at (x, y), scaled to cx x cy (0: its own size), through its mask or alpha.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);

// Image lists.
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;

constexpr UINT ILCF_MOVE = 0x0000;
constexpr UINT ILCF_SWAP = 0x0001;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// The layer's own: `fill` runs once, just before the list's images are first counted, read, drawn
// or changed (its icon size is not an image), so a list whose images come from files reads them
// when it is first drawn from. A list that goes unused never runs it.
void ImageList_FillWhenUsed(HIMAGELIST list, std::function<void()> fill);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// The image's place in the list's strip: images stand side by side, cx wide.
BOOL ImageList_GetImageRect(HIMAGELIST list, int index, RECT* r);
// Adds the images of a bitmap cut into cells of the list's width; pixels of the mask colour become
// see-through (and black). Returns the index of the first image added, or -1.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
// Adds (index -1) or replaces an icon, scaled to the list's size; returns its index or -1.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_Remove(HIMAGELIST list, int index);  // -1 removes every image
// Within one list: ILCF_MOVE copies image src over image dst, ILCF_SWAP exchanges them.
BOOL ImageList_Copy(HIMAGELIST dst, int dstIndex, HIMAGELIST src, int srcIndex, UINT flags);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
// Draws an image through its mask, or as the mask alone (ILD_MASK). Without ILD_TRANSPARENT, a
// background colour other than CLR_NONE fills the see-through pixels (lists themselves have none).
// ILD_BLEND50 and ILD_BLEND25 mix the foreground colour into each visible pixel, per channel
// (c + f + 1) / 2 and (3c + f + 2) / 4; CLR_DEFAULT (and ImageList_Draw) mixes the highlight system
// colour, CLR_NONE nothing. dx, dy smaller than the image draw its top-left part (0: whole).
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT flags);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT flags);

}  // namespace win
