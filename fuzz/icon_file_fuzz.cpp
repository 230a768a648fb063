// Feeds arbitrary bytes to the icon, cursor and bitmap file readers at several requested sizes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gdi/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const int sizes[][2] = {{16, 16}, {32, 32}, {0, 0}, {24, 20}};
  for (const auto& s : sizes) {
    auto icon = platform::gdi::ReadIconFile(bytes, s[0], s[1], true);
    if (icon && (icon->image.colour.size() != static_cast<size_t>(icon->image.width) * icon->image.height ||
                 icon->image.mask.size() != icon->image.colour.size()))
      __builtin_trap();
  }
  auto bmp = platform::gdi::ReadBitmapFile(bytes, false);
  if (bmp && bmp->isNull()) __builtin_trap();
  return 0;
}
