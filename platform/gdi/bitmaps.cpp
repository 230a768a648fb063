#include "platform/gdi/objects.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi.h"

namespace platform::gdi {
namespace {

int StrideBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// The lines from `start` that lie in a bitmap of `height` lines: none when start is at or past the
// end (however large, so start + count never wraps), else at most the lines left.
win::UINT LinesWithin(win::UINT start, win::UINT lines, int height) {
  const win::UINT total = static_cast<win::UINT>(std::max(height, 0));
  return start >= total ? 0 : std::min(lines, total - start);
}

}  // namespace

win::HBITMAP StockMonoBitmap() {
  static const win::HBITMAP h = [] {
    Bitmap b;
    b.image = QImage(1, 1, QImage::Format_ARGB32);
    b.image.fill(0);
    b.mono = true;
    return Add(std::move(b), true);
  }();
  return h;
}

win::HBITMAP BitmapFromImage(const QImage& image) {
  Bitmap b;
  b.image = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < b.image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(b.image.scanLine(y));
    for (int x = 0; x < b.image.width(); ++x) row[x] &= 0x00FFFFFFu;
  }
  return Add(std::move(b));
}

QImage ImageOfHandle(win::HANDLE h) {
  if (const Bitmap* b = Get<Bitmap>(h)) {
    // The fourth byte is not alpha here: the picture is opaque.
    QImage out(b->image.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
      const auto* src = reinterpret_cast<const std::uint32_t*>(b->image.constScanLine(b->bottomUp ? out.height() - 1 - y : y));
      auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
      for (int x = 0; x < out.width(); ++x) dst[x] = src[x] | 0xFF000000u;
    }
    return out;
  }
  const Icon* icon = Get<Icon>(h);
  if (icon == nullptr) return QImage();
  const IconImage& img = icon->image;
  const bool alpha = img.hasAlpha();
  QImage out(img.width, img.height, QImage::Format_ARGB32);
  for (int y = 0; y < img.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < img.width; ++x)
      row[x] = alpha ? img.at(x, y) : img.clear(x, y) ? 0u : (img.at(x, y) | 0xFF000000u);
  }
  return out;
}

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || width <= 0 || height <= 0) return 0;
  Bitmap b;
  if (dc->kind == DcKind::Memory) {
    Bitmap* current = Get<Bitmap>(dc->bitmap);
    b.mono = current != nullptr && current->mono;
  }
  b.image = QImage(width, height, QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  return Add(std::move(b));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return 0;
  Bitmap b;
  b.mono = bitsPerPixel == 1;
  b.image = QImage(width, height, QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  if (bits != nullptr) {
    const auto* in = static_cast<const BYTE*>(bits);
    const int stride = b.mono ? ((width + 15) / 16) * 2 : width * 4;
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(b.image.scanLine(y));
      const BYTE* src = in + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        if (b.mono) {
          row[x] = (src[x / 8] & (0x80 >> (x % 8))) != 0 ? 0x00FFFFFFu : 0u;
        } else {
          std::memcpy(&row[x], src + x * 4, 4);
        }
      }
    }
  }
  return Add(std::move(b));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
    return 0;
  Bitmap b;
  b.dibSection = true;
  b.bottomUp = h.biHeight > 0;
  b.image = QImage(h.biWidth, h.biHeight > 0 ? h.biHeight : -static_cast<long long>(h.biHeight),
                   QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  const HBITMAP handle = Add(std::move(b));
  if (bits != nullptr) *bits = Get<Bitmap>(handle)->image.bits();
  return handle;
}

int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
  Bitmap* b = Get<Bitmap>(bmp);
  if (b == nullptr || info == nullptr || Get<DC>(hdc) == nullptr) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  const int w = b->image.width();
  const int height = b->image.height();
  if (bits == nullptr) {
    h.biWidth = w;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = b->mono ? 1 : 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(StrideBytes(w, h.biBitCount) * height);
    return height;
  }
  const int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biWidth != w || h.biCompression != BI_RGB) return 0;
  const UINT count = LinesWithin(start, lines, height);
  if (count == 0) return 0;
  const bool bottomUp = h.biHeight > 0;
  const int stride = StrideBytes(w, bpp);
  if (bpp == 1) {
    info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    info->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
  }
  Canvas c = CanvasOf(*b);
  auto* out = static_cast<BYTE*>(bits);
  int done = 0;
  for (UINT i = 0; i < count; ++i) {
    const int line = static_cast<int>(start + i);  // counted in the caller's row order
    const int y = bottomUp ? height - 1 - line : line;
    const std::uint32_t* row = c.row(y);
    BYTE* dst = out + static_cast<size_t>(i) * stride;
    std::memset(dst, 0, static_cast<size_t>(stride));
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = row[x];
      if (bpp == 32) {
        std::memcpy(dst + x * 4, &p, 4);
      } else if (bpp == 24) {
        dst[x * 3] = static_cast<BYTE>(p);
        dst[x * 3 + 1] = static_cast<BYTE>(p >> 8);
        dst[x * 3 + 2] = static_cast<BYTE>(p >> 16);
      } else if (Luma3(p) >= 384) {
        dst[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
    ++done;
  }
  return done;
}

int SetDIBits(HDC, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT) {
  Bitmap* b = Get<Bitmap>(bmp);
  if (b == nullptr || info == nullptr || bits == nullptr) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int bpp = h.biBitCount;
  const int w = b->image.width();
  const int height = b->image.height();
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biWidth != w || h.biCompression != BI_RGB) return 0;
  const UINT count = LinesWithin(start, lines, height);
  if (count == 0) return 0;
  const bool bottomUp = h.biHeight > 0;
  const int stride = StrideBytes(w, bpp);
  Canvas c = CanvasOf(*b);
  const auto* in = static_cast<const BYTE*>(bits);
  int done = 0;
  for (UINT i = 0; i < count; ++i) {
    const int line = static_cast<int>(start + i);
    const int y = bottomUp ? height - 1 - line : line;
    std::uint32_t* row = c.row(y);
    const BYTE* src = in + static_cast<size_t>(i) * stride;
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = 0;
      if (bpp == 32) {
        std::memcpy(&p, src + x * 4, 4);
      } else if (bpp == 24) {
        p = src[x * 3] | (src[x * 3 + 1] << 8) | (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16);
      } else {
        const RGBQUAD& q = info->bmiColors[(src[x / 8] & (0x80 >> (x % 8))) != 0 ? 1 : 0];
        p = q.rgbBlue | (q.rgbGreen << 8) | (static_cast<std::uint32_t>(q.rgbRed) << 16);
      }
      row[x] = b->mono ? (Luma3(p) >= 384 ? 0x00FFFFFFu : 0u) : p;
    }
    ++done;
  }
  return done;
}
}  // namespace win
