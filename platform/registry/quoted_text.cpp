#include "platform/registry/quoted_text.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/vb/strings.h"

namespace platform::registry {

namespace {

constexpr std::uint64_t kLongestText = 0x7FFFFFFF;
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

char16_t Folded(char16_t unit) {
  if (unit >= 0x80) return vb::UCaseUnit(unit);
  return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
}

std::uint64_t Load8(const char* p) {
  std::uint64_t x;
  std::memcpy(&x, p, sizeof x);
  return x;
}

// Eight ASCII bytes with their small letters made capitals.
std::uint64_t FoldedEight(std::uint64_t x) {
  const std::uint64_t fromA = x + kOnes * (0x80 - 'a');
  const std::uint64_t pastZ = x + kOnes * (0x80 - 'z' - 1);
  return x - ((fromA & ~pastZ & kHighs) >> 2);
}

// The hash of a name: its units folded to capitals, each written as one to three bytes as UTF-8
// writes a character (a surrogate half on its own), taken eight bytes at a time. A name of plain
// ASCII characters is hashed straight from its bytes, a word at a time.
class NameHasher {
 public:
  void Unit(char16_t unit) {
    unit = Folded(unit);
    if (unit < 0x80) {
      Bytes(unit, 1);
    } else if (unit < 0x800) {
      Bytes((0xC0 | (unit >> 6)) | (0x80 | (unit & 0x3F)) << 8, 2);
    } else {
      Bytes((0xE0 | (unit >> 12)) | (0x80 | ((unit >> 6) & 0x3F)) << 8 | (0x80 | (unit & 0x3F)) << 16, 3);
    }
  }
  // `count` bytes at once, the first in the lowest bits of `bytes` (those above them 0).
  void Bytes(std::uint64_t bytes, unsigned count) {
    if (count == 0) return;
    word_ |= bytes << (8 * count_);
    const unsigned total = count_ + count;
    if (total < 8) {
      count_ = total;
      return;
    }
    Mix(word_);
    word_ = count_ == 0 ? 0 : bytes >> (8 * (8 - count_));
    count_ = total - 8;
  }
  std::uint32_t Value() {
    if (count_ != 0) Mix(word_);
    const std::uint64_t h = (hash_ ^ (length_ * 8 + count_)) * kMultiplier;
    return static_cast<std::uint32_t>(h >> 32);
  }

 private:
  static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  void Mix(std::uint64_t word) {
    hash_ = (hash_ ^ word) * kMultiplier;
    hash_ ^= hash_ >> 29;
    ++length_;
  }

  std::uint64_t hash_ = 0;
  std::uint64_t word_ = 0;
  std::uint64_t length_ = 0;  // words mixed
  unsigned count_ = 0;        // bytes in word_
};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }
bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// The bytes of eight that end a run of plain characters: a quote, a backslash, a control
// character, DEL or a byte of a multi-byte character. The lowest byte marked (its top bit set) is
// the first such; marks above it may be false.
[[gnu::always_inline]] inline std::uint64_t RunEnds(std::uint64_t x) {
  const auto zeros = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  const std::uint64_t below20 = (x - kOnes * 0x20) & ~x & kHighs;
  return (x & kHighs) | below20 | zeros(x ^ (kOnes * '"')) | zeros(x ^ (kOnes * '\\')) | zeros(x ^ (kOnes * 0x7F));
}

// How many plain characters start the eight bytes whose RunEnds are `ends` (not 0).
unsigned PlainBefore(std::uint64_t ends) { return static_cast<unsigned>(__builtin_ctzll(ends)) / 8; }

int HexDigit(char c, bool* capital) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  *capital = false;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// One well-formed UTF-8 character at p (no overlong form, no surrogate, nothing above U+10FFFF),
// before end: its code point, and its length in *n; false when there is none.
bool Utf8Character(const char* p, const char* end, std::uint32_t* c, std::size_t* n) {
  const auto b = static_cast<unsigned char>(*p);
  std::size_t more = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    more = 1;
    *c = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    more = 2;
    *c = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    more = 3;
    *c = b & 0x07;
  } else {
    return false;
  }
  if (static_cast<std::size_t>(end - p) <= more) return false;
  for (std::size_t k = 1; k <= more; ++k) {
    const auto cb = static_cast<unsigned char>(p[k]);
    if ((cb & 0xC0) != 0x80) return false;
    *c = (*c << 6) | (cb & 0x3F);
  }
  if (more == 2 && (*c < 0x800 || (*c >= 0xD800 && *c < 0xE000))) return false;
  if (more == 3 && (*c < 0x10000 || *c > 0x10FFFF)) return false;
  *n = more + 1;
  return true;
}

