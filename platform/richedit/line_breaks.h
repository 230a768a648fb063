// Inside the layer only: the rich edit control's line breaks. The program sees every line break as
// CR LF; the toolkit's document separates lines with one character. These convert between the two
// and find the one stretch an edit changed.
#pragma once

#include <QString>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::richedit {

// Text as the document takes it: lines separated by '\n', whatever the separators were.
QString ToDocumentText(std::u16string_view s);
// The document's raw text (paragraph separators between blocks) with CR LF between lines.
std::u16string FromDocumentText(const QString& raw);
// The text with every line break made CR LF, with room for the first edit.
std::u16string WithCrLf(std::u16string_view s);
// The same for a text the caller gives up: one whose breaks are all CR LF is handed back as it is.
std::u16string WithCrLfTaken(std::u16string s);
// The CR LF pairs of a text.
std::int32_t CountLineBreaks(std::u16string_view s);

// The one stretch where `before` and `after` differ: they share `prefix` characters before it and
// `suffix` after it. Of the equally good answers (a letter typed next to the same letter) the one
// furthest left is taken when `leftmost`, else the furthest right.
struct Stretch {
  std::size_t prefix;
  std::size_t suffix;
};
Stretch Differing(std::u16string_view before, std::u16string_view after, bool leftmost);

// The same for any two texts that give their size() and characters by index.
template <typename Before, typename After>
Stretch DifferingTexts(const Before& before, const After& after, bool leftmost) {
  const std::size_t shortest = before.size() < after.size() ? before.size() : after.size();
  std::size_t prefix = 0;
  while (prefix < shortest && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shortest - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  if (leftmost) {
    while (prefix > 0 && before[prefix - 1] == before[before.size() - suffix - 1] &&
           after[prefix - 1] == after[after.size() - suffix - 1]) {
      --prefix;
      ++suffix;
    }
  }
  return {prefix, suffix};
}

// The document's position of the control position `p`, clamped to the text (`total` characters with
// CR LF breaks). A position inside a CR LF pair falls at the end of its line.
int ToDocumentPosition(const QTextDocument& document, std::int32_t p, std::int32_t total);

}  // namespace platform::richedit
