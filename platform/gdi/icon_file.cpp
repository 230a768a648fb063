#include "platform/gdi/icon_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform::gdi {
namespace {

constexpr int kMaxSide = 1024;

std::uint32_t U16(std::span<const std::uint8_t> d, size_t at) { return d[at] | (d[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::int32_t S32(std::span<const std::uint8_t> d, size_t at) { return static_cast<std::int32_t>(U32(d, at)); }

std::uint32_t Map3D(std::uint32_t rgb) {
  switch (rgb & 0xFFFFFF) {
    case 0x808080: return ToPixel(win::GetSysColor(win::COLOR_3DSHADOW));
    case 0xC0C0C0: return ToPixel(win::GetSysColor(win::COLOR_3DFACE));
    case 0xDFDFDF: return ToPixel(win::GetSysColor(win::COLOR_3DLIGHT));
    default: return rgb & 0xFFFFFF;
  }
}

// A device-independent picture: header, colour table and rows, as icons and .bmp files hold them.
struct Dib {
  int width = 0;
  int height = 0;  // of the colour rows
  bool topDown = false;
  std::vector<std::uint32_t> pixels;  // top-down, 0xAARRGGBB (alpha only from 32-bit data)
  size_t end = 0;                     // offset just past the colour rows
};

// Reads a DIB at the start of `d`. rowsHeight is the number of colour rows (icons store twice the
// height in the header, for the mask that follows); pixelsAt, when given, is where the rows start.
std::optional<Dib> ReadDib(std::span<const std::uint8_t> d, bool icon, bool map3D, std::optional<size_t> pixelsAt) {
  if (d.size() < 40) return std::nullopt;
  const std::uint32_t headerSize = U32(d, 0);
  if (headerSize < 40 || headerSize > d.size()) return std::nullopt;
  const std::int32_t width = S32(d, 4);
  std::int32_t height = S32(d, 8);
  const std::uint32_t planes = U16(d, 12);
  const std::uint32_t bpp = U16(d, 14);
  const std::uint32_t compression = U32(d, 16);
  const std::uint32_t colourCount = U32(d, 32);
  if (planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) return std::nullopt;
  if (compression != win::BI_RGB && !(compression == 3 && bpp == 32)) return std::nullopt;
  Dib dib;
  dib.topDown = height < 0 && !icon;
  if (height < 0) {
    if (icon || height == std::numeric_limits<std::int32_t>::min()) return std::nullopt;
    height = -height;
  }
  if (icon) height /= 2;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
  dib.width = width;
  dib.height = height;

  size_t at = headerSize;
  if (compression == 3 && headerSize == 40) at += 12;  // the three colour masks follow the header
  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    const std::uint32_t n = colourCount == 0 ? (1u << bpp) : colourCount;
    if (n > 256) return std::nullopt;
    if (at + static_cast<size_t>(n) * 4 > d.size()) return std::nullopt;
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::uint32_t rgb = U32(d, at + i * 4) & 0xFFFFFF;
      palette.push_back(map3D ? Map3D(rgb) : rgb);
    }
    at += static_cast<size_t>(n) * 4;
  }
  if (pixelsAt) at = *pixelsAt;
  const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  if (at > d.size() || stride * height > d.size() - at) return std::nullopt;
  dib.pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const size_t line = at + stride * row;
    const int y = dib.topDown ? row : height - 1 - row;
    std::uint32_t* out = &dib.pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      std::uint32_t p = 0;
      if (bpp == 32) {
        p = U32(d, line + x * 4);
      } else if (bpp == 24) {
        p = d[line + x * 3] | (d[line + x * 3 + 1] << 8) | (d[line + x * 3 + 2] << 16);
      } else {
        const size_t bit = static_cast<size_t>(x) * bpp;
        const std::uint32_t index = (d[line + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        if (index >= palette.size()) return std::nullopt;
        p = palette[index];
      }
      out[x] = p;
    }
  }
  dib.end = at + stride * height;
  return dib;
}

struct Entry {
  int width;
  int height;
  int bpp;
  std::uint32_t size;
  std::uint32_t offset;
  int hotX;
  int hotY;
};

std::optional<IconImage> ReadEntry(std::span<const std::uint8_t> data, const Entry& e, bool map3D) {
  const auto d = data.subspan(e.offset, e.size);
  IconImage img;
  if (d.size() >= 8 && d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G') {
    // The size is checked before any pixel is decoded.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(d.data()), static_cast<qsizetype>(d.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide) return std::nullopt;
    QImage png = reader.read();
    if (png.isNull() || png.width() > kMaxSide || png.height() > kMaxSide) return std::nullopt;
    png = png.convertToFormat(QImage::Format_ARGB32);
    img.width = png.width();
    img.height = png.height();
    for (int y = 0; y < img.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(png.constScanLine(y));
      for (int x = 0; x < img.width; ++x) {
        img.colour.push_back(row[x]);
        img.mask.push_back((row[x] >> 24) == 0 ? 1 : 0);
      }
    }
    return img;
  }
  auto dib = ReadDib(d, true, map3D, std::nullopt);
  if (!dib) return std::nullopt;
  img.width = dib->width;
  img.height = dib->height;
  img.colour = std::move(dib->pixels);
  img.mask.assign(img.colour.size(), 0);
  const size_t stride = ((static_cast<size_t>(img.width) + 31) / 32) * 4;
  const bool hasMask = dib->end <= d.size() && stride * img.height <= d.size() - dib->end;
  if (hasMask) {
    for (int row = 0; row < img.height; ++row) {
      const size_t line = dib->end + stride * row;
      const int y = img.height - 1 - row;
      for (int x = 0; x < img.width; ++x)
        img.mask[static_cast<size_t>(y) * img.width + x] = (d[line + x / 8] >> (7 - x % 8)) & 1;
    }
  } else if (img.hasAlpha()) {
    // Pictures with their own alpha may leave the mask out: the alpha says what is see-through.
    for (size_t i = 0; i < img.colour.size(); ++i) img.mask[i] = (img.colour[i] >> 24) == 0 ? 1 : 0;
  } else {
    return std::nullopt;
  }
  return img;
}

}  // namespace

std::optional<IconFileImage> ReadIconFile(std::span<const std::uint8_t> data, int cx, int cy, bool map3D) {
  if (data.size() < 6 || U16(data, 0) != 0) return std::nullopt;
  const std::uint32_t type = U16(data, 2);
  const std::uint32_t count = U16(data, 4);
  if ((type != 1 && type != 2) || count == 0 || 6 + static_cast<size_t>(count) * 16 > data.size()) return std::nullopt;
  std::vector<Entry> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    const size_t at = 6 + static_cast<size_t>(i) * 16;
    Entry e{data[at] == 0 ? 256 : data[at], data[at + 1] == 0 ? 256 : data[at + 1], 0, U32(data, at + 8),
            U32(data, at + 12), 0, 0};
    if (type == 1) {
      e.bpp = static_cast<int>(U16(data, at + 6));
    } else {
      e.hotX = static_cast<int>(U16(data, at + 4));
      e.hotY = static_cast<int>(U16(data, at + 6));
    }
    if (e.size == 0 || e.offset > data.size() || e.size > data.size() - e.offset) continue;
    entries.push_back(e);
  }
  const int wantX = cx > 0 ? cx : 32;
  const int wantY = cy > 0 ? cy : 32;
  // Exact size first (most colours), then the nearest size, larger before smaller.
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    const auto key = [&](const Entry& e) {
      const int distance = std::abs(e.width - wantX) + std::abs(e.height - wantY);
      return std::tuple(distance, e.width < wantX ? 1 : 0, -e.bpp);
    };
    return key(a) < key(b);
  });
  for (const Entry& e : entries) {
    auto img = ReadEntry(data, e, map3D);
    if (!img) continue;
    IconFileImage out;
    out.hotX = e.hotX;
    out.hotY = e.hotY;
    if (cx > 0 && cy > 0 && (img->width != cx || img->height != cy)) {
      out.hotX = e.hotX * cx / img->width;
      out.hotY = e.hotY * cy / img->height;
      out.image = img->scaled(cx, cy);
    } else {
      out.image = std::move(*img);
    }
    return out;
  }
  return std::nullopt;
}

std::optional<QImage> ReadBitmapFile(std::span<const std::uint8_t> data, bool map3D) {
  if (data.size() < 14 + 40 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const std::uint32_t bitsAt = U32(data, 10);
  if (bitsAt < 14 || bitsAt > data.size()) return std::nullopt;
  auto dib = ReadDib(data.subspan(14), false, map3D, static_cast<size_t>(bitsAt - 14));
  if (!dib) return std::nullopt;
  QImage out(dib->width, dib->height, QImage::Format_ARGB32);
  if (out.isNull()) return std::nullopt;
  for (int y = 0; y < dib->height; ++y)
    std::copy_n(&dib->pixels[static_cast<size_t>(y) * dib->width], dib->width,
                reinterpret_cast<std::uint32_t*>(out.scanLine(y)));
  return out;
}

}  // namespace platform::gdi
