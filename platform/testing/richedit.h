// Floors for benchmarks of the rich edit control: what the toolkit's own editor takes for the same
// work, with none of the control's bookkeeping.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform::testing {

// `length` characters of Russian prose in one paragraph (no line break): a sentence again and again.
std::u16string RussianProse(std::size_t length);

// A bare toolkit text document (no view, with undo) holding a text whose lines are separated by LF:
// the floor of Replace All is the toolkit's own find and insert of every match, in one edit block
// (one undo step).
class BareTextDocument {
 public:
  explicit BareTextDocument(const std::u16string& lfText);
  ~BareTextDocument();
  BareTextDocument(const BareTextDocument&) = delete;
  BareTextDocument& operator=(const BareTextDocument&) = delete;

  // Replaces every match of `what` (case ignored) by `with`, each search going on after the last
  // replacement, in one edit block. Returns the replacements made; `milliseconds` gets the time the
  // searches and inserts took.
  std::int64_t ReplaceAll(const std::u16string& what, const std::u16string& with, double& milliseconds);
  // Takes the last edit block back.
  void Undo();
  std::size_t Length() const;

 private:
  struct Document;
  std::unique_ptr<Document> document_;
};

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
