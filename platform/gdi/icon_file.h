// Inside the drawing layer only: readers of the icon, cursor and bitmap file formats. They trust
// nothing in the bytes: every count, size and offset is checked against the data before use.
#pragma once

#include "platform/layer_only.h"

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/objects.h"

namespace platform::gdi {

struct IconFileImage {
  IconImage image;
  int hotX = 0;
  int hotY = 0;
};

// The picture of an .ico or .cur file that best fits cx x cy (exact size with most colours, else the
// nearest size, larger ones first), scaled to that size when cx and cy are not 0. map3D replaces the
// classic greys of colour tables by the 3-D system colours.
std::optional<IconFileImage> ReadIconFile(std::span<const std::uint8_t> data, int cx, int cy, bool map3D);

// A .bmp file as a top-down 32-bit picture (the fourth byte as stored for 32-bit files, else 0).
std::optional<QImage> ReadBitmapFile(std::span<const std::uint8_t> data, bool map3D);

}  // namespace platform::gdi
