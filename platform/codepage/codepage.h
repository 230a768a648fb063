// The platform's single-byte code page, Windows-1251, and UTF-16.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// Every byte has a character: 0x98, which the code page leaves undefined, becomes U+0098.
std::u16string FromWindows1251(std::string_view bytes);

// One byte per character. A character the code page cannot hold (a surrogate pair counts as one)
// becomes '?', and *lossy, when given, is set to true; otherwise *lossy is set to false.
std::string ToWindows1251(std::u16string_view text, bool* lossy = nullptr);

// The same for one character or byte, for callers that convert as they go: the character of a byte,
// and the byte of a character or -1 when the code page has none.
char16_t Windows1251Char(unsigned char byte);
int Windows1251Byte(char16_t c);

// The tables behind those, for loops over megabytes: the character of every byte, and the byte of
// every UTF-16 unit (-1 where the code page has none).
const std::array<char16_t, 256>& Windows1251Chars();
const std::array<std::int16_t, 0x10000>& Windows1251Bytes();

}  // namespace vb
