// The command bars' icon cache.
#include "commandbars/command_bar_image_list.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "commandbars/colour_scheme.h"
#include "commandbars/utility.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"

namespace commandbars {
namespace {

constexpr std::uint32_t kGrey227 = 0xE3E3E3;
constexpr std::uint32_t kGrey221 = 0xDDDDDD;

bool IsGrey(std::uint32_t rgb) { return rgb == kGrey227 || rgb == kGrey221; }

win::COLORREF Translated(win::COLORREF colour) {
  win::COLORREF rgb = 0;
  return win::SUCCEEDED(win::OleTranslateColor(colour, 0, &rgb)) ? rgb : (colour & 0xFFFFFF);
}

// A 32-bit bottom-up DIB section of w x h pixels.
win::HBITMAP NewStrip(int w, int h, std::uint32_t** bits) {
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biBitCount = 32;
  void* p = nullptr;
  const win::HBITMAP b = win::CreateDIBSection(0, &info, win::DIB_RGB_COLORS, &p, 0, 0);
  *bits = static_cast<std::uint32_t*>(p);
  return b;
}

// The 32-bit pixels of a bitmap, top-down, as 0xAARRGGBB.
std::vector<std::uint32_t> Pixels(win::HDC hdc, win::HBITMAP bitmap, int w, int h) {
  std::vector<std::uint32_t> px(static_cast<size_t>(w) * h, 0);
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  if (win::GetDIBits(hdc, bitmap, 0, static_cast<win::UINT>(h), px.data(), &info, win::DIB_RGB_COLORS) != h)
    std::fill(px.begin(), px.end(), 0);
  return px;
}

}  // namespace

cCommandBarImageList::cCommandBarImageList() = default;

cCommandBarImageList::~cCommandBarImageList() { Destroy(); }

void cCommandBarImageList::DrawStrip(win::HDC lhDCTO, int X, int Y) const {
  if (stripDC_ == 0) return;
  win::BitBlt(lhDCTO, X, Y, stripWidth_, stripHeight_, stripDC_, 0, 0, win::SRCCOPY);
}

void cCommandBarImageList::SetDisabledColor(win::COLORREF oColor) {
  if (oColor == disabledColor_) return;
  disabledColor_ = oColor;
  for (const Cell& c : cells_)
    if (c.style == eImageDisabled) Render(c);
}

void cCommandBarImageList::SetHighlightColor(win::COLORREF oColor) {
  if (oColor == highlightColor_) return;
  highlightColor_ = oColor;
  for (const Cell& c : cells_)
    if (c.style == eImageHighlighted) Render(c);
}

std::int32_t cCommandBarImageList::IconIndexOf(std::int32_t lIndex) const {
  if (lIndex < 1 || lIndex > count()) return -1;
  return cells_[static_cast<size_t>(lIndex - 1)].iconIndex;
}

std::int32_t cCommandBarImageList::IndexOf(std::int32_t lIconIndex, std::int32_t eStyle) const {
  for (size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i].iconIndex == lIconIndex && cells_[i].style == eStyle) return static_cast<std::int32_t>(i + 1);
  return 0;
}

void cCommandBarImageList::Draw(win::HDC lHDC, std::int32_t lIconIndex, std::int32_t eStyle, int lX, int lY,
                                int lWidth, int lHeight) {
  if (source_ == 0) return;
  if (eStyle == eImageNormal) {
    win::ImageList_Draw(source_, lIconIndex, lHDC, lX, lY, win::ILD_TRANSPARENT);
    return;
  }
  if (lWidth < 0 || lWidth > iconWidth_) lWidth = iconWidth_;
  if (lHeight < 0 || lHeight > iconHeight_) lHeight = iconHeight_;
  AddCell(lIconIndex, eStyle);
  const std::int32_t cell = IndexOf(lIconIndex, eStyle);
  if (cell == 0) return;
  win::BLENDFUNCTION blend;
  blend.SourceConstantAlpha = 255;
  blend.AlphaFormat = win::AC_SRC_ALPHA;
  win::AlphaBlend(lHDC, lX, lY, lWidth, lHeight, stripDC_, cells_[static_cast<size_t>(cell - 1)].x, 0, lWidth,
                  lHeight, blend);
}

void cCommandBarImageList::InitialiseFromInstance(const cCommandBarImageList& cInstance) {
  Destroy();
  source_ = cInstance.source_;
  iconWidth_ = cInstance.iconWidth_;
  iconHeight_ = cInstance.iconHeight_;
}

void cCommandBarImageList::InitialiseFromVariant(win::HIMAGELIST vImageList) {
  Destroy();
  source_ = 0;
  int cx = 0;
  int cy = 0;
  // The list's image size (the size of image 0's place, also for a list still empty).
  if (vImageList == 0 || !win::ImageList_GetIconSize(vImageList, &cx, &cy)) return;
  source_ = vImageList;
  iconWidth_ = cx;
  iconHeight_ = cy;
  Grow();
}

void cCommandBarImageList::Destroy() {
  if (stripDC_ != 0) {
    win::SelectObject(stripDC_, stripOld_);
    win::DeleteObject(strip_);
    win::DeleteDC(stripDC_);
  }
  stripDC_ = 0;
  strip_ = 0;
  stripOld_ = 0;
  bits_ = nullptr;
  stripWidth_ = 0;
  stripHeight_ = 0;
  capacity_ = 0;
  cells_.clear();
}

