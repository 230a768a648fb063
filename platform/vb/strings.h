// The runtime's string and number helpers on UTF-16 text. Positions are 1-based and count UTF-16
// units, as the runtime's do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

std::string ToUtf8(std::u16string_view s);
std::u16string FromUtf8(std::string_view s);

inline std::int32_t Len(std::u16string_view s) { return static_cast<std::int32_t>(s.size()); }
// Mid(s, start) and Mid(s, start, length); raises 5 for start < 1 or length < 0.
std::u16string Mid(std::u16string_view s, std::int32_t start, std::int32_t length = -1);
std::u16string Left(std::u16string_view s, std::int32_t length);
std::u16string Right(std::u16string_view s, std::int32_t length);
// The 1-based position of `find` in `s` at or after `start`, or 0. An empty `find` gives `start`
// (when start <= Len(s) + 1). textCompare folds case as the runtime's text comparison does.
std::int32_t InStr(std::int32_t start, std::u16string_view s, std::u16string_view find, bool textCompare = false);
inline std::int32_t InStr(std::u16string_view s, std::u16string_view find) { return InStr(1, s, find); }

std::u16string UCase(std::u16string_view s);
// UCase of one unit: every unit maps to one unit, so a text folds one unit at a time.
char16_t UCaseUnit(char16_t c);
std::u16string LCase(std::u16string_view s);
// StrConv's case conversions: every letter of every script to its upper or lower case, one
// character to one (Unicode's simple case mapping), so no character is lost or replaced. Other
// conversions raise 5.
constexpr int vbUpperCase = 1;
constexpr int vbLowerCase = 2;
std::u16string StrConv(std::u16string_view s, int conversion);
std::u16string Trim(std::u16string_view s);
std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with);

// Conversions with banker's rounding; out of range raises 6 (overflow), text that is no number 13.
std::int16_t CInt(double v);
std::int32_t CLng(double v);
std::int16_t CInt(std::u16string_view s);
std::int32_t CLng(std::u16string_view s);
// The number at the start of the text: blanks, tabs and line feeds are skipped anywhere, "&H" and
// "&O" prefixes read hexadecimal and octal; a text without a number gives 0.
double Val(std::u16string_view s);
bool IsNumeric(std::u16string_view s);
std::u16string CStr(std::int64_t v);
std::u16string CStr(double v);

}  // namespace vb
