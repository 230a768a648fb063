// Icons and cursors: loading from files, their bitmaps, drawing, and the disabled look.
#include <QFile>
#include <QPixmap>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/icon_file.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"
#include "platform/win/resources.h"

namespace platform::gdi {
namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::uint32_t Mix(std::uint32_t p, std::uint32_t f, int mix) {
  std::uint32_t out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t c = (p >> shift) & 0xFF;
    const std::uint32_t fc = (f >> shift) & 0xFF;
    out |= (mix == 2 ? (c + fc + 1) / 2 : (3 * c + fc + 2) / 4) << shift;
  }
  return out;
}

// The pixels of an icon picture that the disabled look draws as ink: visible and, over white, not
// white.
std::vector<std::uint8_t> Ink(const IconImage& img) {
  std::vector<std::uint8_t> ink(img.colour.size(), 0);
  const bool alpha = img.hasAlpha();
  for (size_t i = 0; i < ink.size(); ++i) {
    const std::uint32_t p = img.colour[i];
    if (alpha) {
      const std::uint32_t a = p >> 24;
      if (a == 0) continue;
      bool white = true;
      for (int shift = 0; shift < 24; shift += 8)
        white = white && Div255(((p >> shift) & 0xFF) * a + 255 * (255 - a)) == 255;
      ink[i] = white ? 0 : 1;
    } else {
      ink[i] = img.mask[i] == 0 && (p & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    }
  }
  return ink;
}

IconImage FromBitmaps(const Bitmap& colour, const Bitmap* mask) {
  IconImage img;
  img.width = colour.image.width();
  img.height = colour.image.height();
  Bitmap copy = colour;  // read-only view; CanvasOf needs a non-const picture
  copy.image = colour.image.copy();
  Canvas c = CanvasOf(copy);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      img.colour.push_back(c.row(y)[x]);
      img.mask.push_back(0);
    }
  if (mask != nullptr) {
    Bitmap m = *mask;
    m.image = mask->image.copy();
    Canvas mc = CanvasOf(m);
    for (int y = 0; y < img.height && y < mc.height; ++y)
      for (int x = 0; x < img.width && x < mc.width; ++x)
        img.mask[static_cast<size_t>(y) * img.width + x] = (mc.row(y)[x] & 0xFFFFFF) != 0 ? 1 : 0;
  }
  return img;
}

}  // namespace

bool IconImage::hasAlpha() const {
  return std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
}

IconImage IconImage::scaled(int w, int h) const {
  if (w == width && h == height) return *this;
  IconImage out;
  out.width = w;
  out.height = h;
  out.colour.resize(static_cast<size_t>(w) * h);
  out.mask.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = static_cast<int>(static_cast<long long>(x) * width / w);
      const int sy = static_cast<int>(static_cast<long long>(y) * height / h);
      out.colour[static_cast<size_t>(y) * w + x] = at(sx, sy);
      out.mask[static_cast<size_t>(y) * w + x] = clear(sx, sy) ? 1 : 0;
    }
  return out;
}

