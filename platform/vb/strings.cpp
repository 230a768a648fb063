#include "platform/vb/strings.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <QChar>

#include "platform/vb/error.h"

namespace vb {

std::string ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::uint32_t c = 0xFFFD;
    std::size_t n = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b >> 5) == 6) {
      n = 2;
    } else if ((b >> 4) == 14) {
      n = 3;
    } else if ((b >> 3) == 30) {
      n = 4;
    }
    if (n > 1) {
      if (i + n > s.size()) {
        n = 1;
      } else {
        c = b & (0xFF >> (n + 1));
        for (std::size_t k = 1; k < n; ++k) {
          const auto cb = static_cast<unsigned char>(s[i + k]);
          if ((cb >> 6) != 2) {
            c = 0xFFFD;
            n = k;
            break;
          }
          c = (c << 6) | (cb & 0x3F);
        }
      }
    }
    i += n;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u16string Mid(std::u16string_view s, std::int32_t start, std::int32_t length) {
  if (start < 1) Raise(err::kInvalidProcedureCall);
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= s.size()) return {};
  if (length < 0) return std::u16string(s.substr(from));
  return std::u16string(s.substr(from, static_cast<std::size_t>(length)));
}

std::u16string Left(std::u16string_view s, std::int32_t length) {
  if (length < 0) Raise(err::kInvalidProcedureCall);
  return std::u16string(s.substr(0, static_cast<std::size_t>(length)));
}

std::u16string Right(std::u16string_view s, std::int32_t length) {
  if (length < 0) Raise(err::kInvalidProcedureCall);
  const auto n = std::min<std::size_t>(s.size(), static_cast<std::size_t>(length));
  return std::u16string(s.substr(s.size() - n));
}

namespace {
char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 32);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 80);
  return c;
}
char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 32);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 80);
  return c;
}
}  // namespace

char16_t UCaseUnit(char16_t c) { return Upper(c); }

std::u16string UCase(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = Upper(c);
  return out;
}

std::u16string LCase(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = Lower(c);
  return out;
}

std::u16string StrConv(std::u16string_view s, int conversion) {
  if (conversion != vbUpperCase && conversion != vbLowerCase) Raise(err::kInvalidProcedureCall);
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    const bool pair = QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1]);
    if (pair) {
      c = QChar::surrogateToUcs4(s[i], s[i + 1]);
      ++i;
    }
    const char32_t mapped = conversion == vbUpperCase ? QChar::toUpper(c) : QChar::toLower(c);
    if (QChar::requiresSurrogates(mapped)) {
      out += QChar::highSurrogate(mapped);
      out += QChar::lowSurrogate(mapped);
    } else {
      out += static_cast<char16_t>(mapped);
    }
  }
  return out;
}

std::int32_t InStr(std::int32_t start, std::u16string_view s, std::u16string_view find, bool textCompare) {
  if (start < 1) Raise(err::kInvalidProcedureCall);
  if (static_cast<std::size_t>(start) > s.size() + 1) return 0;
  if (find.empty()) return start;
  std::u16string hay, needle;
  if (textCompare) {
    hay = LCase(s);
    needle = LCase(find);
    s = hay;
    find = needle;
  }
  const auto pos = s.find(find, static_cast<std::size_t>(start - 1));
  return pos == std::u16string_view::npos ? 0 : static_cast<std::int32_t>(pos + 1);
}

std::u16string Trim(std::u16string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && s[a] == u' ') ++a;
  while (b > a && s[b - 1] == u' ') --b;
  return std::u16string(s.substr(a, b - a));
}

std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with) {
  if (find.empty()) return std::u16string(s);
  std::u16string out;
  std::size_t pos = 0;
  for (;;) {
    const auto hit = s.find(find, pos);
    if (hit == std::u16string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(with);
    pos = hit + find.size();
  }
  out.append(s.substr(pos));
  return out;
}

namespace {
double RoundHalfEven(double v) {
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(v);
  std::fesetround(mode);
  return r;
}

// Parses a whole text as a number the way the runtime's conversions accept it: optional blanks
// around, a sign, digits with one decimal point, an exponent, or &H/&O prefixes.
bool ParseNumber(std::u16string_view s, double& out) {
  std::string t = ToUtf8(Trim(s));
  while (!t.empty() && (t.back() == '\t' || t.back() == ' ')) t.pop_back();
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  t = t.substr(i);
  if (t.empty()) return false;
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
    const int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
    char* end = nullptr;
    const long long v = std::strtoll(t.c_str() + 2, &end, base);
    if (end == nullptr || *end != '\0') return false;
    out = static_cast<double>(v);
    return true;
  }
  for (char c : t)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  out = std::strtod(t.c_str(), &end);
  return end != nullptr && *end == '\0';
}
}  // namespace

std::int16_t CInt(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(err::kOverflow);
  return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(err::kOverflow);
  return static_cast<std::int32_t>(r);
}

std::int16_t CInt(std::u16string_view s) {
  double v = 0;
  if (!ParseNumber(s, v)) Raise(err::kTypeMismatch);
  return CInt(v);
}

std::int32_t CLng(std::u16string_view s) {
  double v = 0;
  if (!ParseNumber(s, v)) Raise(err::kTypeMismatch);
  return CLng(v);
}

double Val(std::u16string_view s) {
  std::string t;
  for (char16_t c : s) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    if (c > 0x7F) break;
    t += static_cast<char>(c);
  }
  if (t.size() > 1 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
    const int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
    return static_cast<double>(std::strtoll(t.c_str() + 2, nullptr, base));
  }
  // Longest prefix of the form [sign]digits[.digits][(e|d)[sign]digits].
  std::size_t i = 0;
  std::string num;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) num += t[i++];
  bool digits = false;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) { num += t[i++]; digits = true; }
  if (i < t.size() && t[i] == '.') {
    num += t[i++];
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) { num += t[i++]; digits = true; }
  }
  if (!digits) return 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    std::string exp = "e";
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) exp += t[j++];
    bool expDigits = false;
    while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) { exp += t[j++]; expDigits = true; }
    if (expDigits) num += exp;
  }
  return std::strtod(num.c_str(), nullptr);
}

bool IsNumeric(std::u16string_view s) {
  double v = 0;
  return ParseNumber(s, v);
}

std::u16string CStr(std::int64_t v) { return FromUtf8(std::to_string(v)); }

std::u16string CStr(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) return CStr(static_cast<std::int64_t>(v));
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return FromUtf8(buf);
}

}  // namespace vb
