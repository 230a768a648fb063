// Reading and writing the bytes of image list files.
#include "controls/image_list_file.h"

#include <cmath>
#include <cstring>
#include <string>

#include "platform/codepage/codepage.h"
#include "platform/vb/error.h"

namespace controls {
namespace {

constexpr std::uint8_t kKeyEnd = 0xFF;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
  size_t left() const { return data_.size() - pos_; }
  size_t pos() const { return pos_; }
  std::int32_t i32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return static_cast<std::int32_t>(v);
  }
  std::uint16_t u16() {
    const auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::span<const std::uint8_t> bytes(size_t n) {
    auto s = data_.subspan(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  std::span<const std::uint8_t> data_;
  size_t pos_ = 0;
};

void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

ImageListFileError Truncated() { return {vb::err::kInputPastEndOfFile, u"Файл списка изображений обрывается раньше своих данных."}; }
ImageListFileError BadSize() { return {vb::err::kSubscriptOutOfRange, u"Размер данных в файле списка изображений неверен."}; }

// Reads one bitmap block of a record within the record area `area`; false when it does not fit.
bool ReadBlock(Reader& area, bool mask, std::int32_t version, ImageListFileBlock& b) {
  if (area.left() < 24) return false;
  b.type = area.i32();
  b.width = area.i32();
  b.height = area.i32();
  b.widthBytes = area.i32();
  b.planes = area.u16();
  b.bitsPixel = area.u16();
  b.bitsPointer = area.i32();
  if (b.width < 1 || b.height < 1 || b.width > kImageListFileMaxSide || b.height > kImageListFileMaxSide) return false;
  const std::int64_t n = mask ? MaskBlockBytes(b.width, b.height) : ColourBlockBytes(version, b.width, b.height);
  if (n < 0 || static_cast<std::uint64_t>(n) > area.left()) return false;
  const auto bits = area.bytes(static_cast<size_t>(n));
  b.bits.assign(bits.begin(), bits.end());
  return true;
}

}  // namespace

ImageListFileError DamagedRecord() { return {vb::err::kSubscriptOutOfRange, u"Запись изображения в файле списка изображений повреждена."}; }

std::int64_t ColourBlockBytes(std::int32_t version, std::int64_t w, std::int64_t h) {
  return version >= 1 ? w * h * 4 : (3 * w + 3) * h;
}

std::int64_t MaskBlockBytes(std::int64_t w, std::int64_t h) {
  const auto r = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(w + 7) / 8.0));
  return h * 4 * ((r + 3) / 4);
}

ImageListFile ReadImageListFile(std::span<const std::uint8_t> data) {
  ImageListFile file;
  Reader in(data);
  if (in.left() < 4) {
    file.error = Truncated();
    return file;
  }
  std::int32_t size = in.i32();
  if (size == kImageListFileMagic) {
    if (in.left() < 8) {
      file.error = Truncated();
      return file;
    }
    file.version = in.i32();
    size = in.i32();
  }
  if (size <= 0) {
    file.error = BadSize();
    return file;
  }
  if (static_cast<std::uint32_t>(size) > in.left()) {
    file.error = Truncated();
    return file;
  }
  Reader area(in.bytes(static_cast<size_t>(size)));
  // The key text; a file that ends right after the records has none.
  std::span<const std::uint8_t> keyText;
  if (in.left() > 0) {
    if (in.left() < 4) {
      file.error = Truncated();
      return file;
    }
    const std::int32_t length = in.i32();
    if (length < 0) {
      file.error = BadSize();
      return file;
    }
    if (static_cast<std::uint32_t>(length) > in.left()) {
      file.error = Truncated();
      return file;
    }
    keyText = in.bytes(static_cast<size_t>(length));
  }
  while (area.left() > 0) {
    ImageListFileRecord r;
    if (area.left() < 12) {
      file.error = DamagedRecord();
      return file;
    }
    r.iconFlag = area.i32();
    r.hotX = area.i32();
    r.hotY = area.i32();
    if (!ReadBlock(area, false, file.version, r.colour) || !ReadBlock(area, true, file.version, r.mask) ||
        r.mask.width != r.colour.width || r.mask.height != r.colour.height) {
      file.error = DamagedRecord();
      return file;
    }
    file.records.push_back(std::move(r));
  }
  std::string key;  // Windows-1251 bytes
  for (std::uint8_t b : keyText) {
    if (b == kKeyEnd) {
      if (file.keys.size() < file.records.size()) file.keys.push_back(vb::FromWindows1251(key));
      key.clear();
    } else {
      key.push_back(static_cast<char>(b));
    }
  }
  file.keys.resize(file.records.size());
  return file;
}

std::optional<std::vector<std::uint8_t>> WriteImageListFile(const ImageListFile& file, std::u16string* refused) {
  std::vector<std::uint8_t> keyText;
  for (size_t i = 0; i < file.records.size(); ++i) {
    const std::u16string key = i < file.keys.size() ? file.keys[i] : std::u16string();
    bool lossy = false;
    const std::string bytes = vb::ToWindows1251(key, &lossy);
    if (lossy || bytes.find(static_cast<char>(kKeyEnd)) != std::string::npos) {
      if (refused != nullptr) *refused = key;
      return std::nullopt;
    }
    keyText.insert(keyText.end(), bytes.begin(), bytes.end());
    keyText.push_back(kKeyEnd);
  }
  keyText.push_back(kKeyEnd);
  std::vector<std::uint8_t> area;
  for (const ImageListFileRecord& r : file.records) {
    PutI32(area, r.iconFlag);
    PutI32(area, r.hotX);
    PutI32(area, r.hotY);
    for (const ImageListFileBlock* b : {&r.colour, &r.mask}) {
      PutI32(area, b->type);
      PutI32(area, b->width);
      PutI32(area, b->height);
      PutI32(area, b->widthBytes);
      PutU16(area, b->planes);
      PutU16(area, b->bitsPixel);
      PutI32(area, b->bitsPointer);
      area.insert(area.end(), b->bits.begin(), b->bits.end());
    }
  }
  std::vector<std::uint8_t> out;
  PutI32(out, kImageListFileMagic);
  PutI32(out, file.version);
  PutI32(out, static_cast<std::int32_t>(area.size()));
  out.insert(out.end(), area.begin(), area.end());
  PutI32(out, static_cast<std::int32_t>(keyText.size()));
  out.insert(out.end(), keyText.begin(), keyText.end());
  return out;
}

}  // namespace controls
