// The command-bar toolkit's shared helpers: its errors, the system it runs on, colour arithmetic,
// the drawing primitives the button, bar and menu painters share, and fonts by face, size and
// escapement.
//
// Colour values are 0x00BBGGRR, a system colour 0x800000nn, or -1 for none. Every drawing
// primitive here translates the colours it is given, so a system colour never draws as garbage.
// DrawImage and FillBarBackground, which need the icon cache and the colour scheme, live with them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/colour_hls.h"
#include "platform/gdi/gdi.h"
#include "platform/vb/error.h"
#include "platform/vb/stdole.h"

namespace commandbars {

// Raises the toolkit's error `code` (1 to 8; others give vbObjectError + code, without a message)
// with the source "<program>.kestPicker".
[[noreturn]] void RaiseCommandBarError(int code);

// True when reading the collection's item for key succeeds; any error is swallowed.
template <typename Collection, typename Key>
bool CollectionKeyExists(Collection& collection, const Key& key) {
  try {
    (void)collection.Item(key);
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

// The system is always a current one: NT, Windows 98 or later, 2000 or later, XP or later.
constexpr bool IsNT() { return true; }
constexpr bool IsWin98OrLaterVariant() { return true; }
constexpr bool IsWin2000OrLater() { return true; }
constexpr bool IsXPOrLater() { return true; }

// The platform's colour translation; -1 when it fails.
std::int32_t TranslateColour(std::int32_t colour);
// Per channel a * alpha / 255 + b * (255 - alpha) / 255 in floating point, rounded (halves to even).
std::int32_t BlendColour(std::int32_t colourA, std::int32_t colourB, std::int32_t alpha);
using controls::HLSToRGB;
using controls::MaxOf3;
using controls::MinOf3;
using controls::RGBToHLS;

// Outline of the rectangle (left, top, width, height) with a one-pixel pen.
void DrawBorder(win::HDC hdc, std::int32_t colour, int left, int top, int width, int height);
// A button's caption: single line, vertically centred (and centred across when `centred`) for
// orientation 0 and 3; for 1 and 2 drawn with the rotated font from the rectangle's right edge.
void DrawButtonText(win::HDC hdc, std::u16string_view caption, int left, int top, int width, int height,
                    std::int32_t reserved, std::int32_t textColour, std::int32_t orientation, bool centred);
void DrawThemedToolbarBackground(win::HWND hwnd, win::HDC hdc, int left, int top, int width, int height, bool enabled,
                                 bool hot, std::int32_t buttonStyle, bool inDropDownPart, std::int32_t orientation,
                                 bool checked, bool pressed);
// The split button's drop-down arrow, pixel by pixel around the rectangle's centre.
void DrawPixelGlyph(win::HDC hdc, int left, int top, int width, int height, std::int32_t reserved,
                    std::int32_t colour, std::int32_t orientation);
// The black sub-menu arrow and check mark around the rectangle's centre; the context's pen is kept.
void DrawSubMenuArrow(win::HDC hdc, int left, int top, int width, int height);
void DrawCheckMark(win::HDC hdc, int left, int top, int width, int height);
// Nothing when a colour is -1; a gradient (left to right when horizontal) when they differ; else solid.
void FillColourRect(win::HDC hdc, std::int32_t colour1, std::int32_t colour2, int left, int top, int width,
                    int height, bool horizontal);
// Tiles hdcTile over the rectangle with its phase fixed to absolute coordinates (rows shifted by
// yPhase); an empty tile draws nothing.
void TileBitmap(win::HDC hdcDest, int left, int top, int width, int height, win::HDC hdcTile, int tileWidth,
                int tileHeight, int yPhase);
// One two-colour rectangle gradient over rect (left, top, right, bottom); mode 0 horizontal, 1 vertical.
void GradientFillRect(win::HDC hdc, const win::RECT& rect, std::int32_t colour1, std::int32_t colour2,
                      std::int32_t mode);
void ColourToVertex(win::TRIVERTEX& vertex, std::int32_t colour);
void ChannelTo16Bit(win::COLOR16& out, std::int32_t value);
// The whole text (count is not used); nothing for an empty text. Returns the text's height.
int DrawTextAW(win::HDC hdc, std::u16string_view text, std::int32_t count, win::RECT& rect, win::UINT format);

// A font description of the font object for hdc's resolution; face names are cut to 31 characters.
void FontToLogFont(const vb::StdFont& font, win::HDC hdc, win::LOGFONTA& logFont);

// GDI fonts by face name, size, escapement and style, made on first request and deleted with the
// cache.
class cFontCache {
 public:
  cFontCache() = default;
  ~cFontCache();
  cFontCache(const cFontCache&) = delete;
  cFontCache& operator=(const cFontCache&) = delete;
  win::HFONT hFont(const vb::StdFont& font, std::int32_t escapement, win::HDC hdc);

 private:
  struct Record {
    std::u16string name;
    std::int64_t size = 0;  // points x 10000
    std::int32_t escapement = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    win::HFONT font = 0;
  };
  std::vector<Record> records_;
};

}  // namespace commandbars
