// Inside the drawing layer only: the table of device contexts and drawing objects, and the pixel
// surfaces they draw on. The table is object_table.cpp; contexts device_context.cpp; surfaces and
// canvases surfaces.cpp; bitmaps and DIB sections bitmaps.cpp; layered windows layered_window.cpp.
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <QCursor>
#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <variant>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::gdi {

struct Bitmap {
  QImage image;  // Format_ARGB32: bytes B,G,R,A in memory; rows in memory order
  bool bottomUp = false;  // memory row 0 is the bottom line (DIB sections with a positive height)
  bool mono = false;      // monochrome: pixels are 0x00000000 or 0x00FFFFFF
  bool dibSection = false;
  int selections = 0;  // contexts it is selected into (at most one, as on the platform)
};

struct Pen {
  int style = win::PS_SOLID;
  int width = 1;
  win::COLORREF colour = 0;
};

struct Brush {
  win::COLORREF colour = 0;
  bool hollow = false;
};

struct Font {
  win::LOGFONTA lf;
  QFont qfont;
};

struct Region {
  win::RECT rect;
};

// The pictures of an icon or of one image of an image list, top-down.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> colour;  // 0xAARRGGBB
  std::vector<std::uint8_t> mask;     // 1: see-through
  bool hasAlpha() const;
  std::uint32_t at(int x, int y) const { return colour[static_cast<size_t>(y) * width + x]; }
  bool clear(int x, int y) const { return mask[static_cast<size_t>(y) * width + x] != 0; }
  IconImage scaled(int w, int h) const;  // nearest pixel
};

struct Icon {
  IconImage image;
  bool cursor = false;
  int hotX = 0;
  int hotY = 0;
  // A shared pointer of the desktop (LoadCursorA): the Qt::CursorShape it shows as, else -1. The
  // desktop draws it itself; its picture here is empty.
  int shape = -1;
};

struct ImageList {
  int cx = 0;
  int cy = 0;
  win::UINT flags = 0;
  std::vector<IconImage> images;
  std::function<void()> fill;  // runs before the images are first used (ImageList_FillWhenUsed)
};

enum class DcKind { Memory, Window, Display };

struct DC {
  DcKind kind = DcKind::Memory;
  win::HWND hwnd = 0;
  bool paint = false;  // from BeginPaint: the widget is about to show the surface anyway
  win::HBITMAP bitmap = 0;
  win::HPEN pen = 0;
  win::HBRUSH brush = 0;
  win::HFONT font = 0;
  win::COLORREF text = 0;
  win::COLORREF bk = 0xFFFFFF;
  int bkMode = win::OPAQUE;
  win::UINT align = 0;
  win::POINT org;
  win::POINT pos;
  std::optional<win::RECT> clip;  // device pixels
};

using Object = std::variant<Bitmap, Pen, Brush, Font, Region, Icon, ImageList, DC>;

// The object behind a handle when it is of kind T, else null.
template <typename T>
T* Get(win::HANDLE h);
win::HANDLE Add(Object obj, bool stock = false);
bool IsStock(win::HANDLE h);
bool Remove(win::HANDLE h);

// The display as GetDeviceCaps reports it (tests change it).
struct Display {
  int bits = 32;
  int dpi = 96;
};
Display& DisplaySettings();
// Windows whose WM_PAINT is being handled between BeginPaint and EndPaint.
std::unordered_set<win::HWND>& PaintingWindows();
// The system colour table (tests change it) and the visual-style service's state.
void SetSysColorEntry(int index, win::COLORREF colour);
void ResetSysColorTable();
void SetThemeService(bool active, std::u16string colourScheme);
// The 1-by-1 monochrome bitmap a new memory context starts with.
win::HBITMAP StockMonoBitmap();
// The sum of a pixel's three colour bytes; 384 and above is white on a monochrome bitmap.
inline int Luma3(std::uint32_t p) { return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)); }

// What a context draws on, as 32-bit pixels addressed top-down.
struct Canvas {
  std::uint32_t* base = nullptr;
  int width = 0;
  int height = 0;
  qsizetype stride = 0;  // in pixels
  bool bottomUp = false;
  bool opaque = false;  // a window surface: the fourth byte is kept at 0xFF
  bool mono = false;
  std::uint32_t* row(int y) const { return base + (bottomUp ? height - 1 - y : y) * stride; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // The pixel value that a colour is written as.
  std::uint32_t pixelOf(win::COLORREF c) const;
};

std::optional<Canvas> CanvasOf(win::HDC hdc);
Canvas CanvasOf(Bitmap& b);
// The device rectangle drawing on the context may touch: its canvas, cut by its clip rectangle.
win::RECT DrawableRect(const DC& dc, const Canvas& canvas);
// Called after drawing on a context: a window shows its surface again.
void Drawn(const DC& dc);

// 0x00BBGGRR <-> 0xAARRGGBB.
inline std::uint32_t ToPixel(win::COLORREF c, std::uint32_t alpha = 0) {
  return (alpha << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline win::COLORREF ToColour(std::uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
// Nearest whole number of v / 255 for v >= 0 (255 is odd, so there are no halves).
inline std::uint32_t Div255(std::uint32_t v) { return (v + 127) / 255; }

QFont DefaultFont();
// Sets a font to draw as the platform's text drawing does: unsmoothed, each letter at a whole-pixel
// advance, without kerning.
void DrawAsThePlatform(QFont& f);

// Pictures for the forms runtime: a bitmap made from an image (the fourth byte 0, as drawing
// leaves it), and what a bitmap or icon handle shows, top-down (bitmaps opaque, icons through
// their alpha or mask); a null image for any other handle.
win::HBITMAP BitmapFromImage(const QImage& image);
QImage ImageOfHandle(win::HANDLE h);
// An icon or cursor handle as a mouse pointer: a shared pointer of the desktop as the desktop shows
// it, any other through its picture with its hot spot; nothing for other handles.
std::optional<QCursor> CursorOfHandle(win::HANDLE h);

// Draws an icon picture at device-independent (logical) x, y: through its alpha when it has one,
// else through its mask (destination AND mask, then XOR colour, on all four bytes). `mix` of 2 or 4
// mixes `foreground` into every visible pixel, per channel (c + f + 1) / 2 or (3c + f + 2) / 4.
// maskOnly draws the mask alone, black where the icon is visible and white elsewhere.
struct IconPaint {
  bool maskOnly = false;
  int mix = 0;
  win::COLORREF foreground = 0;
};
void PaintIcon(win::HDC hdc, const IconImage& img, int x, int y, const IconPaint& how);
// Sets the widget of a window to show its surface again (after drawing outside WM_PAINT).
void ShowSurface(win::HWND h);
// The window's surface, sized to its widget's contents rectangle (the client area; a picture box
// keeps its border outside it); null when the window has no widget. New area takes the
// button-face colour in windows the layer creates and the widget's own background colour in
// windows of the forms runtime (custom controls), whose widgets show the surface over that colour.
QImage* SurfaceOf(win::HWND h);

// The installed family that stands for a face name the program asks for: the platform's dialog
// faces ("MS Sans Serif", "Tahoma") become a font with Cyrillic letters; other names stay.
QString FontFamily(const QString& face);
// The installed font families by the names a user knows them by, sorted and each once: a family
// that several foundries make (which the toolkit tags "C059 [UKWN]", "C059 [urw]") is one name.
QStringList FontFamilies();
// The family name without the toolkit's foundry tag.
QString FamilyWithoutFoundry(const QString& family);

}  // namespace platform::gdi
