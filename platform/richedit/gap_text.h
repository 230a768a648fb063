// A text kept with a movable gap at the place of the last edit, so a run of edits near one place
// costs what the edits hold, not what the whole text holds. The whole text is handed out as one
// string on demand; a stretch of it as a copy or a view.
//
// While every character of the text has a Windows-1251 byte (as a document read from a file has),
// the text is kept at one byte a character, half what UTF-16 takes; the first character the code
// page lacks turns it to UTF-16 for good. The whole text as one UTF-16 string is then built when
// asked for and kept until the next change.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/richedit/text_change.h"

namespace platform::richedit {

class GapText {
 public:
  std::size_t size() const { return narrow_ ? bytes_.size() : wide_.size(); }
  char16_t operator[](std::size_t i) const { return narrow_ ? CharOf(bytes_[i]) : wide_[i]; }

  void Assign(std::u16string text);
  // Room for a text of `length` characters, so that appending up to that length moves nothing.
  void Reserve(std::size_t length);
  // Room for a gap that a text of `length` characters will get at its first edit, so that the
  // first edit of a large text does not move it to new memory.
  static std::size_t RoomFor(std::size_t length);
  // Replaces `count` characters from `at` (both within the text) with `with`.
  void Replace(std::size_t at, std::size_t count, std::u16string_view with);
  // Replaces several stretches in one pass over the text: each place (left to right, apart, within
  // the text, its position counted in the text as it is) gives its `removed` characters for the next
  // `inserted` characters of `texts`. What the places removed is appended to `removed`, one after
  // another. The text moves once, however many places there are.
  void Replace(const std::vector<vb::TextPlace>& places, std::u16string_view texts, std::u16string& removed);
  // The characters from `at` on, at most `count`.
  std::u16string Range(std::size_t at, std::size_t count) const;
  // The same as a view: into the text itself where it lies there in one piece as UTF-16, else
  // into `scratch`. Valid until the next change, or the next use of `scratch`.
  std::u16string_view Piece(std::size_t at, std::size_t count, std::u16string& scratch) const;
  // True when the text is `other`.
  bool Equals(std::u16string_view other) const;
  // The whole text; valid until the next change.
  const std::u16string& Whole();
  // Hands the whole text over, leaving the text empty.
  std::u16string Take();
  // True while the text is kept at one byte a character.
  bool Narrow() const { return narrow_; }
  // While it is: its Windows-1251 bytes, those before the gap and those after it.
  struct Bytes {
    std::string_view before;
    std::string_view after;
  };
  Bytes NarrowBytes() const {
    return {std::string_view(bytes_.buf.data(), bytes_.gapStart),
            std::string_view(bytes_.buf.data() + bytes_.gapStart + bytes_.gapLength, bytes_.size() - bytes_.gapStart)};
  }
  // The memory held, in bytes.
  std::size_t Capacity() const;

 private:
  // One storage: the text before the gap, the gap, the text after it.
  template <typename Char>
  struct Store {
    std::basic_string<Char> buf;
    std::size_t gapStart = 0;
    std::size_t gapLength = 0;

    std::size_t size() const { return buf.size() - gapLength; }
    Char operator[](std::size_t i) const { return i < gapStart ? buf[i] : buf[i + gapLength]; }
    void Assign(std::basic_string<Char> text);
    void MoveGap(std::size_t to);
    // Opens room for `count` characters at `at`, after taking out `removed`; returns where they go.
    Char* Open(std::size_t at, std::size_t removed, std::size_t count);
    // Moves the gap to `at` and makes it at least `length` long.
    void GrowGap(std::size_t at, std::size_t length);
    // Replace in several places: `put` writes each place's new text from `texts` (the places' new
    // texts in turn), `take` its old text into `removed` (room for the old texts in turn).
    template <typename Write, typename Keep>
    void Replace(const std::vector<vb::TextPlace>& places, const char16_t* texts, char16_t* removed, Write put, Keep take);
    void Close();
  };

  char16_t CharOf(char byte) const { return (*chars_)[static_cast<unsigned char>(byte)]; }
  void Widen();

  const std::array<char16_t, 256>* chars_ = &vb::Windows1251Chars();
  bool narrow_ = true;
  Store<char> bytes_;
  Store<char16_t> wide_;
  std::u16string whole_;  // the whole text of a narrow one, when asked for since its last change
  bool wholeBuilt_ = false;
};

}  // namespace platform::richedit
