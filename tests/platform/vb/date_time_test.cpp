// Format's date and time patterns: minutes against months, padding, the year's two forms, and the
// separators and month names of the conventions given.
#include <gtest/gtest.h>

#include "platform/vb/date_time.h"

namespace {

vb::DateConventions Dotted() {
  vb::DateConventions c;
  c.dateSeparator = u".";
  c.timeSeparator = u"-";
  for (int m = 0; m < 12; ++m) c.monthNames[static_cast<std::size_t>(m)] = u"M" + std::u16string(1, static_cast<char16_t>(u'a' + m));
  return c;
}

TEST(DateFormat, MinutesFollowAnHourOrPrecedeSecondsElseMonths) {
  const vb::DateTime t{2007, 4, 9, 8, 5, 6};
  const vb::DateConventions c = Dotted();
  EXPECT_EQ(vb::Format(t, u"hh:mm", c), u"08-05");
  EXPECT_EQ(vb::Format(t, u"mm:ss", c), u"05-06");
  EXPECT_EQ(vb::Format(t, u"dd/mm/yy", c), u"09.04.07");
  EXPECT_EQ(vb::Format(t, u"hh:mm dd/mm", c), u"08-05 09.04");
  EXPECT_EQ(vb::Format(t, u"d/m/yyyy h:n:s", c), u"9.4.2007 8-5-6");
  EXPECT_EQ(vb::Format(t, u"dd mmmm yyyy", c), u"09 Md 2007");
  // Letters that are no field, and a blank, stand for themselves.
  EXPECT_EQ(vb::Format(t, u"yyyy г.", c), u"2007 г.");
}

TEST(DateFormat, YearsAndHoursKeepTheirWidth) {
  const vb::DateConventions c = Dotted();
  EXPECT_EQ(vb::Format({905, 12, 31, 23, 59, 59}, u"yyyy yy hh", c), u"0905 05 23");
  EXPECT_EQ(vb::Format({2000, 1, 1, 0, 0, 0}, u"yy hh:mm:ss mmmm", c), u"00 00-00-00 Ma");
}

TEST(DateFormat, TheSystemGivesSeparatorsAndTwelveNames) {
  const vb::DateConventions c = vb::SystemDateConventions();
  EXPECT_EQ(c.dateSeparator.size(), 1u);
  EXPECT_EQ(c.timeSeparator.size(), 1u);
  for (const std::u16string& name : c.monthNames) EXPECT_FALSE(name.empty());
  const vb::DateTime now = vb::Now();
  EXPECT_GE(now.Month, 1);
  EXPECT_LE(now.Month, 12);
}

}  // namespace
