// The shell's short notation of a byte count, as the properties windows show a file's size.
#include "platform/shell/file_properties.h"

#include <gtest/gtest.h>

using platform::shell::FormatByteSize;

TEST(ByteSizeText, ThreeSignificantDigitsCutInRussianUnits) {
  EXPECT_EQ(FormatByteSize(0), u"0 байт");
  EXPECT_EQ(FormatByteSize(532), u"532 байт");
  EXPECT_EQ(FormatByteSize(1000), u"0,97 КБ");
  EXPECT_EQ(FormatByteSize(1340), u"1,30 КБ");
  EXPECT_EQ(FormatByteSize(23506), u"22,9 КБ");
  EXPECT_EQ(FormatByteSize(999 * 1024), u"999 КБ");
  EXPECT_EQ(FormatByteSize(2400016), u"2,28 МБ");
  EXPECT_EQ(FormatByteSize(2400000000), u"2,23 ГБ");
  EXPECT_EQ(FormatByteSize(4294967295), u"3,99 ГБ");
  EXPECT_EQ(FormatByteSize(4294967296), u"4,00 ГБ");
  EXPECT_EQ(FormatByteSize(3LL << 40), u"3,00 ТБ");
}
