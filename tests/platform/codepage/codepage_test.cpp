#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "platform/codepage/codepage.h"

namespace {

// The system's own converter, from one encoding to another; nullopt when it refuses the input.
std::optional<std::string> Iconv(const char* to, const char* from, std::string in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(16, '\0');
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

std::string Utf16Le(char16_t c) { return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)}; }

}  // namespace

TEST(Windows1251, EveryByteMatchesTheSystemConverterAnd0x98IsKeptAsU0098) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::u16string text = vb::FromWindows1251(byte);
    ASSERT_EQ(text.size(), 1u) << b;
    if (b == 0x98) {
      EXPECT_EQ(text[0], u'\u0098');
    } else {
      const auto expected = Iconv("UTF-16LE", "CP1251", byte);
      ASSERT_TRUE(expected.has_value()) << b;
      EXPECT_EQ(Utf16Le(text[0]), *expected) << "byte " << b;
    }
    bool lossy = true;
    EXPECT_EQ(vb::ToWindows1251(text, &lossy), byte) << b;
    EXPECT_FALSE(lossy);
  }
}

TEST(Windows1251, CharactersTheCodePageLacksBecomeOneQuestionMarkEach) {
  // Every UTF-16 unit outside the surrogates: the code page holds it exactly when the system's
  // converter can write it (U+0098 aside, which the system leaves out).
  for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    const std::u16string text(1, static_cast<char16_t>(c));
    bool lossy = false;
    const std::string bytes = vb::ToWindows1251(text, &lossy);
    const auto system = c == 0x98 ? std::optional<std::string>("\x98") : Iconv("CP1251", "UTF-16LE", Utf16Le(text[0]));
    if (system.has_value()) {
      EXPECT_EQ(bytes, *system) << std::hex << static_cast<unsigned>(c);
      EXPECT_FALSE(lossy);
    } else {
      EXPECT_EQ(bytes, "?") << std::hex << static_cast<unsigned>(c);
      EXPECT_TRUE(lossy);
    }
  }
  bool lossy = false;
  EXPECT_EQ(vb::ToWindows1251(u"Я\U0001F600я\xD800", &lossy), "\xDF?\xFF?");  // a pair is one character
  EXPECT_TRUE(lossy);
  EXPECT_EQ(vb::ToWindows1251(u"Ёлка", &lossy), "\xA8\xEB\xEA\xE0");
  EXPECT_FALSE(lossy);
}
