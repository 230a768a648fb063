// The icon source of a command-bar control: an image list, drawn as it is or in three rendered
// looks (disabled, own colours with see-through greys, highlighted). Each look of each icon is
// rendered once into a cell of a strip of premultiplied B,G,R,A pixels and alpha-blended from there.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/types.h"

namespace commandbars {

enum ECommandBarImageStyle : std::int32_t {
  eImageNormal = 0,       // as the image list draws it
  eImageDisabled = 1,     // DisabledColor, as opaque as the pixel is dark
  eImageOwnColours = 2,   // own colours; the greys 227 and 221 nearly see-through
  eImageHighlighted = 3,  // the greys 227 and 221 turned into HighlightColor
};

class cCommandBarImageList {
 public:
  cCommandBarImageList();
  ~cCommandBarImageList();
  cCommandBarImageList(const cCommandBarImageList&) = delete;
  cCommandBarImageList& operator=(const cCommandBarImageList&) = delete;

  std::int32_t IconWidth() const { return iconWidth_; }
  std::int32_t IconHeight() const { return iconHeight_; }
  // Copies the whole strip to the context at (X, Y).
  void DrawStrip(win::HDC lhDCTO, int X, int Y) const;
  // Colours 0x00BBGGRR (a system colour is translated). A new value renders the cells of its look again.
  win::COLORREF DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(win::COLORREF oColor);
  win::COLORREF HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(win::COLORREF oColor);
  // Cached cells, numbered from 1.
  std::int32_t count() const { return static_cast<std::int32_t>(cells_.size()); }
  std::int32_t IconIndexOf(std::int32_t lIndex) const;
  // The first cell of the icon in that look, 0 when there is none.
  std::int32_t IndexOf(std::int32_t lIconIndex, std::int32_t eStyle) const;
  // Draws icon lIconIndex (0-based) in look eStyle at (lX, lY); a negative width or height means the
  // icon's, a larger one is cut to it. The normal look draws the whole icon through the image list.
  void Draw(win::HDC lHDC, std::int32_t lIconIndex, std::int32_t eStyle, int lX, int lY, int lWidth = -1,
            int lHeight = -1);
  // Takes the other instance's image list and icon size, with an empty cache.
  void InitialiseFromInstance(const cCommandBarImageList& cInstance);
  // Takes an image list; the icon size is its images' size. 0 leaves the cache without a source.
  void InitialiseFromVariant(win::HIMAGELIST vImageList);
  // Frees the strip and forgets the cells.
  void Destroy();
  win::HIMAGELIST SourceHandle() const { return source_; }

  // Cells the strip has room for (it grows by 10 and keeps one free).
  std::int32_t Capacity() const { return capacity_; }

 private:
  struct Cell {
    std::int32_t iconIndex = 0;
    std::int32_t x = 0;
    std::int32_t style = 0;
  };
  void Grow();
  void AddCell(std::int32_t iconIndex, std::int32_t style);
  void Render(const Cell& cell);

  win::HIMAGELIST source_ = 0;
  std::int32_t iconWidth_ = 0;
  std::int32_t iconHeight_ = 0;
  std::int32_t growth_ = 10;
  std::int32_t capacity_ = 0;
  win::HDC stripDC_ = 0;
  win::HBITMAP strip_ = 0;
  win::HGDIOBJ stripOld_ = 0;
  std::uint32_t* bits_ = nullptr;  // bottom-up rows, B,G,R,A
  std::int32_t stripWidth_ = 0;
  std::int32_t stripHeight_ = 0;
  std::vector<Cell> cells_;
  win::COLORREF disabledColor_ = 0;
  win::COLORREF highlightColor_ = 0;
};

// With iconIndex above -1, draws that icon of imageList in look `style` at (x, y) (no image list
// raises the toolkit's error 8); otherwise, when colourBox is not -1, a 15 x 15 swatch of it outlined
// in colour 13 of the colour scheme. Nothing when both are -1.
void DrawImage(win::HDC hdc, cCommandBarImageList* imageList, std::int32_t iconIndex, std::int32_t colourBox, int x,
               int y, std::int32_t style);

}  // namespace commandbars
