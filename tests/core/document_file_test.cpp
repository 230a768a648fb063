// A document file's bytes as the editor's text and back, against the system's own converter: every
// byte value, at every place of a long file (the decoder and the encoder work in blocks and count
// line breaks sixteen bytes at a time), decodes as iconv says and encodes back to the same bytes.
#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <string>

#include "core/document_file.h"
#include "platform/codepage/codepage.h"

namespace {

// The character iconv gives for each Windows-1251 byte; 0x98, which the code page leaves undefined
// (iconv refuses it), stands as U+0098.
std::array<char16_t, 256> SystemCharacters() {
  std::array<char16_t, 256> chars{};
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    unsigned char out[4] = {};
    char* src = &in;
    char* dst = reinterpret_cast<char*>(out);
    std::size_t srcLeft = 1;
    std::size_t dstLeft = sizeof out;
    const bool converted = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1);
    EXPECT_EQ(converted, b != 0x98) << b;
    chars[static_cast<std::size_t>(b)] = converted ? static_cast<char16_t>(out[0] | out[1] << 8) : u'\u0098';
  }
  iconv_close(cd);
  return chars;
}

// Every byte value again and again, shifted by one more byte each round so that each value meets
// every place of a 16-byte group and of the 4096-byte blocks; a round ends with CR LF.
std::string EveryByteEverywhere() {
  std::string bytes;
  for (int round = 0; bytes.size() < 70000; ++round) {
    bytes.append(static_cast<std::size_t>(round % 17), 'x');
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace

TEST(DocumentFileCodec, EveryByteValueEverywhereDecodesAsTheSystemSaysAndEncodesBackExactly) {
  const std::array<char16_t, 256> system = SystemCharacters();
  const std::string bytes = EveryByteEverywhere();
  // In the editor every line break is CR LF: the lone LF (after 0x09) and the lone CR (before 0x0E)
  // of each round too.
  std::u16string expected;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    expected += b == '\n' || b == '\r' ? std::u16string(u"\r\n") : std::u16string(1, system[b]);
  }
  for (std::size_t at = expected.find(u"\r\n\r\n"); at != std::u16string::npos; at = expected.find(u"\r\n\r\n", at))
    expected.erase(at, 2);  // the round's own CR LF was counted twice above
  expected.erase(expected.size() - 2);  // the final line break is not shown

  const modDocument::DecodedFile file = modDocument::DecodeFile(bytes);
  ASSERT_EQ(file.text.size(), expected.size());
  EXPECT_EQ(file.text, expected);
  bool lossy = true;
  EXPECT_EQ(modDocument::EncodeFile(file.text, file.tags, file.layout, &lossy), bytes);
  EXPECT_FALSE(lossy);

  // The plain conversions that LoadFile and SaveFile use: a character per byte, line breaks as
  // they are.
  std::u16string plain;
  for (const char c : bytes) plain += system[static_cast<unsigned char>(c)];
  EXPECT_EQ(vb::FromWindows1251(bytes), plain);
  EXPECT_EQ(vb::ToWindows1251(plain, &lossy), bytes);
  EXPECT_FALSE(lossy);
}
