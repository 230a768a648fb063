#include "platform/richedit/text_search.h"

#include <QChar>
#include <QStringView>
#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "platform/codepage/codepage.h"

namespace platform::richedit {
namespace {

constexpr std::size_t kStop = std::numeric_limits<std::size_t>::max();

// A character as a search compares it: folded, as the toolkit folds, for a search that ignores case.
char16_t Key(char16_t c, bool matchCase) { return matchCase ? c : QChar::toCaseFolded(c); }

// Every place from `from` on where `what` stands in a text kept as UTF-16, found by the toolkit:
// `take` hears each and says where the search goes on (kStop to stop).
template <typename Take>
void EachWidePlace(GapText& text, std::u16string_view what, std::size_t from, bool matchCase, Take take) {
  const std::u16string& whole = text.Whole();
  const QStringView hay(whole.data(), static_cast<qsizetype>(whole.size()));
  const QStringView needle(what.data(), static_cast<qsizetype>(what.size()));
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  while (from < whole.size()) {
    const qsizetype at = hay.indexOf(needle, static_cast<qsizetype>(from), cs);
    if (at < 0) return;
    from = take(static_cast<std::size_t>(at));
  }
}

// The same in a text kept at one byte a character, searched byte by byte where it lies: each byte
// stands for its character as the search compares it, so no stretch is turned into UTF-16.
template <typename Take>
void EachNarrowPlace(const GapText& text, std::u16string_view what, std::size_t from, bool matchCase, Take take) {
  const std::size_t n = what.size();
  if (n > text.size()) return;
  std::array<char16_t, 256> keys{};
  const std::array<char16_t, 256>& chars = vb::Windows1251Chars();
  for (std::size_t b = 0; b < keys.size(); ++b) keys[b] = Key(chars[b], matchCase);
  std::u16string wanted(what);
  for (char16_t& c : wanted) c = Key(c, matchCase);
  const GapText::Bytes bytes = text.NarrowBytes();
  const std::size_t split = bytes.before.size();
  const auto keyAt = [&](std::size_t i) {
    return keys[static_cast<unsigned char>(i < split ? bytes.before[i] : bytes.after[i - split])];
  };
  const auto standsAt = [&](std::size_t at) {
    for (std::size_t k = 1; k < n; ++k)
      if (keyAt(at + k) != wanted[k]) return false;
    return true;
  };
  // The first characters are sought straight through the bytes before the gap, then through those
  // after it; the rest of a candidate is compared wherever it lies.
  const std::size_t last = text.size() - n;
  for (std::size_t at = from; at <= last;) {
    const bool before = at < split;
    const std::size_t base = before ? 0 : split;
    const auto* p = reinterpret_cast<const unsigned char*>(before ? bytes.before.data() : bytes.after.data());
    const std::size_t end = std::min(before ? split : text.size(), last + 1);
    while (at < end && keys[p[at - base]] != wanted[0]) ++at;
    if (at < end) at = standsAt(at) ? take(at) : at + 1;
  }
}

}  // namespace

void EachMatch(GapText& text, std::u16string_view what, std::int32_t from, bool matchCase, bool wholeWord,
               const std::function<bool(std::int32_t)>& found) {
  const std::size_t total = text.size();
  const auto start = static_cast<std::size_t>(std::max(from, 0));
  if (what.empty() || start > total) return;
  const auto isWordChar = [&](std::size_t i) { return QChar(text[i]).isLetterOrNumber(); };
  // A place where `what` stands is a match unless whole words are asked for and a neighbour is a
  // letter or digit; the search after a match goes on from its end.
  const auto take = [&](std::size_t at) {
    const std::size_t after = at + what.size();
    if (wholeWord && ((at > 0 && isWordChar(at - 1)) || (after < total && isWordChar(after)))) return at + 1;
    return found(static_cast<std::int32_t>(at)) ? after : kStop;
  };
  if (text.Narrow()) {
    EachNarrowPlace(text, what, start, matchCase, take);
  } else {
    EachWidePlace(text, what, start, matchCase, take);
  }
}

std::int32_t FirstMatch(GapText& text, std::u16string_view what, std::int32_t from, bool matchCase, bool wholeWord) {
  std::int32_t first = -1;
  EachMatch(text, what, from, matchCase, wholeWord, [&](std::int32_t at) {
    first = at;
    return false;
  });
  return first;
}

}  // namespace platform::richedit