void PaintIcon(win::HDC hdc, const IconImage& img, int x, int y, const IconPaint& how) {
  DC* dc = Get<DC>(hdc);
  auto canvas = CanvasOf(hdc);
  if (dc == nullptr || !canvas) return;
  const win::RECT limit = DrawableRect(*dc, *canvas);
  x += dc->org.x;
  y += dc->org.y;
  const bool alpha = img.hasAlpha();
  const std::uint32_t fg = ToPixel(how.foreground);
  for (int v = 0; v < img.height; ++v)
    for (int u = 0; u < img.width; ++u) {
      const int dx = x + u;
      const int dy = y + v;
      if (dx < limit.left || dx >= limit.right || dy < limit.top || dy >= limit.bottom) continue;
      std::uint32_t& d = canvas->row(dy)[dx];
      const bool clear = img.clear(u, v);
      std::uint32_t out = d;
      if (how.maskOnly) {
        out = clear ? 0x00FFFFFFu : 0u;
      } else if (alpha) {
        std::uint32_t s = img.at(u, v);
        if (how.mix != 0 && (s >> 24) != 0) s = Mix(s, fg, how.mix);
        const std::uint32_t a = s >> 24;
        out = (a + Div255(((d >> 24) & 0xFF) * (255 - a))) << 24;
        for (int shift = 0; shift < 24; shift += 8)
          out |= Div255(((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a)) << shift;
      } else {
        std::uint32_t s = img.at(u, v);
        if (how.mix != 0 && !clear) s = Mix(s, fg, how.mix);
        out = (d & (clear ? 0xFFFFFFFFu : 0u)) ^ s;
      }
      if (canvas->opaque) out |= 0xFF000000u;
      if (canvas->mono) out = ((out >> 16) & 0xFF) + ((out >> 8) & 0xFF) + (out & 0xFF) >= 384 ? 0x00FFFFFFu : 0u;
      d = out;
    }
  Drawn(*dc);
}

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

namespace {

HANDLE LoadImageFromBytes(const std::vector<std::uint8_t>& data, UINT type, int cx, int cy, UINT flags) {
  const bool map3D = (flags & LR_LOADMAP3DCOLORS) != 0;
  if (type == IMAGE_BITMAP) {
    auto image = ReadBitmapFile(data, map3D);
    if (!image) return 0;
    Bitmap b;
    b.image = std::move(*image);
    return Add(std::move(b));
  }
  if (type != IMAGE_ICON && type != IMAGE_CURSOR) return 0;
  if ((flags & LR_DEFAULTSIZE) != 0) {
    if (cx == 0) cx = 32;
    if (cy == 0) cy = 32;
  }
  auto read = ReadIconFile(data, cx, cy, map3D);
  if (!read) return 0;
  Icon icon;
  icon.image = std::move(read->image);
  icon.cursor = type == IMAGE_CURSOR;
  icon.hotX = icon.cursor ? read->hotX : icon.image.width / 2;
  icon.hotY = icon.cursor ? read->hotY : icon.image.height / 2;
  return Add(std::move(icon));
}

}  // namespace

HANDLE LoadImageA(HINSTANCE, std::string_view name, UINT type, int cx, int cy, UINT flags) {
  if ((flags & LR_LOADFROMFILE) == 0) return 0;
  const auto data = ReadFile(name);
  return data ? LoadImageFromBytes(*data, type, cx, cy, flags) : 0;
}

HANDLE LoadImageA(HINSTANCE instance, std::int32_t resourceId, UINT type, int cx, int cy, UINT flags) {
  const char16_t* kind = type == IMAGE_BITMAP ? u"BITMAP" : type == IMAGE_ICON ? u"ICON" : type == IMAGE_CURSOR ? u"CURSOR" : nullptr;
  if (kind == nullptr) return 0;
  const auto data = platform::resources::Read(instance, kind, resourceId);
  return data ? LoadImageFromBytes(*data, type, cx, cy, flags & ~LR_LOADFROMFILE) : 0;
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  Icon* icon = Get<Icon>(handle);
  if (icon == nullptr || info == nullptr) return FALSE;
  const IconImage& img = icon->image;
  Bitmap colour;
  colour.image = QImage(img.width, img.height, QImage::Format_ARGB32);
  Bitmap mask;
  mask.mono = true;
  mask.image = QImage(img.width, img.height, QImage::Format_ARGB32);
  for (int y = 0; y < img.height; ++y) {
    auto* c = reinterpret_cast<std::uint32_t*>(colour.image.scanLine(y));
    auto* m = reinterpret_cast<std::uint32_t*>(mask.image.scanLine(y));
    for (int x = 0; x < img.width; ++x) {
      c[x] = img.at(x, y);
      m[x] = img.clear(x, y) ? 0x00FFFFFFu : 0u;
    }
  }
  info->fIcon = icon->cursor ? FALSE : TRUE;
  info->xHotspot = static_cast<DWORD>(icon->hotX);
  info->yHotspot = static_cast<DWORD>(icon->hotY);
  info->hbmColor = Add(std::move(colour));
  info->hbmMask = Add(std::move(mask));
  return TRUE;
}

HICON CreateIconIndirect(const ICONINFO* info) {
  if (info == nullptr) return 0;
  Bitmap* mask = Get<Bitmap>(info->hbmMask);
  if (mask == nullptr) return 0;
  Icon icon;
  Bitmap* colour = Get<Bitmap>(info->hbmColor);
  if (colour != nullptr) {
    if (mask->image.width() < colour->image.width() || mask->image.height() < colour->image.height()) return 0;
    icon.image = FromBitmaps(*colour, mask);
  } else {
    // A monochrome icon: the mask's upper half is the mask, its lower half the picture.
    const int h = mask->image.height() / 2;
    if (h == 0) return 0;
    Bitmap upper = *mask, lower = *mask;
    upper.image = mask->image.copy(0, mask->bottomUp ? h : 0, mask->image.width(), h);
    lower.image = mask->image.copy(0, mask->bottomUp ? 0 : h, mask->image.width(), h);
    icon.image = FromBitmaps(lower, &upper);
  }
  icon.cursor = info->fIcon == FALSE;
  icon.hotX = info->fIcon != FALSE ? icon.image.width / 2 : static_cast<int>(info->xHotspot);
  icon.hotY = info->fIcon != FALSE ? icon.image.height / 2 : static_cast<int>(info->yHotspot);
  return Add(std::move(icon));
}

HICON CopyIcon(HICON handle) {
  Icon* icon = Get<Icon>(handle);
  if (icon == nullptr) return 0;
  Icon copy = *icon;
  return Add(std::move(copy));
}

BOOL DestroyIcon(HICON icon) {
  return Get<Icon>(icon) != nullptr && !IsStock(icon) && Remove(icon) ? TRUE : FALSE;
}

}  // namespace win

