// The image list file: every image's colour and mask bits with the images' keys, in one binary file
// (little-endian; magic 0x5745E456, version, record area, key text). Reading and writing here work
// on bytes only; clsImageList turns records into icons and back.
//
// The reader trusts nothing in the bytes: every count and size is checked against the data before
// use, and a record that does not fit stops the reading.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace controls {

constexpr std::int32_t kImageListFileMagic = 0x5745E456;
// Larger images are refused by the reader (image lists hold no larger ones).
constexpr std::int32_t kImageListFileMaxSide = 1024;

// A bitmap's record (type, size, bytes per line, planes, bits per pixel, a bits pointer that is 0)
// and its pixels as a bottom-up device-independent bitmap.
struct ImageListFileBlock {
  std::int32_t type = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t widthBytes = 0;
  std::uint16_t planes = 1;
  std::uint16_t bitsPixel = 0;
  std::int32_t bitsPointer = 0;
  std::vector<std::uint8_t> bits;
};

struct ImageListFileRecord {
  std::int32_t iconFlag = 1;  // 1 icon, 0 cursor
  std::int32_t hotX = 0;
  std::int32_t hotY = 0;
  ImageListFileBlock colour;  // 32 bits per pixel from version 1 on, 24 before
  ImageListFileBlock mask;    // 1 bit per pixel, colour table black, white
};

struct ImageListFileError {
  std::int32_t number = 0;  // 9 a size or record that does not fit, 62 a file that ends too soon
  std::u16string description;
};

// The error of an image record that cannot be read or made into an image.
ImageListFileError DamagedRecord();

struct ImageListFile {
  std::int32_t version = 0;
  std::vector<ImageListFileRecord> records;
  // One key per record, in order ("" for none); read back only when every record was read.
  std::vector<std::u16string> keys;
  // Set when the reading stopped; `records` holds those read before.
  std::optional<ImageListFileError> error;
};

// The bytes a block's pixels take in the file: 32-bit colour w * h * 4; 24-bit colour
// (3w + 3) * h; mask h * 4 * ((r + 3) div 4) with r = (w + 7) / 8 rounded half to even.
std::int64_t ColourBlockBytes(std::int32_t version, std::int64_t w, std::int64_t h);
std::int64_t MaskBlockBytes(std::int64_t w, std::int64_t h);

ImageListFile ReadImageListFile(std::span<const std::uint8_t> data);

// The file's bytes. Keys are written in Windows 1251 and ended by the byte 0xFF ("я" in that code
// page); a key that cannot be written so gives no bytes and names the key in `refused`.
std::optional<std::vector<std::uint8_t>> WriteImageListFile(const ImageListFile& file, std::u16string* refused);

}  // namespace controls