// The escape at p (after its backslash), before end: its unit, its length in *n, and whether the
// store writes that unit so.
bool Escape(const char* p, const char* end, char16_t last, char16_t* unit, std::size_t* n, bool* canonical) {
  if (p == end) return false;
  *n = 1;
  switch (*p) {
    case '\\': *unit = u'\\'; return true;
    case '"': *unit = u'"'; return true;
    case 'n': *unit = u'\n'; return true;
    case 'r': *unit = u'\r'; return true;
    case 'u': break;
    default: return false;
  }
  if (end - p < 5) return false;
  bool capital = true;
  unsigned value = 0;
  for (int k = 1; k <= 4; ++k) {
    const int d = HexDigit(p[k], &capital);
    if (d < 0) return false;
    value = value * 16 + static_cast<unsigned>(d);
  }
  *n = 5;
  *unit = static_cast<char16_t>(value);
  const bool ownForm = (IsControl(*unit) && *unit != u'\n' && *unit != u'\r') || IsHighSurrogate(*unit) ||
                       (IsLowSurrogate(*unit) && !IsHighSurrogate(last));
  if (!capital || !ownForm) *canonical = false;
  return true;
}

// The units of a quoted form that ScanQuoted accepted, one by one.
class QuotedUnits {
 public:
  explicit QuotedUnits(std::string_view quoted)
      : p_(quoted.data() + 1), end_(quoted.data() + quoted.size() - 1) {}

  bool Next(char16_t* unit) {
    if (low_ != 0) {
      *unit = low_;
      low_ = 0;
      return true;
    }
    if (p_ == end_) return false;
    const auto b = static_cast<unsigned char>(*p_);
    std::size_t n = 1;
    if (b == '\\') {
      bool canonical = true;
      Escape(p_ + 1, end_, 0, unit, &n, &canonical);
      ++n;
    } else if (b < 0x80) {
      *unit = b;
    } else {
      std::uint32_t c = 0;
      Utf8Character(p_, end_, &c, &n);
      if (c >= 0x10000) {
        c -= 0x10000;
        *unit = static_cast<char16_t>(0xD800 + (c >> 10));
        low_ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
      } else {
        *unit = static_cast<char16_t>(c);
      }
    }
    p_ += n;
    return true;
  }

  // Plain ASCII characters in a row, written out at once; the length of the run.
  std::size_t PlainRun(char16_t* out) {
    const char* start = p_;
    while (low_ == 0 && end_ - p_ >= 8 && RunEnds(Load8(p_)) == 0) {
      for (int k = 0; k < 8; ++k) out[k] = static_cast<unsigned char>(p_[k]);
      out += 8;
      p_ += 8;
    }
    return static_cast<std::size_t>(p_ - start);
  }

 private:
  const char* p_;
  const char* end_;
  char16_t low_ = 0;  // the second half of a pair, still to come
};

}  // namespace

bool ValidUtf8(std::string_view s) {
  const char* end = s.data() + s.size();
  for (const char* p = s.data(); p != end;) {
    std::size_t n = 1;
    std::uint32_t c = 0;
    if (static_cast<unsigned char>(*p) >= 0x80 && !Utf8Character(p, end, &c, &n)) return false;
    p += n;
  }
  return true;
}

