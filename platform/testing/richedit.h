// Floors for benchmarks of the rich edit control: what the toolkit's own editor takes for the same
// work, with none of the control's bookkeeping.
#pragma once

#include <memory>
#include <string>

namespace platform::testing {

// `length` characters of Russian prose in one paragraph (no line break): a sentence again and again.
std::u16string RussianProse(std::size_t length);

// Gives a bare toolkit editor (plain text, no undo, never shown) the text, lines separated by LF,
// as one call. The text is made the toolkit's string before the call, and is not timed by it.
// Returns the milliseconds the call took.
double BareSetPlainTextMilliseconds(const std::u16string& lfText);

// A bare toolkit plain-text editor (no undo), shown at the given size with a text whose lines are
// separated by LF, the caret at its end: the floor of typing into an editor.
class BarePlainTextEditor {
 public:
  BarePlainTextEditor(const std::u16string& lfText, int width, int height);
  ~BarePlainTextEditor();
  BarePlainTextEditor(const BarePlainTextEditor&) = delete;
  BarePlainTextEditor& operator=(const BarePlainTextEditor&) = delete;

  // Types one character, as a key pressed and released, and lets the editor paint.
  void Type(char16_t c);
  std::size_t Length() const;

 private:
  struct Widget;
  std::unique_ptr<Widget> widget_;
};

}  // namespace platform::testing
