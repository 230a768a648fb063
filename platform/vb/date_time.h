// The runtime's date and time: the local time now (Now), and Format's date and time patterns, which
// write "/" and ":" as the system's date and time separators and "mmmm" as the month's name in the
// system's language.
//
// Pattern letters: d dd (day), m mm (month, or minute right after an hour or right before a second),
// mmmm (the month's name), yy yyyy (year), h hh (hour 0 to 23), n nn (minute), s ss (second); "/"
// and ":" are the separators; every other character stands for itself.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vb {

struct DateTime {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

// The local date and time, to the second.
DateTime Now();

// How the system writes dates and times.
struct DateConventions {
  std::u16string dateSeparator = u"/";
  std::u16string timeSeparator = u":";
  // January first, in the form a date with its day uses.
  std::array<std::u16string, 12> monthNames;
};

// The conventions of the system's locale: its short date and time forms' separators ("/" and ":"
// where they have none) and its month names.
DateConventions SystemDateConventions();

std::u16string Format(const DateTime& t, std::u16string_view pattern, const DateConventions& conventions);
// With the system's conventions.
std::u16string Format(const DateTime& t, std::u16string_view pattern);

}  // namespace vb
