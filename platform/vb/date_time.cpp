#include "platform/vb/date_time.h"

#include <QDateTime>
#include <QLocale>

namespace vb {
namespace {

std::u16string Digits(int value, int width) {
  std::u16string s;
  for (unsigned v = static_cast<unsigned>(value < 0 ? -value : value); v > 0 || s.empty(); v /= 10) {
    s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return value < 0 ? u"-" + s : s;
}

// The first separator of a Qt date or time form: a character that is no field letter, no quote and
// no blank.
std::u16string SeparatorOf(const QString& form, const char16_t* fallback) {
  for (QChar c : form) {
    if (!c.isLetter() && !c.isSpace() && c != u'\'') return std::u16string(1, c.unicode());
  }
  return fallback;
}

// The length of the run of `letter` at `i`.
std::size_t RunAt(std::u16string_view p, std::size_t i) {
  std::size_t n = 0;
  while (i + n < p.size() && p[i + n] == p[i]) ++n;
  return n;
}

bool IsFieldLetter(char16_t c) {
  return c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's';
}

// Whether the next field after position `i` (separators and other characters skipped) is seconds.
bool SecondsFollow(std::u16string_view p, std::size_t i) {
  for (; i < p.size(); ++i) {
    if (IsFieldLetter(p[i])) return p[i] == u's';
  }
  return false;
}

}  // namespace

DateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return DateTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

DateConventions SystemDateConventions() {
  const QLocale locale = QLocale::system();
  DateConventions c;
  c.dateSeparator = SeparatorOf(locale.dateFormat(QLocale::ShortFormat), u"/");
  c.timeSeparator = SeparatorOf(locale.timeFormat(QLocale::ShortFormat), u":");
  for (int m = 1; m <= 12; ++m) c.monthNames[static_cast<std::size_t>(m - 1)] = locale.monthName(m).toStdU16String();
  return c;
}

std::u16string Format(const DateTime& t, std::u16string_view p, const DateConventions& c) {
  std::u16string out;
  char16_t lastField = 0;  // the letter of the last field written
  for (std::size_t i = 0; i < p.size();) {
    const char16_t ch = p[i];
    const std::size_t run = RunAt(p, i);
    std::size_t used = run;
    switch (ch) {
      case u'/': out += c.dateSeparator; used = 1; break;
      case u':': out += c.timeSeparator; used = 1; break;
      case u'd': used = run >= 2 ? 2 : 1; out += Digits(t.Day, static_cast<int>(used)); break;
      case u'y':
        if (run >= 4) {
          used = 4;
          out += Digits(t.Year, 4);
        } else {
          used = run >= 2 ? 2 : 1;
          out += Digits(t.Year % 100, 2);
        }
        break;
      case u'h': used = run >= 2 ? 2 : 1; out += Digits(t.Hour, static_cast<int>(used)); break;
      case u'n': used = run >= 2 ? 2 : 1; out += Digits(t.Minute, static_cast<int>(used)); break;
      case u's': used = run >= 2 ? 2 : 1; out += Digits(t.Second, static_cast<int>(used)); break;
      case u'm':
        if (run >= 4) {
          used = 4;
          const int m = t.Month >= 1 && t.Month <= 12 ? t.Month : 1;
          out += c.monthNames[static_cast<std::size_t>(m - 1)];
        } else {
          used = run >= 2 ? 2 : 1;
          const bool minute = lastField == u'h' || SecondsFollow(p, i + used);
          out += Digits(minute ? t.Minute : t.Month, static_cast<int>(used));
        }
        break;
      default: out += ch; used = 1; break;
    }
    if (IsFieldLetter(ch)) lastField = ch;
    i += used;
  }
  return out;
}

std::u16string Format(const DateTime& t, std::u16string_view pattern) {
  return Format(t, pattern, SystemDateConventions());
}

}  // namespace vb
