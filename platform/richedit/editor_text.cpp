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

// The places' texts with every line break made CR LF, each text on its own; the places' lengths
// follow. `texts` itself when they are so already, else `scratch`.
std::u16string_view WithCrLf(std::vector<vb::TextPlace>& places, std::u16string_view texts, std::u16string& scratch) {
  const auto pieceOf = [&texts](std::size_t& from, const vb::TextPlace& p) {
    const std::u16string_view piece = texts.substr(from, static_cast<std::size_t>(p.inserted));
    from += piece.size();
    return piece;
  };
  if (texts.find(u'\r') == std::u16string_view::npos && AllBreaksCrLf(texts)) return texts;  // no line break at all
  std::size_t from = 0;
  if (std::all_of(places.begin(), places.end(), [&](const vb::TextPlace& p) { return AllBreaksCrLf(pieceOf(from, p)); }))
    return texts;
  from = 0;
  for (vb::TextPlace& p : places) {
    const std::size_t before = scratch.size();
    AppendWithCrLf(scratch, pieceOf(from, p));
    p.inserted = static_cast<std::int32_t>(scratch.size() - before);
  }
  return scratch;
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
  return Replace({vb::TextPlace{at, count, static_cast<std::int32_t>(with.size())}}, with).span;
}

EditorText::Change EditorText::Replace(std::vector<vb::TextPlace> places, std::u16string_view texts) {
  Change c;
  if (places.empty()) return c;
  Fit(places, texts.size());
  std::u16string normalized;
  texts = WithCrLf(places, texts, normalized);
  // The span the change covers, in the paragraphs as they are.
  c.span.at = places.front().position;
  c.span.paragraph = starts_.Find(c.span.at);
  const std::int32_t end = places.back().position + places.back().removed;
  const std::ptrdiff_t endParagraph = starts_.FindFrom(end, c.span.paragraph);
  c.span.removed = end - c.span.at;
  c.span.removedBreaks = endParagraph - c.span.paragraph;
  c.span.tailOffset = end - starts_.Start(endParagraph);
  chars_.Replace(places, texts, c.removed);
  // The paragraphs follow the places in turn, each place where the ones before it moved it. A place
  // that keeps its length and has no line break, before or after, leaves them as they are.
  std::int32_t shift = 0;
  std::ptrdiff_t paragraph = c.span.paragraph;
  std::size_t from = 0;
  std::size_t old = 0;
  for (vb::TextPlace& p : places) {
    p.position += shift;
    const std::u16string_view with = texts.substr(from, static_cast<std::size_t>(p.inserted));
    const std::ptrdiff_t removedBreaks = CountBreaks(std::u16string_view(c.removed).substr(old, static_cast<std::size_t>(p.removed)));
    if (p.inserted != p.removed || removedBreaks != 0 || CountBreaks(with) != 0) {
      paragraph = starts_.FindFrom(p.position, paragraph);
      paragraph += FollowEdit(paragraph, p.position, p.removed, removedBreaks, with);
    }
    from += with.size();
    old += static_cast<std::size_t>(p.removed);
    shift += p.inserted - p.removed;
  }
  c.span.inserted = places.back().position + places.back().inserted - c.span.at;
  c.span.insertedBreaks = starts_.FindFrom(c.span.at + c.span.inserted, paragraph) - c.span.paragraph;
  c.places = std::move(places);
  return c;
}

void EditorText::Fit(std::vector<vb::TextPlace>& places, std::size_t texts) const {
  std::int32_t done = 0;  // the end of the place before
  std::size_t left = texts;
  for (vb::TextPlace& p : places) {
    const std::int32_t own = Snap(p.position);
    const std::int64_t reach = std::min<std::int64_t>(Length(), std::int64_t{own} + std::max(p.removed, 0));
    const std::int32_t at = std::max(own, done);
    const std::int32_t end = std::max(at, Snap(static_cast<std::int32_t>(reach)));
    p.position = at;
    p.removed = end - at;
    p.inserted = static_cast<std::int32_t>(std::min(static_cast<std::size_t>(std::max(p.inserted, 0)), left));
    left -= static_cast<std::size_t>(p.inserted);
    done = end;
  }
}

std::ptrdiff_t EditorText::FollowEdit(std::ptrdiff_t paragraph, std::int32_t at, std::int32_t removed,
                                      std::ptrdiff_t removedBreaks, std::u16string_view with) {
  for (std::ptrdiff_t k = 0; k < removedBreaks; ++k) starts_.Join(paragraph + 1);
  if (!indents_.empty()) indents_.Erase(paragraph + 1, removedBreaks);
  starts_.Grow(paragraph, static_cast<std::int32_t>(with.size()) - removed);
  std::ptrdiff_t inserted = 0;
  ForEachBreak(with, [&](std::size_t i) {
    ++inserted;
    starts_.Split(paragraph + inserted, at + static_cast<std::int32_t>(i) + 2);
  });
  if (!indents_.empty()) indents_.InsertCopies(paragraph + 1, inserted, indents_[paragraph]);
  return inserted;
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
