// Inside the layer only: where the caret goes by a character or a word in the rich edit control's
// text. A line break (CR LF) is one step; a character is what the user sees as one (a letter with
// its accents, a surrogate pair). Words are the toolkit's: letters and digits run between spaces
// and punctuation, and a run of punctuation is a word of its own. Only the characters near the
// caret are looked at, however long the paragraph.
#pragma once

#include "platform/layer_only.h"

#include <cstdint>

#include "platform/richedit/editor_text.h"

namespace platform::richedit {

std::int32_t NextCharacter(const EditorText& text, std::int32_t at);
std::int32_t PreviousCharacter(const EditorText& text, std::int32_t at);
// The start of the code point before `at` (what Backspace takes: an accent alone, a surrogate pair
// whole), or the start of the line break before a paragraph's start.
std::int32_t PreviousCodePoint(const EditorText& text, std::int32_t at);
// The start of the next word (after the spaces that end this one), or the next paragraph's start.
std::int32_t NextWord(const EditorText& text, std::int32_t at);
// The start of this word or the one before, or the previous paragraph's end.
std::int32_t PreviousWord(const EditorText& text, std::int32_t at);
// The word under `at`, as a double click selects it: its start and end.
struct Span {
  std::int32_t from;
  std::int32_t to;
};
Span WordAt(const EditorText& text, std::int32_t at);

}  // namespace platform::richedit
