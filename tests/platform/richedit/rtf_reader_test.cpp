#include "platform/richedit/rtf_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/vb/strings.h"
#include "support.h"

namespace {

using platform::rtf::ReadError;
using platform::rtf::ReadText;
using qmtest::ReadBytes;
using qmtest::U8;

const std::filesystem::path kData = std::filesystem::path(QM_SOURCE_DIR) / "tests/platform/richedit/data";

// The plain text another program exported for a document: UTF-8 with a byte-order mark, lines
// separated by LF; made comparable with CR LF line breaks.
std::string ExportedText(const std::filesystem::path& p) {
  std::string s = ReadBytes(p);
  if (s.rfind("\xEF\xBB\xBF", 0) == 0) s.erase(0, 3);
  std::string out;
  for (char c : s) {
    if (c == '\n') out += "\r\n";
    else out.push_back(c);
  }
  return out;
}

// Documents written by another program (from Russian texts of ours), and that program's own plain
// text of them.
TEST(RtfReader, ReadsWhatAnotherProgramExportsAsText) {
  int documents = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kData)) {
    if (entry.path().extension() != ".rtf") continue;
    const auto txt = std::filesystem::path(entry.path()).replace_extension(".txt");
    ASSERT_TRUE(std::filesystem::exists(txt)) << txt;
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(U8(ReadText(ReadBytes(entry.path()))), ExportedText(txt));
    ++documents;
  }
  EXPECT_GE(documents, 3);
}

TEST(RtfReader, CodePagesOfHexBytes) {
  // The document's code page, then a font's character set.
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\'b8\\'a8\\'b9}")), "Привет ёЁ№");
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi \\'e9\\'fc\\'80\\'9f}")), "éü€Ÿ");
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi\\ansicpg866 \\'8f\\'e0\\'a8\\'a2\\'a5\\'e2\\'f0}")), "ПриветЁ");
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial CYR;}}"
                        "\\f0\\'e9{\\f1\\'e9}\\'e9}")),
            "éйé");
  // Raw 8-bit bytes are read the same way; a code page without a table of ours reads as 1251.
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}")), "При");
  EXPECT_EQ(U8(ReadText("{\\rtf1\\ansi\\ansicpg1250 \\'cf\\'f0}")), "Пр");
}

TEST(RtfReader, UnicodeAndItsFallbackCount) {
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\u1055?\\u1088?}")), "Пр");
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\uc2\\u1055\\'cf\\'cf\\u-1279 xyz}")), "Пﬁz");
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\uc0\\u1055\\u1088 a}")), "Прa");
  // The fallback ends with its group.
  EXPECT_EQ(U8(ReadText("{\\rtf1 {\\uc3\\u1055}b}")), "Пb");
  // A surrogate pair.
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\u-10179?\\u-8704?}")), "😀");
  // Values no 16-bit unit holds are replaced, never wrapped round (65536 would become a NUL).
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\u65536?\\u-32769?\\u1114111?\\u-2147483648?.}")), "\uFFFD\uFFFD\uFFFD\uFFFD.");
}

TEST(RtfReader, BreaksEscapesAndSymbols) {
  EXPECT_EQ(U8(ReadText("{\\rtf1 a\\par b\\line c\\tab d\r\ne\\\r\nf}")), "a\r\nb\r\nc\tde\r\nf");
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\{x\\}\\\\ \\~\\-\\_}")), "{x}\\ \u00A0\u00AD\u2011");
  EXPECT_EQ(U8(ReadText("{\\rtf1 \\ldblquote a\\rdblquote  \\emdash  \\bullet}")), "“a” — •");
}

// What a reader of the document sees: a stray "\*" ends with its group, hidden text is not there,
// every kind of break starts a line, and list items keep their numbers and bullets.
TEST(RtfReader, TextAsTheDocumentsReadersSeeIt) {
  EXPECT_EQ(U8(ReadText("{\\rtf1 a{\\*}b c\\par d}")), "ab c\r\nd");
  EXPECT_EQ(U8(ReadText("{\\rtf1 a{\\*\\~}b\\par c}")), "a\u00A0b\r\nc");
  EXPECT_EQ(U8(ReadText("{\\rtf1 {\\*\\unknown x}{\\*}y\\par z}")), "y\r\nz");

  EXPECT_EQ(U8(ReadText("{\\rtf1 a{\\v hidden\\par}b \\v x\\v0 c\\v1 y\\plain  d}")), "ab c d");

  EXPECT_EQ(U8(ReadText("{\\rtf1 a\\page b\\column c\\sect d\\par\\page e\\par\\par f}")), "a\r\nb\r\nc\r\nd\r\ne\r\n\r\nf");

  EXPECT_EQ(U8(ReadText("{\\rtf1{\\fonttbl{\\f3\\fcharset2 Symbol;}}{\\pntext\\f3\\'b7\\tab}Item\\par"
                        "{\\listtext\\pard\\plain \\tab}Heading\\par{\\listtext  12.\\tab}Last}")),
            "•\tItem\r\nHeading\r\n12.\tLast");
}

TEST(RtfReader, SkipsDestinationsThatAreNoText) {
  EXPECT_EQ(U8(ReadText("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\generator G;}"
                        "{\\*\\unknown {nested} text}{\\pict\\pngblip 89504e47}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
                        "{\\pict\\bin4 }{}x} text}")),
            "link text");
  EXPECT_EQ(U8(ReadText("{\\rtf1 a}trailing bytes are not the document")), "a");
}

TEST(RtfReader, RefusesWhatItCannotRead) {
  EXPECT_THROW(ReadText(""), ReadError);
  EXPECT_THROW(ReadText("plain text"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 unclosed"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\'zz}"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\'4"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\bin99 ab}"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\u12345678901 x}"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 \\" + std::string(40, 'a') + " x}"), ReadError);
  EXPECT_THROW(ReadText("{\\rtf1 " + std::string(300, '{') + std::string(300, '}') + "}"), ReadError);
  // Within the limit, deep nesting reads.
  EXPECT_EQ(U8(ReadText("{\\rtf1 " + std::string(200, '{') + "x" + std::string(200, '}') + "}")), "x");
}

}  // namespace
