// Feeds arbitrary bytes to the image list file reader. Whatever it accepts must write back and read
// again to the same records and keys.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "controls/image_list_file.h"

namespace {

bool Same(const controls::ImageListFileBlock& a, const controls::ImageListFileBlock& b) {
  return a.type == b.type && a.width == b.width && a.height == b.height && a.widthBytes == b.widthBytes &&
         a.planes == b.planes && a.bitsPixel == b.bitsPixel && a.bitsPointer == b.bitsPointer && a.bits == b.bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const controls::ImageListFile file = controls::ReadImageListFile(std::span<const std::uint8_t>(data, size));
  if (file.error || file.records.empty()) return 0;
  const auto bytes = controls::WriteImageListFile(file, nullptr);
  if (!bytes) std::abort();  // keys read from a file can always be written again
  const controls::ImageListFile again = controls::ReadImageListFile(*bytes);
  if (again.error || again.version != file.version || again.keys != file.keys ||
      again.records.size() != file.records.size())
    std::abort();
  for (std::size_t i = 0; i < file.records.size(); ++i) {
    const auto& a = file.records[i];
    const auto& b = again.records[i];
    if (a.iconFlag != b.iconFlag || a.hotX != b.hotX || a.hotY != b.hotY || !Same(a.colour, b.colour) ||
        !Same(a.mask, b.mask))
      std::abort();
  }
  return 0;
}
