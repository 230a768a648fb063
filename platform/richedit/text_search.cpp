#include "platform/richedit/text_search.h"

#include <QChar>
#include <QStringView>
#include <algorithm>
#include <string>

namespace platform::richedit {

void EachMatch(GapText& text, std::u16string_view what, std::int32_t from, bool matchCase, bool wholeWord,
               const std::function<bool(std::int32_t)>& found) {
  from = std::max(from, 0);
  if (what.empty() || static_cast<std::size_t>(from) > text.size()) return;
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const QStringView needle(what.data(), static_cast<qsizetype>(what.size()));
  const std::size_t total = text.size();
  const auto isWordChar = [&](std::size_t i) { return QChar(text[i]).isLetterOrNumber(); };
  // A text kept as UTF-16 is searched whole; one kept at a byte a character a window at a time,
  // from `from` on, each window twice as long as the one before (up to a limit), and overlapping
  // the next by the length of `what` less one, so that a match lies whole within the window it
  // starts in. A search after a match goes on from the match's end.
  std::size_t window = 64;
  std::size_t resume = static_cast<std::size_t>(from);
  std::u16string scratch;
  for (std::size_t w = resume; w < total;) {
    std::u16string_view piece;
    if (text.Narrow()) {
      piece = text.Piece(w, window + what.size() - 1, scratch);
      window = std::min<std::size_t>(window * 2, std::size_t{1} << 16);
    } else {
      piece = std::u16string_view(text.Whole()).substr(w);
    }
    const QStringView hay(piece.data(), static_cast<qsizetype>(piece.size()));
    // Matches starting before `next` belong to this window, later ones to the next.
    const std::size_t next = w + piece.size() == total ? total : w + piece.size() - (what.size() - 1);
    const auto start = static_cast<qsizetype>(resume > w ? resume - w : 0);
    for (qsizetype at = hay.indexOf(needle, start, cs);
         at >= 0 && w + static_cast<std::size_t>(at) < next; at = hay.indexOf(needle, at + 1, cs)) {
      const std::size_t match = w + static_cast<std::size_t>(at);
      const std::size_t after = match + what.size();
      if (wholeWord && ((match > 0 && isWordChar(match - 1)) || (after < total && isWordChar(after)))) continue;
      if (!found(static_cast<std::int32_t>(match))) return;
      resume = after;
      at = static_cast<qsizetype>(after - w) - 1;
    }
    w = std::max(next, resume);
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
