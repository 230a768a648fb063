#include "platform/vb/strings.h"

#include <gtest/gtest.h>

#include "platform/vb/app.h"
#include "platform/vb/error.h"

using namespace vb;

namespace {
std::int32_t Raised(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.Number;
  }
  return 0;
}
}  // namespace

TEST(RuntimeStrings, PositionsAreOneBasedUtf16Units) {
  EXPECT_EQ(Mid(u"Привет", 2, 3), u"рив");
  EXPECT_EQ(Mid(u"abc", 3), u"c");
  EXPECT_EQ(Mid(u"abc", 9), u"");
  EXPECT_EQ(Raised([] { Mid(u"abc", 0); }), 5);
  EXPECT_EQ(InStr(u"MENU:FILE:NEW", u":"), 5);
  EXPECT_EQ(InStr(6, u"MENU:FILE:NEW", u":"), 10);
  EXPECT_EQ(InStr(u"abc", u"z"), 0);
  EXPECT_EQ(InStr(2, u"abc", u""), 2);
  EXPECT_EQ(InStr(1, u"ПРИВЕТ мир", u"привет", true), 1);
  EXPECT_EQ(Left(u"abc", 5), u"abc");
  EXPECT_EQ(Right(u"abc", 2), u"bc");
  EXPECT_EQ(UCase(u"ёжик Hello"), u"ЁЖИК HELLO");
  EXPECT_EQ(LCase(u"ЁЖИК HELLO"), u"ёжик hello");
  EXPECT_EQ(Replace(u"a-b-c", u"-", u"::"), u"a::b::c");
}

TEST(RuntimeStrings, Utf8RoundTripKeepsEveryPlane) {
  const std::u16string s = u"Ш \u0098 😀 z";
  EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
  EXPECT_EQ(FromUtf8("\xff"), u"\uFFFD");
}

TEST(RuntimeNumbers, ConversionsRoundHalfToEvenAndReportOverflowAndTypeErrors) {
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CLng(0.5), 0);
  EXPECT_EQ(CLng(u" 25 "), 25);
  EXPECT_EQ(CInt(u"&HFF"), 255);
  EXPECT_EQ(Raised([] { CInt(40000.0); }), 6);
  EXPECT_EQ(Raised([] { CLng(u"12abc"); }), 13);
  EXPECT_EQ(Raised([] { CLng(u""); }), 13);
}

TEST(RuntimeNumbers, ValReadsTheLeadingNumberAndIsNumericTheWholeText) {
  EXPECT_DOUBLE_EQ(Val(u"  12 34abc"), 1234);
  EXPECT_DOUBLE_EQ(Val(u"-3.5e2x"), -350);
  EXPECT_DOUBLE_EQ(Val(u"&H1F"), 31);
  EXPECT_DOUBLE_EQ(Val(u"abc"), 0);
  EXPECT_DOUBLE_EQ(Val(u".5"), 0.5);
  EXPECT_TRUE(IsNumeric(u" 12.5 "));
  EXPECT_FALSE(IsNumeric(u"12a"));
  EXPECT_FALSE(IsNumeric(u""));
  EXPECT_EQ(CStr(static_cast<std::int64_t>(-7)), u"-7");
}

TEST(RuntimeErrors, RuntimeNumbersGetTheirTextAndComponentsTheirSource) {
  try {
    Raise(53);
  } catch (const Error& e) {
    EXPECT_EQ(e.Description, u"Файл не найден");
    EXPECT_TRUE(e.Source.empty());
  }
  EXPECT_EQ(ErrorSource(u"cTabCtrl"), App.EXEName() + u".cTabCtrl");
  EXPECT_EQ(App.EXEName(), u"test_platform");
}