void cCommandBarImageList::Grow() {
  capacity_ += growth_;
  std::uint32_t* bits = nullptr;
  const win::HDC dc = win::CreateCompatibleDC(0);
  const win::HBITMAP bitmap = NewStrip(capacity_ * iconWidth_, iconHeight_, &bits);
  const win::HGDIOBJ old = win::SelectObject(dc, bitmap);
  if (stripDC_ != 0) {
    win::BitBlt(dc, 0, 0, stripWidth_, stripHeight_, stripDC_, 0, 0, win::SRCCOPY);
    win::SelectObject(stripDC_, stripOld_);
    win::DeleteObject(strip_);
    win::DeleteDC(stripDC_);
  }
  stripDC_ = dc;
  strip_ = bitmap;
  stripOld_ = old;
  bits_ = bits;
  stripWidth_ = capacity_ * iconWidth_;
  stripHeight_ = iconHeight_;
}

void cCommandBarImageList::AddCell(std::int32_t iconIndex, std::int32_t style) {
  if (IndexOf(iconIndex, style) != 0 || iconWidth_ <= 0 || iconHeight_ <= 0) return;
  if (count() + 2 > capacity_) Grow();
  if (bits_ == nullptr) return;
  Cell cell{iconIndex, count() * iconWidth_, style};
  cells_.push_back(cell);
  Render(cell);
}

void cCommandBarImageList::Render(const Cell& cell) {
  if (bits_ == nullptr) return;
  const int w = iconWidth_;
  const int h = iconHeight_;
  std::vector<std::uint32_t> colour(static_cast<size_t>(w) * h, 0);
  std::vector<bool> clear(colour.size(), true);
  if (const win::HICON icon = win::ImageList_GetIcon(source_, cell.iconIndex, win::ILD_NORMAL); icon != 0) {
    win::ICONINFO info;
    if (win::GetIconInfo(icon, &info)) {
      const win::HDC dc = win::CreateCompatibleDC(0);
      colour = Pixels(dc, info.hbmColor, w, h);
      const std::vector<std::uint32_t> mask = Pixels(dc, info.hbmMask, w, h);
      for (size_t i = 0; i < mask.size(); ++i) clear[i] = (mask[i] & 0xFFFFFF) != 0;
      win::DeleteDC(dc);
      win::DeleteObject(info.hbmColor);
      win::DeleteObject(info.hbmMask);
    }
    win::DestroyIcon(icon);
  }
  const bool ownAlpha = std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  bool allWhite = true;
  for (size_t i = 0; i < colour.size(); ++i) {
    const std::uint32_t rgb = colour[i] & 0xFFFFFF;
    if (!clear[i] && !IsGrey(rgb) && rgb != 0xFFFFFF) allWhite = false;
  }
  const std::uint32_t disabled = [&] {
    const win::COLORREF c = Translated(disabledColor_);
    return (static_cast<std::uint32_t>(win::GetRValue(c)) << 16) | (win::GetGValue(c) << 8) | win::GetBValue(c);
  }();
  const std::uint32_t highlight = [&] {
    const win::COLORREF c = Translated(highlightColor_);
    return (static_cast<std::uint32_t>(win::GetRValue(c)) << 16) | (win::GetGValue(c) << 8) | win::GetBValue(c);
  }();
  for (int y = 0; y < h; ++y) {
    std::uint32_t* row = bits_ + static_cast<size_t>(h - 1 - y) * stripWidth_ + cell.x;
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      if (clear[i]) {
        row[x] = 0;
        continue;
      }
      const std::uint32_t p = colour[i];
      const std::uint32_t base = ownAlpha ? p >> 24 : 255;
      std::uint32_t rgb = p & 0xFFFFFF;
      std::uint32_t alpha = base;
      if (cell.style == eImageDisabled) {
        const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const auto luma = static_cast<std::uint32_t>(std::nearbyint((222.0 * r + 707.0 * g + 71.0 * b) / 1000.0));
        alpha = allWhite && rgb == 0xFFFFFF ? 255 : ((255 - luma) * base + 127) / 255;
        rgb = disabled;
      } else if (cell.style == eImageOwnColours) {
        if (IsGrey(rgb)) alpha = (base * 50 + 127) / 255;
      } else if (cell.style == eImageHighlighted) {
        if (IsGrey(rgb)) {
          rgb = highlight;
          alpha = base * 90 / 255;
        }
      }
      std::uint32_t out = alpha << 24;
      for (int shift = 0; shift < 24; shift += 8) out |= (((rgb >> shift) & 0xFF) * alpha / 255) << shift;
      row[x] = out;
    }
  }
}

void DrawImage(win::HDC hdc, cCommandBarImageList* imageList, std::int32_t iconIndex, std::int32_t colourBox, int x,
               int y, std::int32_t style) {
  if (iconIndex > -1) {
    if (imageList == nullptr) RaiseCommandBarError(8);
    imageList->Draw(hdc, iconIndex, style, x, y);
  } else if (colourBox != -1) {
    const win::RECT r{x, y, x + 15, y + 15};
    const win::HBRUSH brush = win::CreateSolidBrush(static_cast<win::COLORREF>(TranslateColour(colourBox)));
    win::FillRect(hdc, &r, brush);
    win::DeleteObject(brush);
    DrawBorder(hdc, StyleColour13(), x, y, 15, 15);
  }
}

}  // namespace commandbars
