#include "platform/richedit/gap_text.h"

#include <algorithm>
#include <cstring>

namespace platform::richedit {
namespace {
// The least room a new gap gets; more on large texts, so that reopening it (which moves the text
// after it) happens once in many edits.
constexpr std::size_t kLeastGap = 4096;
}  // namespace

std::size_t GapText::RoomFor(std::size_t length) { return std::max(kLeastGap, length / 64) + kLeastGap; }

void GapText::Assign(std::u16string text) {
  buf_ = std::move(text);
  gapStart_ = buf_.size();
  gapLength_ = 0;
}

void GapText::MoveGap(std::size_t to) {
  if (to == gapStart_ || gapLength_ == 0) {
    gapStart_ = to;
    return;
  }
  char16_t* b = buf_.data();
  if (to < gapStart_) {
    std::memmove(b + to + gapLength_, b + to, (gapStart_ - to) * sizeof(char16_t));
  } else {
    std::memmove(b + gapStart_, b + gapStart_ + gapLength_, (to - gapStart_) * sizeof(char16_t));
  }
  gapStart_ = to;
}

void GapText::Replace(std::size_t at, std::size_t count, std::u16string_view with) {
  MoveGap(at);
  gapLength_ += count;  // the removed characters join the gap
  if (gapLength_ < with.size()) {
    const std::size_t grow = std::max({with.size() - gapLength_ + kLeastGap, size() / 64});
    buf_.insert(gapStart_, grow, u'\0');
    gapLength_ += grow;
  }
  std::copy(with.begin(), with.end(), buf_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
  gapStart_ += with.size();
  gapLength_ -= with.size();
}

std::u16string_view GapText::View(std::size_t at, std::size_t count) {
  at = std::min(at, size());
  count = std::min(count, size() - at);
  if (at < gapStart_ && at + count > gapStart_) MoveGap(at);
  const std::size_t from = at < gapStart_ ? at : at + gapLength_;
  return std::u16string_view(buf_.data() + from, count);
}

const std::u16string& GapText::Whole() {
  MoveGap(size());
  buf_.resize(size());  // keeps the storage
  gapLength_ = 0;
  return buf_;
}

std::u16string GapText::Take() {
  Whole();
  std::u16string out = std::move(buf_);
  buf_.clear();
  gapStart_ = 0;
  gapLength_ = 0;
  return out;
}

}  // namespace platform::richedit
