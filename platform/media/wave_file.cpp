#include "platform/media/wave_file.h"

#include <algorithm>

namespace platform::media {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t U32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::optional<SampleKind> KindOf(std::uint16_t tag, std::uint16_t bits) {
  if (tag == kFormatPcm && bits == 8) return SampleKind::kUnsigned8;
  if (tag == kFormatPcm && bits == 16) return SampleKind::kSigned16;
  if (tag == kFormatPcm && bits == 32) return SampleKind::kSigned32;
  if (tag == kFormatFloat && bits == 32) return SampleKind::kFloat32;
  return std::nullopt;
}

// The "fmt " chunk's body: the format, when it is one a sound card plays.
std::optional<WaveFormat> ReadFormat(std::string_view body) {
  if (body.size() < 16) return std::nullopt;
  std::uint16_t tag = U16(body, 0);
  const std::uint16_t channels = U16(body, 2);
  const std::uint32_t rate = U32(body, 4);
  const std::uint16_t blockAlign = U16(body, 12);
  const std::uint16_t bits = U16(body, 14);
  // The extensible form names the real format in the first two bytes of its sub-format.
  if (tag == kFormatExtensible) tag = body.size() >= 26 ? U16(body, 24) : 0;
  const auto kind = KindOf(tag, bits);
  if (!kind || channels < 1 || channels > 8 || rate < 1000 || rate > 384000) return std::nullopt;
  if (blockAlign != channels * bits / 8) return std::nullopt;
  return WaveFormat{*kind, channels, static_cast<int>(rate), blockAlign};
}

}  // namespace

std::optional<WaveLayout> ReadWaveLayout(std::string_view head, std::uint64_t fileSize) {
  head = head.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), fileSize)));
  if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") return std::nullopt;
  std::optional<WaveFormat> format;
  std::uint64_t at = 12;
  while (at + 8 <= head.size()) {
    const std::string_view id = head.substr(static_cast<std::size_t>(at), 4);
    const std::uint64_t size = U32(head, static_cast<std::size_t>(at + 4));
    const std::uint64_t body = at + 8;
    if (id == "data") {
      // Samples before their format cannot be read.
      if (!format) return std::nullopt;
      const std::uint64_t inFile = fileSize > body ? fileSize - body : 0;
      const std::uint64_t frames = std::min(size, inFile) / static_cast<std::uint64_t>(format->bytesPerFrame);
      if (frames == 0) return std::nullopt;
      return WaveLayout{*format, body, frames * static_cast<std::uint64_t>(format->bytesPerFrame)};
    }
    if (id == "fmt ") {
      if (body + size > head.size()) return std::nullopt;
      format = ReadFormat(head.substr(static_cast<std::size_t>(body), static_cast<std::size_t>(size)));
      if (!format) return std::nullopt;
    }
    at = body + size + (size & 1);  // chunks keep to even offsets
  }
  return std::nullopt;
}

}  // namespace platform::media
