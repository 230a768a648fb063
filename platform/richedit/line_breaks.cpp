#include "platform/richedit/line_breaks.h"

#include "platform/richedit/gap_text.h"

namespace platform::richedit {
namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\u2029'; }

// The line breaks that are not a CR LF pair.
std::size_t LoneBreaks(std::u16string_view s) {
  std::size_t lone = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    else if (IsBreak(s[i])) ++lone;
  }
  return lone;
}

}  // namespace

bool AllBreaksCrLf(std::u16string_view s) { return LoneBreaks(s) == 0; }

std::ptrdiff_t CountBreaks(std::u16string_view s) {
  std::ptrdiff_t n = 0;
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == u'\r' && s[i + 1] == u'\n') ++n;
  return n;
}

void AppendWithCrLf(std::u16string& out, std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (IsBreak(s[i])) {
      out += u"\r\n";
      if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      out.push_back(s[i]);
    }
  }
}

std::u16string WithCrLf(std::u16string_view s) {
  const std::size_t lone = LoneBreaks(s);
  std::u16string out;
  out.reserve(s.size() + lone + GapText::RoomFor(s.size() + lone));
  if (lone == 0) return out.assign(s);
  AppendWithCrLf(out, s);
  return out;
}

std::u16string WithCrLfTaken(std::u16string s) {
  if (AllBreaksCrLf(s)) return s;
  return WithCrLf(s);
}

Stretch Differing(std::u16string_view before, std::u16string_view after, bool leftmost) {
  return DifferingTexts(before, after, leftmost);
}

}  // namespace platform::richedit
