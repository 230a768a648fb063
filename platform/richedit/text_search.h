// Inside the layer only: searching the rich edit control's text (CR LF lines), as Find and Matches
// see it.
#pragma once

#include "platform/layer_only.h"

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/richedit/gap_text.h"

namespace platform::richedit {

// The first match of `what` at or after `from` in `text`, or -1. Letters compare without regard to
// case (folded by Unicode, as the toolkit's own search folds them) unless `matchCase`; with `wholeWord` a match counts only where the
// characters on either side of it (if any) are neither letters nor digits. A match has the length
// of `what`. An empty `what` matches nothing.
std::int32_t FirstMatch(GapText& text, std::u16string_view what, std::int32_t from, bool matchCase, bool wholeWord);

// Every match FirstMatch would give one search after another from `from`, each search going on
// after the previous match, in one pass over the text: `found` hears each, and returns false to stop.
// A text kept at one byte a character is searched in its bytes.
void EachMatch(GapText& text, std::u16string_view what, std::int32_t from, bool matchCase, bool wholeWord,
               const std::function<bool(std::int32_t)>& found);

}  // namespace platform::richedit
