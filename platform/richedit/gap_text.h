// A text kept with a movable gap at the place of the last edit, so a run of edits near one place
// costs what the edits hold, not what the whole text holds. The whole text is handed out as one
// string on demand (closing the gap); a stretch of it as a view.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::richedit {

class GapText {
 public:
  std::size_t size() const { return buf_.size() - gapLength_; }
  char16_t operator[](std::size_t i) const { return i < gapStart_ ? buf_[i] : buf_[i + gapLength_]; }

  void Assign(std::u16string text);
  // Room for a gap that a text of `length` characters will get at its first edit, so that the
  // first edit of a large text does not move it to new memory.
  static std::size_t RoomFor(std::size_t length);
  // Replaces `count` characters from `at` (both within the text) with `with`.
  void Replace(std::size_t at, std::size_t count, std::u16string_view with);
  // The characters from `at` on, at most `count`; valid until the next change or Whole().
  std::u16string_view View(std::size_t at, std::size_t count);
  // The whole text; valid until the next change.
  const std::u16string& Whole();
  // Hands the whole text over, leaving the text empty.
  std::u16string Take();
  // The memory held, in bytes.
  std::size_t Capacity() const { return buf_.capacity() * sizeof(char16_t); }

 private:
  void MoveGap(std::size_t to);

  std::u16string buf_;  // text before the gap, the gap, text after it
  std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};

}  // namespace platform::richedit
