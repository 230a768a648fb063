// Inside the layer only: the rich edit control's line breaks. The program sees every line break as
// CR LF; text given to the control may separate its lines with CR LF, a lone CR or LF, or the
// paragraph separator U+2029. These turn a text into the control's form and find the one stretch
// an edit changed.
#pragma once

#include "platform/layer_only.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::richedit {

// True when every line break of `s` is already a CR LF pair.
bool AllBreaksCrLf(std::u16string_view s);
// The text with every line break made CR LF, with room for the first edit.
std::u16string WithCrLf(std::u16string_view s);
// The CR LF pairs of `s`.
std::ptrdiff_t CountBreaks(std::u16string_view s);
// Appends `s` to `out`, every line break made CR LF.
void AppendWithCrLf(std::u16string& out, std::u16string_view s);
// The same for a text the caller gives up: one whose breaks are all CR LF is handed back as it is.
std::u16string WithCrLfTaken(std::u16string s);

// The end of a stretch of at most `most` characters of `text` (`size` long) from `at`: one more,
// where the stretch would end between the CR and the LF of a line break or inside a surrogate pair.
template <typename Text>
std::size_t StretchEnd(const Text& text, std::size_t size, std::size_t at, std::size_t most) {
  std::size_t end = at + most < size ? at + most : size;
  if (end < size && ((text[end - 1] == u'\r' && text[end] == u'\n') || (text[end - 1] >= 0xD800 && text[end - 1] < 0xDC00)))
    ++end;
  return end;
}

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

}  // namespace platform::richedit