namespace platform::gdi {

std::optional<QCursor> CursorOfHandle(win::HANDLE h) {
  const Icon* icon = Get<Icon>(h);
  if (icon == nullptr) return std::nullopt;
  if (icon->shape >= 0) return QCursor(static_cast<Qt::CursorShape>(icon->shape));
  return QCursor(QPixmap::fromImage(ImageOfHandle(h)), icon->hotX, icon->hotY);
}

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

HCURSOR LoadCursorA(HINSTANCE, int id) {
  if (id != IDC_HAND) return 0;
  static const HCURSOR hand = [] {
    Icon icon;
    icon.cursor = true;
    icon.shape = Qt::PointingHandCursor;
    icon.image.width = icon.image.height = 32;
    icon.image.colour.assign(32 * 32, 0);
    icon.image.mask.assign(32 * 32, 1);
    return static_cast<HCURSOR>(Add(std::move(icon), true));
  }();
  return hand;
}

BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
  Icon* icon = Get<Icon>(handle);
  if (icon == nullptr || Get<DC>(hdc) == nullptr) return FALSE;
  const IconImage img = icon->image.scaled(cx > 0 ? cx : icon->image.width, cy > 0 ? cy : icon->image.height);
  if ((flags & DI_NORMAL) == DI_MASK) {
    PaintIcon(hdc, img, x, y, IconPaint{true, 0, 0});
  } else if ((flags & DI_NORMAL) == DI_IMAGE) {
    IconImage opaque = img;
    std::fill(opaque.mask.begin(), opaque.mask.end(), 0);
    for (auto& p : opaque.colour) p &= 0x00FFFFFF;
    PaintIcon(hdc, opaque, x, y, IconPaint{});
  } else {
    PaintIcon(hdc, img, x, y, IconPaint{});
  }
  return TRUE;
}

BOOL DrawState(HDC hdc, HBRUSH, const void*, LPARAM data, WPARAM, int x, int y, int cx, int cy, UINT flags) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return FALSE;
  Icon* icon = Get<Icon>(static_cast<HANDLE>(data));
  if ((flags & 0x000F) != DST_ICON || icon == nullptr) return FALSE;
  IconImage img = icon->image.scaled(cx > 0 ? cx : icon->image.width, cy > 0 ? cy : icon->image.height);
  if ((flags & DSS_DISABLED) == 0) {
    PaintIcon(hdc, img, x, y, IconPaint{});
    return TRUE;
  }
  const std::vector<std::uint8_t> ink = Ink(img);
  auto canvas = CanvasOf(hdc);
  if (!canvas) return TRUE;
  const RECT limit = DrawableRect(*dc, *canvas);
  const auto paint = [&](int ox, int oy, COLORREF colour) {
    const std::uint32_t p = canvas->pixelOf(colour);
    for (int v = 0; v < img.height; ++v)
      for (int u = 0; u < img.width; ++u) {
        if (ink[static_cast<size_t>(v) * img.width + u] == 0) continue;
        const int dx = x + dc->org.x + ox + u;
        const int dy = y + dc->org.y + oy + v;
        if (dx >= limit.left && dx < limit.right && dy >= limit.top && dy < limit.bottom) canvas->row(dy)[dx] = p;
      }
  };
  paint(1, 1, GetSysColor(COLOR_3DHILIGHT));
  paint(0, 0, GetSysColor(COLOR_3DSHADOW));
  Drawn(*dc);
  return TRUE;
}

}  // namespace win
