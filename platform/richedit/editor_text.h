// Inside the layer only: the rich edit control's text, as the control gives it (every line break a
// CR LF pair), with the start of every paragraph (line of the text) and each paragraph's indent
// kept beside it. Positions count the CR LF pair as two characters; a position never falls between
// the CR and the LF of a pair.
//
// The text is kept once, at one byte a character while the code page holds it (GapText); a
// paragraph costs its start, and its indent only once some paragraph has one.
#pragma once

#include "platform/layer_only.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/gap_text.h"
#include "platform/richedit/partitions.h"

namespace platform::richedit {

class EditorText {
 public:
  // One change: at `at`, `removed` characters gave way to `inserted` new ones. The change began in
  // paragraph `paragraph`; it took out `removedBreaks` line breaks and put in `insertedBreaks`. The
  // text after the change began `tailOffset` characters into the paragraph that held the change's
  // end (paragraph + removedBreaks, before the change).
  struct Edit {
    std::int32_t at = 0;
    std::int32_t removed = 0;
    std::int32_t inserted = 0;
    std::ptrdiff_t paragraph = 0;
    std::ptrdiff_t removedBreaks = 0;
    std::ptrdiff_t insertedBreaks = 0;
    std::int32_t tailOffset = 0;
  };

  EditorText() { starts_.Reset(2); }
  EditorText(const EditorText&) = delete;
  EditorText& operator=(const EditorText&) = delete;
  EditorText(EditorText&&) = default;
  EditorText& operator=(EditorText&&) = default;

  std::int32_t Length() const { return static_cast<std::int32_t>(chars_.size()); }
  const GapText& Chars() const { return chars_; }
  GapText& Chars() { return chars_; }

  // A new text, its line breaks already all CR LF; every paragraph unindented.
  void Assign(GapText text);
  // The same a stretch at a time (for a large text taken in steps): Begin, Add the stretches in
  // order (line breaks all CR LF, none split between two stretches), and Finish.
  void BeginAssign(std::size_t expectedLength);
  void AddStretch(std::u16string_view crlf);
  void FinishAssign();

  // A change as made, in one place or in several at once: the one edit from the first place's start
  // to the last one's end that it amounts to, the places (positions counted in the text after the
  // change), and the texts they removed, one after another.
  struct Change {
    Edit span;
    std::vector<vb::TextPlace> places;
    std::u16string removed;
  };

  // Replaces `count` characters from `at` with `with`, whose line breaks (CR LF, a lone CR or LF, or
  // the paragraph separator U+2029) all become CR LF. Both ends are clamped to the text and moved
  // out of a CR LF pair. A paragraph split off another takes its indent; joined paragraphs keep the
  // first one's.
  Edit Replace(std::int32_t at, std::int32_t count, std::u16string_view with);
  // The same in several places at once, in one pass over the text: each place (left to right, its
  // position counted in the text as it is) gives its `removed` characters for the next `inserted`
  // characters of `texts`. Each place's ends are clamped and moved out of CR LF pairs as above; a
  // place that then reaches back into the one before it begins at that one's end.
  Change Replace(std::vector<vb::TextPlace> places, std::u16string_view texts);

  std::ptrdiff_t Paragraphs() const { return starts_.Count(); }
  std::int32_t ParagraphStart(std::ptrdiff_t p) const { return starts_.Start(p); }
  // The end of the paragraph's text, before its line break.
  std::int32_t ParagraphEnd(std::ptrdiff_t p) const { return starts_.Start(p + 1) - 2; }
  std::int32_t ParagraphLength(std::ptrdiff_t p) const { return starts_.Length(p) - 2; }
  std::ptrdiff_t ParagraphOf(std::int32_t position) const { return starts_.Find(position); }

  // The paragraph's indent, in pixels; SetIndent gives the paragraphs first..last one.
  double Indent(std::ptrdiff_t p) const { return indents_.empty() ? 0 : indents_[p]; }
  void SetIndent(std::ptrdiff_t first, std::ptrdiff_t last, double pixels);

  // `position` within the text, and before the CR of a pair it would fall inside.
  std::int32_t Snap(std::int32_t position) const;
  // The characters from `at`, at most `count` of them.
  std::u16string Range(std::int32_t at, std::int32_t count) const;
  // The same as a view, valid until the next change or the next use of `scratch`.
  std::u16string_view Piece(std::int32_t at, std::int32_t count, std::u16string& scratch) const {
    return chars_.Piece(static_cast<std::size_t>(at), static_cast<std::size_t>(count), scratch);
  }
  char16_t At(std::int32_t i) const { return chars_[static_cast<std::size_t>(i)]; }

  // The memory the paragraph tables hold, in bytes.
  std::size_t TableBytes() const;

 private:
  // Notes the paragraphs that start in chars_ from `from` on (text being taken).
  void IndexBreaks(std::size_t from);
  // The places made to fit the text: ends clamped, out of CR LF pairs, in order; negative lengths 0.
  void Fit(std::vector<vb::TextPlace>& places, std::size_t texts) const;
  // The paragraph tables follow one edit of chars_: in paragraph `paragraph`, at `at`, `removed`
  // characters holding `removedBreaks` line breaks gave way to `with`. Returns the breaks put in.
  std::ptrdiff_t FollowEdit(std::ptrdiff_t paragraph, std::int32_t at, std::int32_t removed, std::ptrdiff_t removedBreaks,
                            std::u16string_view with);

  GapText chars_;
  Partitions starts_;       // paragraph starts; the end of the text counts a CR LF more, so that
                            // every paragraph ends two before the next one's start
  GapVector<float> indents_;  // one a paragraph, or empty while every paragraph is unindented
  std::int32_t lastStart_ = 0;  // while a text is taken a stretch at a time: the last paragraph's start
};

}  // namespace platform::richedit
