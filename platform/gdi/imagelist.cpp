// Image lists: equal-sized icon pictures kept in order.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"

namespace win {

using namespace platform::gdi;

namespace {

bool Valid(ImageList* l, int index) { return l != nullptr && index >= 0 && index < static_cast<int>(l->images.size()); }

// The list, its images filled first when a fill is waiting.
ImageList* Used(HIMAGELIST list) {
  ImageList* l = Get<ImageList>(list);
  if (l == nullptr || !l->fill) return l;
  const std::function<void()> fill = std::move(l->fill);
  l->fill = nullptr;
  fill();
  return Get<ImageList>(list);
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0 || cx > 1024 || cy > 1024) return 0;
  ImageList l;
  l.cx = cx;
  l.cy = cy;
  l.flags = flags;
  return Add(std::move(l));
}

void ImageList_FillWhenUsed(HIMAGELIST list, std::function<void()> fill) {
  if (ImageList* l = Get<ImageList>(list)) l->fill = std::move(fill);
}

BOOL ImageList_Destroy(HIMAGELIST list) { return Get<ImageList>(list) != nullptr && Remove(list) ? TRUE : FALSE; }

int ImageList_GetImageCount(HIMAGELIST list) {
  ImageList* l = Used(list);
  return l != nullptr ? static_cast<int>(l->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  ImageList* l = Get<ImageList>(list);
  if (l == nullptr || cx == nullptr || cy == nullptr) return FALSE;
  *cx = l->cx;
  *cy = l->cy;
  return TRUE;
}

BOOL ImageList_GetImageRect(HIMAGELIST list, int index, RECT* r) {
  ImageList* l = Used(list);
  if (!Valid(l, index) || r == nullptr) return FALSE;
  *r = RECT{index * l->cx, 0, (index + 1) * l->cx, l->cy};
  return TRUE;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
  ImageList* l = Used(list);
  Bitmap* b = Get<Bitmap>(bitmap);
  if (l == nullptr || b == nullptr) return -1;
  const int cells = b->image.width() / l->cx;
  if (cells == 0) return -1;
  Canvas c = CanvasOf(*b);
  const int first = static_cast<int>(l->images.size());
  const std::uint32_t key = ToPixel(mask & 0xFFFFFF);
  for (int cell = 0; cell < cells; ++cell) {
    IconImage img;
    img.width = l->cx;
    img.height = l->cy;
    for (int y = 0; y < l->cy; ++y)
      for (int x = 0; x < l->cx; ++x) {
        std::uint32_t p = y < c.height ? c.row(y)[cell * l->cx + x] : key;
        const bool clear = (l->flags & ILC_MASK) != 0 && (p & 0xFFFFFF) == key;
        if (clear) p = 0;
        img.colour.push_back(p);
        img.mask.push_back(clear ? 1 : 0);
      }
    l->images.push_back(std::move(img));
  }
  return first;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON handle) {
  ImageList* l = Used(list);
  Icon* icon = Get<Icon>(handle);
  if (l == nullptr || icon == nullptr) return -1;
  IconImage img = icon->image.scaled(l->cx, l->cy);
  if (index == -1) {
    l->images.push_back(std::move(img));
    return static_cast<int>(l->images.size()) - 1;
  }
  if (!Valid(l, index)) return -1;
  l->images[static_cast<size_t>(index)] = std::move(img);
  return index;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  ImageList* l = Used(list);
  if (l == nullptr) return FALSE;
  if (index == -1) {
    l->images.clear();
    return TRUE;
  }
  if (!Valid(l, index)) return FALSE;
  l->images.erase(l->images.begin() + index);
  return TRUE;
}

BOOL ImageList_Copy(HIMAGELIST dst, int dstIndex, HIMAGELIST src, int srcIndex, UINT flags) {
  ImageList* l = Used(dst);
  if (dst != src || !Valid(l, dstIndex) || !Valid(l, srcIndex)) return FALSE;
  if ((flags & ILCF_SWAP) != 0) {
    std::swap(l->images[static_cast<size_t>(dstIndex)], l->images[static_cast<size_t>(srcIndex)]);
  } else {
    l->images[static_cast<size_t>(dstIndex)] = l->images[static_cast<size_t>(srcIndex)];
  }
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
  ImageList* l = Used(list);
  if (!Valid(l, index)) return 0;
  Icon icon;
  icon.image = l->images[static_cast<size_t>(index)];
  icon.hotX = l->cx / 2;
  icon.hotY = l->cy / 2;
  return Add(std::move(icon));
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT flags) {
  ImageList* l = Used(list);
  if (!Valid(l, index) || Get<DC>(hdc) == nullptr) return FALSE;
  IconImage img = l->images[static_cast<size_t>(index)];
  // A size smaller than the image draws its top-left part.
  if ((dx > 0 && dx < img.width) || (dy > 0 && dy < img.height)) {
    IconImage part;
    part.width = dx > 0 ? std::min(dx, img.width) : img.width;
    part.height = dy > 0 ? std::min(dy, img.height) : img.height;
    for (int v = 0; v < part.height; ++v)
      for (int u = 0; u < part.width; ++u) {
        part.colour.push_back(img.at(u, v));
        part.mask.push_back(img.clear(u, v) ? 1 : 0);
      }
    img = std::move(part);
  }
  if ((l->flags & ILC_MASK) == 0) std::fill(img.mask.begin(), img.mask.end(), 0);
  if ((flags & ILD_TRANSPARENT) == 0 && background != CLR_NONE && background != CLR_DEFAULT) {
    // Drawn over its background colour.
    for (size_t i = 0; i < img.colour.size(); ++i)
      if (img.mask[i] != 0) {
        img.colour[i] = ToPixel(background & 0xFFFFFF);
        img.mask[i] = 0;
      }
  }
  IconPaint how;
  how.maskOnly = (flags & ILD_MASK) != 0;
  how.mix = foreground == CLR_NONE ? 0 : (flags & ILD_BLEND50) != 0 ? 2 : (flags & ILD_BLEND25) != 0 ? 4 : 0;
  how.foreground = foreground == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : foreground & 0xFFFFFF;
  PaintIcon(hdc, img, x, y, how);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT flags) {
  return ImageList_DrawEx(list, index, hdc, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, flags);
}

}  // namespace win
