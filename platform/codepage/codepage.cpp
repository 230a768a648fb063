#include "platform/codepage/codepage.h"

#include <array>
#include <cstdint>

namespace vb {

namespace {

// Characters of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t ToChar(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return static_cast<char16_t>(0x0410 + (b - 0xC0));
  return kHigh[b - 0x80];
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

char16_t Windows1251Char(unsigned char byte) { return ToChar(byte); }

int Windows1251Byte(char16_t c) { return Windows1251Bytes()[c]; }

const std::array<char16_t, 256>& Windows1251Chars() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 0x100; ++b) t[static_cast<std::size_t>(b)] = ToChar(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

// Documents run to megabytes, so the byte of a character comes from a table over every UTF-16 unit.
const std::array<std::int16_t, 0x10000>& Windows1251Bytes() {
  static const std::array<std::int16_t, 0x10000> table = [] {
    std::array<std::int16_t, 0x10000> t;
    t.fill(-1);
    for (int b = 0; b < 0x100; ++b) t[ToChar(static_cast<unsigned char>(b))] = static_cast<std::int16_t>(b);
    return t;
  }();
  return table;
}

// Both directions write into an output sized once, a table lookup per character: documents run
// to megabytes.
std::u16string FromWindows1251(std::string_view bytes) {
  const std::array<char16_t, 256>& table = Windows1251Chars();
  std::u16string out(bytes.size(), u'\0');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* o = out.data();
  for (std::size_t i = 0; i < bytes.size(); ++i) o[i] = table[in[i]];
  return out;
}

std::string ToWindows1251(std::u16string_view text, bool* lossy) {
  const std::array<std::int16_t, 0x10000>& table = Windows1251Bytes();
  std::string out(text.size(), '\0');
  char* o = out.data();
  std::size_t n = 0;
  bool lost = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int b = table[text[i]];
    if (b >= 0) {
      o[n++] = static_cast<char>(b);
      continue;
    }
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    o[n++] = '?';
    lost = true;
  }
  out.resize(n);
  if (lossy != nullptr) *lossy = lost;
  return out;
}

}  // namespace vb
