#include "platform/richedit/editor_text.h"

#include <algorithm>

#include "platform/richedit/line_breaks.h"

namespace platform::richedit {
namespace {

// Calls `found(i)` for the offset of every CR LF pair in `s`.
template <typename F>
void ForEachBreak(std::u16string_view s, F&& found) {
  const char16_t* p = s.data();
  const char16_t* end = p + s.size();
  for (const char16_t* cr = std::find(p, end, u'\r'); cr != end; cr = std::find(cr + 1, end, u'\r'))
    if (cr + 1 < end && cr[1] == u'\n') found(static_cast<std::size_t>(cr - s.data()));
}

}  // namespace

void EditorText::Assign(GapText text) {
  chars_ = std::move(text);
  indents_.Clear();
  starts_.Reset(0);
  lastStart_ = 0;
  IndexBreaks(0);
  FinishAssign();
}

void EditorText::BeginAssign(std::size_t expectedLength) {
  chars_.Assign(std::u16string());
  chars_.Reserve(expectedLength);
  indents_.Clear();
  starts_.Reset(0);
  lastStart_ = 0;
}

void EditorText::AddStretch(std::u16string_view crlf) {
  const std::size_t from = chars_.size();
  chars_.Replace(from, 0, crlf);
  ForEachBreak(crlf, [&](std::size_t i) {
    const auto start = static_cast<std::int32_t>(from + i + 2);
    starts_.Append(start - lastStart_);
    lastStart_ = start;
  });
}

void EditorText::FinishAssign() {
  starts_.Append(Length() + 2 - lastStart_);
  starts_.DropFirst();
  lastStart_ = 0;
}

void EditorText::IndexBreaks(std::size_t from) {
  std::u16string scratch;
  constexpr std::size_t kWindow = std::size_t{1} << 16;
  for (std::size_t at = from; at < chars_.size();) {
    // One more character than the window, so that a pair across its end is seen; the pair is then
    // counted in this window only.
    const std::u16string_view piece = chars_.Piece(at, kWindow + 1, scratch);
    const std::size_t own = std::min(piece.size(), kWindow);
    ForEachBreak(piece, [&](std::size_t i) {
      if (i >= own) return;
      const auto start = static_cast<std::int32_t>(at + i + 2);
      starts_.Append(start - lastStart_);
      lastStart_ = start;
    });
    at += own;
  }
}

std::int32_t EditorText::Snap(std::int32_t position) const {
  position = std::clamp(position, 0, Length());
  if (position > 0 && position < Length() && At(position - 1) == u'\r' && At(position) == u'\n') --position;
  return position;
}

std::u16string EditorText::Range(std::int32_t at, std::int32_t count) const {
  if (at < 0 || count <= 0 || at >= Length()) return {};
  return chars_.Range(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
}

EditorText::Edit EditorText::Replace(std::int32_t at, std::int32_t count, std::u16string_view with) {
  std::u16string normalized;
  if (!AllBreaksCrLf(with)) {
    normalized = WithCrLf(with);
    with = normalized;
  }
  at = Snap(at);
  const std::int32_t end = Snap(std::max(at, at + std::max(count, 0)));
  Edit e;
  e.at = at;
  e.removed = end - at;
  e.inserted = static_cast<std::int32_t>(with.size());
  e.paragraph = starts_.Find(at);
  // The line breaks removed are the starts of the paragraphs after the first, up to the one that
  // holds the end.
  e.removedBreaks = starts_.Find(end) - e.paragraph;
  e.tailOffset = end - starts_.Start(e.paragraph + e.removedBreaks);
  for (std::ptrdiff_t k = 0; k < e.removedBreaks; ++k) starts_.Join(e.paragraph + 1);
  if (!indents_.empty()) indents_.Erase(e.paragraph + 1, e.removedBreaks);
  starts_.Grow(e.paragraph, e.inserted - e.removed);
  chars_.Replace(static_cast<std::size_t>(at), static_cast<std::size_t>(e.removed), with);
  ForEachBreak(with, [&](std::size_t i) {
    ++e.insertedBreaks;
    starts_.Split(e.paragraph + e.insertedBreaks, at + static_cast<std::int32_t>(i) + 2);
  });
  if (!indents_.empty()) indents_.InsertCopies(e.paragraph + 1, e.insertedBreaks, indents_[e.paragraph]);
  return e;
}

void EditorText::SetIndent(std::ptrdiff_t first, std::ptrdiff_t last, double pixels) {
  first = std::clamp<std::ptrdiff_t>(first, 0, Paragraphs() - 1);
  last = std::clamp<std::ptrdiff_t>(last, first, Paragraphs() - 1);
  if (indents_.empty()) {
    if (pixels == 0) return;
    indents_.Reserve(static_cast<std::size_t>(Paragraphs()));
    for (std::ptrdiff_t p = 0; p < Paragraphs(); ++p) indents_.PushBack(0);
  }
  for (std::ptrdiff_t p = first; p <= last; ++p) indents_.at(p) = static_cast<float>(pixels);
}

std::size_t EditorText::TableBytes() const { return starts_.Bytes() + indents_.Bytes(); }

}  // namespace platform::richedit