namespace {

// Out of line, so that the quick path for plain forms in ScanQuoted stays small.
template <bool hashed>
[[gnu::noinline]] bool Scan(std::string_view s, QuotedScan* scan) {
  const char* begin = s.data();
  const char* end = begin + s.size();
  if (s.empty() || *begin != '"') return false;
  const char* p = begin + 1;
  std::uint64_t units = 0;
  NameHasher hash;
  bool canonical = true;
  char16_t last = 0;
  for (;;) {
    // Plain characters, eight at a time while eight are left.
    const char* run = p;
    while (end - p >= 8) {
      const std::uint64_t x = Load8(p);
      const std::uint64_t ends = RunEnds(x);
      const unsigned plain = ends == 0 ? 8 : PlainBefore(ends);
      if constexpr (hashed) {
        hash.Bytes(plain == 8 ? FoldedEight(x) : FoldedEight(x) & ((std::uint64_t{1} << (8 * plain)) - 1), plain);
      }
      p += plain;
      if (plain < 8) break;
    }
    units += static_cast<std::uint64_t>(p - run);
    if (p != run) last = 0;
    if (p == end) return false;
    const auto b = static_cast<unsigned char>(*p);
    if (b == '"') break;
    if (b == '\n') return false;  // a quoted form ends on its own line
    std::size_t n = 1;
    char16_t unit = b;
    if (b == '\\') {
      if (!Escape(p + 1, end, last, &unit, &n, &canonical)) return false;
      ++n;
    } else if (b >= 0x80) {
      std::uint32_t c = 0;
      if (!Utf8Character(p, end, &c, &n)) return false;
      if (c >= 0x10000) {
        c -= 0x10000;
        ++units;
        if constexpr (hashed) hash.Unit(static_cast<char16_t>(0xD800 + (c >> 10)));
        unit = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
      } else {
        unit = static_cast<char16_t>(c);
      }
    } else if (IsControl(unit)) {
      canonical = false;
    }
    if constexpr (hashed) hash.Unit(unit);
    last = unit;
    ++units;
    p += n;
  }
  if (units > kLongestText || p + 1 - begin > 0xFFFFFFFF) return false;
  scan->bytes = static_cast<std::size_t>(p + 1 - begin);
  scan->units = static_cast<std::uint32_t>(units);
  scan->hash = hashed ? hash.Value() : 0;
  scan->canonical = canonical;
  return true;
}

// NameHash of plain characters, from their bytes a word at a time; eight bytes at least can be
// read from the first (more than `bytes` may hold).
[[gnu::always_inline]] inline std::uint32_t PlainNameHash(std::string_view bytes) {
  NameHasher hash;
  const std::size_t whole = bytes.size() / 8 * 8;
  for (std::size_t i = 0; i < whole; i += 8) hash.Bytes(FoldedEight(Load8(bytes.data() + i)), 8);
  if (const unsigned rest = static_cast<unsigned>(bytes.size() - whole)) {
    // The last eight bytes, moved down to the rest of them, or the first eight, cut to them.
    const std::uint64_t x = whole != 0 ? Load8(bytes.data() + bytes.size() - 8) >> (8 * (8 - rest))
                                       : Load8(bytes.data()) & ((std::uint64_t{1} << (8 * rest)) - 1);
    hash.Bytes(FoldedEight(x), rest);
  }
  return hash.Value();
}

// The bytes among the sixteen at p that end a run of plain characters, as RunEnds finds them, one
// bit each, the first byte's lowest: the lowest bit set marks the first such; bits above it may
// be false.
[[gnu::always_inline]] inline std::uint32_t RunEndsOfSixteen(const char* p) {
#if defined(__SSE2__)
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // As signed bytes, those from 0x80 up are negative: they and the control characters are below 0x20.
  const __m128i ends = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\\'))),
      _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(0x7F)), _mm_cmpgt_epi8(_mm_set1_epi8(0x20), x)));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(ends));
#else
  if (const std::uint64_t ends = RunEnds(Load8(p))) return 1u << PlainBefore(ends);
  if (const std::uint64_t ends = RunEnds(Load8(p + 8))) return 1u << (8 + PlainBefore(ends));
  return 0;
#endif
}

// The quoted form of plain characters alone at the start of `s`, the common case, read sixteen
// bytes at a time: where its closing quote is, or null when it holds anything else or ends too
// near the end of `s`.
[[gnu::always_inline]] inline const char* PlainQuotedEnd(std::string_view s) {
  const char* begin = s.data();
  const char* end = begin + s.size();
  for (const char* p = begin + 1; end - p >= 16; p += 16) {
    if (const std::uint32_t ends = RunEndsOfSixteen(p)) {
      p += __builtin_ctz(ends);
      return *p == '"' && static_cast<std::uint64_t>(p - begin - 1) <= kLongestText ? p : nullptr;
    }
  }
  return nullptr;
}

// The scan of a quoted form of plain characters alone, from its closing quote.
[[gnu::always_inline]] inline void PlainScan(const char* begin, const char* quote, bool hashed, QuotedScan* scan) {
  scan->bytes = static_cast<std::size_t>(quote + 1 - begin);
  scan->units = static_cast<std::uint32_t>(quote - begin - 1);
  scan->hash = hashed ? PlainNameHash(std::string_view(begin + 1, scan->units)) : 0;
  scan->canonical = true;
}

#if defined(__SSE2__)
// ScanPlainNameAndText for a line whose name and text end within the 32 bytes at the start of `s`
// (which holds that many), the common case, from one look at them: with SSE2 every byte that ends a
// run of plain characters is marked, so the first four marks are the quotes when the line is one of
// plain characters. *decided is false when the text does not end within them.
[[gnu::always_inline]] inline bool PlainNameAndTextOfThirtyTwo(std::string_view s, QuotedScan* name, QuotedScan* text,
                                                               bool* decided) {
  const char* p = s.data();
  std::uint32_t ends = (RunEndsOfSixteen(p) | RunEndsOfSixteen(p + 16) << 16) & ~1u;  // past the first quote
  const int nameEnd = std::countr_zero(ends);
  ends &= ends - 1;
  const int textStart = std::countr_zero(ends);
  ends &= ends - 1;
  const int textEnd = std::countr_zero(ends);
  *decided = ends != 0;
  if (!*decided || p[nameEnd] != '"' || p[nameEnd + 1] != '=' || textStart != nameEnd + 2 || p[textStart] != '"' ||
      p[textEnd] != '"') {
    return false;
  }
  PlainScan(p, p + nameEnd, true, name);
  PlainScan(p + textStart, p + textEnd, false, text);
  return true;
}
#endif

}  // namespace

