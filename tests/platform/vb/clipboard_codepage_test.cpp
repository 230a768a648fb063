#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/codepage/codepage.h"
#include "platform/vb/clipboard.h"
#include "support.h"

namespace {

// The system's own converter, as the reference for the code page.
std::u16string IconvFrom1251(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* pin = in;
  char* pout = out;
  std::size_t inLeft = 1;
  std::size_t outLeft = sizeof out;
  const std::size_t r = iconv(cd, &pin, &inLeft, &pout, &outLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return {};
  return std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8)));
}

TEST(CodePage1251, MatchesTheSystemsConverterAndRoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string text = vb::FromWindows1251(all);
  ASSERT_EQ(text.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    EXPECT_EQ(std::u16string(1, text[b]), IconvFrom1251(static_cast<unsigned char>(b))) << "byte " << b;
  }
  EXPECT_EQ(text[0x98], u'\u0098');  // undefined in the code page: kept as its own character
  bool lossy = true;
  EXPECT_EQ(vb::ToWindows1251(text, &lossy), all);
  EXPECT_FALSE(lossy);
}

TEST(CodePage1251, UnrepresentableCharactersBecomeQuestionMarks) {
  bool lossy = false;
  EXPECT_EQ(vb::ToWindows1251(u"Ёж ü 中", &lossy), "\xa8\xe6 ? ?");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(vb::ToWindows1251(u"ok"), "ok");
}

TEST(Clipboard, TextRoundTripWithTheDesktopsLineBreaksAndClear) {
  vb::Clipboard.SetText(u"Текст\r\nс переводом\rстроки\n");
  EXPECT_TRUE(vb::Clipboard.GetFormat(vb::vbCFText));
  EXPECT_EQ(qmtest::U8(vb::Clipboard.GetText()), "Текст\nс переводом\nстроки\n");
  EXPECT_EQ(vb::Clipboard.GetText(2), u"");  // a picture format: no text
  vb::Clipboard.Clear();
  EXPECT_FALSE(vb::Clipboard.GetFormat(vb::vbCFText));
  EXPECT_EQ(vb::Clipboard.GetText(), u"");
}

}  // namespace