bool ScanQuoted(std::string_view s, bool hashed, QuotedScan* scan) {
  if (s.empty() || s[0] != '"') return false;
  if (const char* quote = PlainQuotedEnd(s)) {
    PlainScan(s.data(), quote, hashed, scan);
    return true;
  }
  return hashed ? Scan<true>(s, scan) : Scan<false>(s, scan);
}

bool ScanPlainNameAndText(std::string_view s, QuotedScan* name, QuotedScan* text) {
  if (s.empty() || s[0] != '"') return false;
  const char* nameEnd = PlainQuotedEnd(s);
  const std::size_t equals = nameEnd != nullptr ? static_cast<std::size_t>(nameEnd + 1 - s.data()) : s.size();
  if (equals >= s.size() || s[equals] != '=') return false;
  const std::string_view rest = s.substr(equals + 1);
  const char* textEnd = !rest.empty() && rest[0] == '"' ? PlainQuotedEnd(rest) : nullptr;
  if (textEnd == nullptr) return false;
  PlainScan(s.data(), nameEnd, true, name);
  PlainScan(rest.data(), textEnd, false, text);
  return true;
}

std::size_t ScanPlainLines(std::string_view s, PlainLine* lines, std::size_t room) {
  std::size_t count = 0;
#if defined(__SSE2__)
  for (std::size_t at = 0; count < room && s.size() - at >= 32 && s[at] == '"';) {
    QuotedScan name;
    QuotedScan text;
    bool decided = false;
    if (!PlainNameAndTextOfThirtyTwo(s.substr(at), &name, &text, &decided)) break;
    const std::size_t end = at + name.bytes + 1 + text.bytes;
    if (end == s.size() || s[end] != '\n') break;
    lines[count++] = {static_cast<std::uint32_t>(name.bytes), static_cast<std::uint32_t>(text.bytes), name.hash};
    at = end + 1;
  }
#endif
  return count;
}

void AppendQuoted(std::string& out, std::u16string_view s) {
  out.reserve(out.size() + s.size() + 2);
  out += '"';
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c >= 0x20 && c < 0x7F) {
      if (c == '\\' || c == '"') out += '\\';
      out += static_cast<char>(c);
      continue;
    }
    if (c == u'\n' || c == u'\r') {
      out += c == u'\n' ? "\\n" : "\\r";
      continue;
    }
    if (IsHighSurrogate(static_cast<char16_t>(c)) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    } else if (IsControl(static_cast<char16_t>(c)) || IsHighSurrogate(static_cast<char16_t>(c)) ||
               IsLowSurrogate(static_cast<char16_t>(c))) {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(c >> shift) & 0xF];
      continue;
    }
    if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  out += '"';
}

void Unquote(std::string_view quoted, char16_t* out) {
  QuotedUnits units(quoted);
  for (;;) {
    out += units.PlainRun(out);
    if (!units.Next(out)) return;
    ++out;
  }
}

std::u16string Unquoted(std::string_view quoted) {
  std::u16string text;
  QuotedUnits units(quoted);
  for (char16_t unit; units.Next(&unit);) text += unit;
  return text;
}

std::uint32_t NameHash(std::u16string_view name) {
  NameHasher hash;
  for (char16_t unit : name) hash.Unit(unit);
  return hash.Value();
}

bool SameName(std::string_view quoted, std::u16string_view name) {
  QuotedUnits units(quoted);
  std::size_t i = 0;
  for (char16_t unit; units.Next(&unit); ++i) {
    if (i == name.size() || Folded(unit) != Folded(name[i])) return false;
  }
  return i == name.size();
}

bool SameName(std::string_view quoted, std::string_view other) {
  QuotedUnits a(quoted);
  QuotedUnits b(other);
  for (;;) {
    char16_t x = 0;
    char16_t y = 0;
    const bool more = a.Next(&x);
    if (more != b.Next(&y)) return false;
    if (!more) return true;
    if (Folded(x) != Folded(y)) return false;
  }
}

}  // namespace platform::registry
