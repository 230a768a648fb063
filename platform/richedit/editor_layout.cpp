#include "platform/richedit/editor_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <limits>

namespace platform::richedit {
namespace {

// An edit that adds at most this many paragraphs has them laid out at once, so the editor's height
// is right before it paints; a larger one gets estimates until they are shown.
constexpr std::ptrdiff_t kLaidOutAtOnce = 16;
// Laid-out paragraphs kept beyond those just shown; a paragraph at least kLong characters long
// keeps its line starts always, as it would cost most to break again.
constexpr std::size_t kKept = 1024;
constexpr std::int32_t kLong = 4096;
// A long paragraph keeps the glyphs of this many lines around those last shown.
constexpr std::int32_t kShownAround = 64;
constexpr std::int32_t kNoMeet = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max() - 1;
// An edit whose new lines do not meet the old ones breaks this many lines past its own; a question
// about a line not yet broken breaks this many past it.
constexpr std::size_t kAfterEdit = 4;
constexpr std::size_t kAhead = 16;

}  // namespace

EditorLayout::EditorLayout(const EditorText& text) : text_(text) {
  option_.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  SetFont(QFont());
}

EditorLayout::~EditorLayout() = default;

void EditorLayout::SetPageWidth(qreal width) {
  width = std::max<qreal>(width, 1);
  if (width == width_) return;
  width_ = width;
  EstimateAll();
}

void EditorLayout::SetFont(const QFont& font) {
  font_ = font;
  const QFontMetricsF metrics(font_);
  pitch_ = std::max<qreal>(1, qCeil(metrics.lineSpacing()));
  charWidth_ = std::max<qreal>(1, metrics.averageCharWidth());
  separatorWidth_ = metrics.horizontalAdvance(QLatin1Char(' '));
  EstimateAll();
}

void EditorLayout::Reset() { EstimateAll(); }

qreal EditorLayout::LeftOf(std::ptrdiff_t paragraph) const { return kMargin + text_.Indent(paragraph); }

WrapStyle EditorLayout::StyleFor(std::ptrdiff_t paragraph) const {
  WrapStyle style;
  style.font = font_;
  style.option = option_;
  style.room = std::max<qreal>(1, width_ - kMargin - LeftOf(paragraph));
  style.typicalLine = std::max<std::int32_t>(1, static_cast<std::int32_t>(style.room / charWidth_));
  return style;
}

std::int32_t EditorLayout::Estimate(std::ptrdiff_t paragraph) const {
  const qreal room = std::max<qreal>(charWidth_, width_ - kMargin - LeftOf(paragraph));
  const qreal characters = std::max(0, text_.ParagraphLength(paragraph));
  return std::max(1, qCeil(characters * charWidth_ / room));
}

void EditorLayout::EstimateAll() {
  laid_.clear();
  exact_.Clear();
  lines_.Reset(0);
  const std::ptrdiff_t count = text_.Paragraphs();
  lines_.Reserve(static_cast<std::size_t>(count));
  exact_.Reserve(static_cast<std::size_t>(count));
  for (std::ptrdiff_t p = 0; p < count; ++p) {
    lines_.Append(Estimate(p));
    exact_.PushBack(0);
  }
  lines_.DropFirst();
  heightChanged_ = true;
}

void EditorLayout::SetLines(std::ptrdiff_t paragraph, std::int32_t lines) {
  const std::int32_t delta = lines - lines_.Length(paragraph);
  if (delta == 0) return;
  lines_.Grow(paragraph, delta);
  heightChanged_ = true;
}

EditorLayout::Broken EditorLayout::Break(std::ptrdiff_t paragraph, std::vector<std::int32_t> kept,
                                         const std::vector<std::int32_t>& old, std::size_t oldValid,
                                         std::int32_t meetFrom, std::size_t upTo) {
  const std::int32_t start = text_.ParagraphStart(paragraph);
  const std::int32_t length = text_.ParagraphLength(paragraph);
  std::u16string scratch;
  const ParagraphReader read = [&](std::int32_t offset, std::int32_t count) {
    broken_ += count;
    const std::u16string_view piece = text_.Piece(start + offset, count, scratch);
    return QString(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size()));
  };
  Broken b;
  b.starts = std::move(kept);
  const auto rightOld = old.begin() + static_cast<std::ptrdiff_t>(std::min(oldValid, old.size()));
  // The old starts after `end` stand for the lines not broken.
  const auto standIn = [&](std::int32_t end) {
    for (auto it = std::upper_bound(old.begin(), old.end(), end); it != old.end() && *it < length; ++it) b.starts.push_back(*it);
  };
  const auto standsIn = [&](std::int32_t end) {
    const auto it = std::upper_bound(old.begin(), old.end(), end);
    return it != old.end() && *it < length;
  };
  bool ended = true;
  WrapLines(read, length, b.starts.back(), StyleFor(paragraph), [&](std::int32_t end) {
    if (end >= length) return false;
    b.starts.push_back(end);
    if (end >= meetFrom) {
      const auto met = std::lower_bound(old.begin(), rightOld, end);
      if (met != rightOld && *met == end) {
        // From here on the lines are those the paragraph had, as far as those were right.
        b.met = static_cast<std::ptrdiff_t>(b.starts.size()) - 1;
        b.metOld = met - old.begin();
        b.valid = static_cast<std::size_t>(b.met) + (oldValid - static_cast<std::size_t>(b.metOld));
        standIn(end);
        ended = false;
        return false;
      }
    }
    // Breaking stops once line `upTo` is known, where an old start stands in for the rest (the few
    // lines after the last one are broken too).
    if (b.starts.size() > upTo + 1 && standsIn(end)) {
      b.valid = b.starts.size();
      standIn(end);
      ended = false;
      return false;
    }
    return true;
  });
  if (ended) b.valid = b.starts.size();
  return b;
}

EditorLayout::Laid& EditorLayout::Ensure(std::ptrdiff_t paragraph) {
  ++uses_;
  if (auto it = laid_.find(paragraph); it != laid_.end()) {
    it->second.used = uses_;
    return it->second;
  }
  Laid laid;
  if (exact_[paragraph] != 0 && lines_.Length(paragraph) == 1) {
    laid.starts = {0};
    laid.valid = 1;
  } else {
    // The first lines are broken; lines of the typical length stand in for the rest until they are
    // shown or asked about.
    const WrapStyle style = StyleFor(paragraph);
    std::vector<std::int32_t> standIns;
    for (std::int64_t at = style.typicalLine; at < text_.ParagraphLength(paragraph); at += style.typicalLine)
      standIns.push_back(static_cast<std::int32_t>(at));
    Broken b = Break(paragraph, {0}, standIns, 0, kNoMeet, kAhead);
    laid.starts = std::move(b.starts);
    laid.valid = b.valid;
  }
  exact_.at(paragraph) = 1;
  SetLines(paragraph, static_cast<std::int32_t>(laid.starts.size()));
  laid.shown.resize(laid.starts.size());
  laid.used = uses_;
  return laid_.emplace(paragraph, std::move(laid)).first->second;
}

void EditorLayout::Extend(std::ptrdiff_t paragraph, std::size_t line) {
  Laid& laid = Ensure(paragraph);
  if (laid.Known(line)) return;
  const std::vector<std::int32_t> kept(laid.starts.begin(), laid.starts.begin() + static_cast<std::ptrdiff_t>(laid.valid));
  const std::vector<std::int32_t> stale(laid.starts.begin() + static_cast<std::ptrdiff_t>(laid.valid), laid.starts.end());
  Broken b = Break(paragraph, kept, stale, 0, kNoMeet, line + kAhead);
  laid.starts = std::move(b.starts);
  laid.valid = b.valid;
  laid.shown.resize(laid.starts.size());
  for (std::size_t i = kept.size() - 1; i < laid.shown.size(); ++i) laid.shown[i].reset();
  SetLines(paragraph, static_cast<std::int32_t>(laid.starts.size()));
}

void EditorLayout::Forget(std::ptrdiff_t paragraph) { laid_.erase(paragraph); }

EditorLayout::Changed EditorLayout::Follow(const EditorText::Edit& e) {
  const std::ptrdiff_t first = e.paragraph;
  const std::ptrdiff_t last = first + e.insertedBreaks;
  const std::int32_t before = lines_.Total();
  const std::int32_t editOffset = e.at - text_.ParagraphStart(first);

  // What was laid out of the first and the last paragraph the edit touched.
  struct Old {
    bool exact = false;
    std::vector<std::int32_t> starts;
    std::size_t valid = 0;
    std::vector<std::unique_ptr<QTextLayout>> shown;
  };
  const auto take = [&](std::ptrdiff_t p) {
    Old old;
    old.exact = exact_[p] != 0;
    if (auto it = laid_.find(p); it != laid_.end()) {
      old.starts = std::move(it->second.starts);
      old.valid = it->second.valid;
      old.shown = std::move(it->second.shown);
    } else if (old.exact && lines_.Length(p) == 1) {
      old.starts = {0};
      old.valid = 1;
    }
    if (old.starts.empty()) old.exact = false;  // laid out once, but its starts went since
    return old;
  };
  Old head = take(first);
  Old tail;
  if (e.removedBreaks == 0) {
    tail.exact = head.exact;
    tail.starts = head.starts;
    tail.valid = head.valid;
  } else {
    tail = take(first + e.removedBreaks);
  }

  // The paragraph tables follow: joined paragraphs go, split ones come (estimated for now).
  if (e.removedBreaks == 0 && e.insertedBreaks == 0) {
    laid_.erase(first);
  } else {
    std::map<std::ptrdiff_t, Laid> moved;
    for (auto it = laid_.lower_bound(first); it != laid_.end();) {
      if (it->first > first + e.removedBreaks) moved.emplace(it->first + e.insertedBreaks - e.removedBreaks, std::move(it->second));
      it = laid_.erase(it);
    }
    laid_.merge(moved);
  }
  for (std::ptrdiff_t k = 0; k < e.removedBreaks; ++k) lines_.Join(first + 1);
  exact_.Erase(first + 1, e.removedBreaks);
  for (std::ptrdiff_t k = 1; k <= e.insertedBreaks; ++k) lines_.Split(first + k, lines_.Start(first + k));
  exact_.InsertCopies(first + 1, e.insertedBreaks, 0);

  // The line of the first paragraph to break again from: the one before the edit's line, since a
  // shorter word at a line's start may now fit on the line above; or the last line known to be
  // right, when the edit falls after it.
  std::size_t keep = 0;
  std::size_t editLine = 0;
  if (head.exact) {
    const auto at = std::upper_bound(head.starts.begin(), head.starts.end(), editOffset);
    editLine = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, at - head.starts.begin() - 1));
    keep = std::min(editLine == 0 ? 0 : editLine - 1, head.valid - 1);
  }
  // The old line starts of the text after the edit, where the paragraph that holds it now has it.
  const std::int32_t tailStart = e.at + e.inserted - text_.ParagraphStart(last);
  std::vector<std::int32_t> old;
  std::size_t oldValid = 0;
  std::size_t oldBase = 0;  // the old line whose start is old[0]
  if (tail.exact) {
    const auto from = std::lower_bound(tail.starts.begin(), tail.starts.end(), e.tailOffset);
    oldBase = static_cast<std::size_t>(from - tail.starts.begin());
    oldValid = tail.valid > oldBase ? tail.valid - oldBase : 0;
    for (auto it = from; it != tail.starts.end(); ++it) old.push_back(*it - e.tailOffset + tailStart);
  }

  std::int32_t lastChanged = -1;  // the last line that changed, when the lines after it did not
  for (std::ptrdiff_t p = first; p <= last; ++p) {
    const bool isHead = p == first;
    const bool isTail = p == last;
    const bool layOut = (isHead && head.exact) || (isTail && tail.exact) ||
                        (!isHead && !isTail && e.insertedBreaks <= kLaidOutAtOnce);
    if (!layOut) {
      SetLines(p, Estimate(p));
      continue;
    }
    std::vector<std::int32_t> kept = {0};
    if (isHead && head.exact) kept.assign(head.starts.begin(), head.starts.begin() + static_cast<std::ptrdiff_t>(keep) + 1);
    const std::vector<std::int32_t> none;
    // A paragraph that goes on after the edit is broken a few lines past it; more when shown.
    Broken b = isTail ? Break(p, std::move(kept), old, oldValid, tailStart, (isHead ? editLine : 0) + kAfterEdit)
                      : Break(p, std::move(kept), none, 0, kNoMeet, kAll);
    Laid laid;
    laid.starts = std::move(b.starts);
    laid.valid = b.valid;
    laid.shown.resize(laid.starts.size());
    laid.used = ++uses_;
    // The glyphs of lines before the edit's, and of right lines after the meeting point, still hold.
    if (isHead && head.exact)
      for (std::size_t i = 0; i < keep && i < head.shown.size(); ++i) laid.shown[i] = std::move(head.shown[i]);
    if (isTail && b.met >= 0) {
      std::vector<std::unique_ptr<QTextLayout>>& from = e.removedBreaks == 0 ? head.shown : tail.shown;
      for (std::size_t i = static_cast<std::size_t>(b.met); i + 1 < laid.valid && i < laid.shown.size(); ++i) {
        const std::size_t o = oldBase + static_cast<std::size_t>(b.metOld) + (i - static_cast<std::size_t>(b.met));
        if (o < from.size()) laid.shown[i] = std::move(from[o]);
      }
      if (isHead) lastChanged = lines_.Start(p) + static_cast<std::int32_t>(b.met) - 1;
    }
    exact_.at(p) = 1;
    SetLines(p, static_cast<std::int32_t>(laid.starts.size()));
    laid_.insert_or_assign(p, std::move(laid));
  }

  Changed changed;
  changed.first = lines_.Start(first) + static_cast<std::int32_t>(keep);
  changed.moved = lines_.Total() != before;
  changed.last = lastChanged >= changed.first ? lastChanged : lines_.Start(last + 1) - 1;
  if (changed.last < changed.first) changed.last = changed.first;
  heightChanged_ = heightChanged_ || changed.moved;
  Trim();
  return changed;
}

EditorLayout::Changed EditorLayout::Reindented(std::ptrdiff_t first, std::ptrdiff_t last) {
  const std::int32_t before = lines_.Total();
  const bool few = last - first < kLaidOutAtOnce;
  for (std::ptrdiff_t p = first; p <= last; ++p) {
    const bool wasExact = exact_[p] != 0;
    Forget(p);
    exact_.at(p) = 0;
    SetLines(p, Estimate(p));
    if (wasExact && few) Ensure(p);
  }
  Changed changed;
  changed.first = lines_.Start(first);
  changed.moved = lines_.Total() != before;
  changed.last = lines_.Start(last + 1) - 1;
  return changed;
}

EditorLayout::Line EditorLayout::LineAt(std::int32_t number) {
  for (;;) {
    number = std::clamp(number, 0, std::max(lines_.Total() - 1, 0));
    const std::ptrdiff_t p = lines_.Find(number);
    const std::int32_t firstLine = lines_.Start(p);
    if (!Ensure(p).Known(static_cast<std::size_t>(std::max(0, number - firstLine)))) {
      Extend(p, static_cast<std::size_t>(number - firstLine));
      continue;
    }
    const Laid& laid = Ensure(p);
    const auto count = static_cast<std::int32_t>(laid.starts.size());
    // An estimate too large may have sent the number past the paragraph's lines: it then names a
    // line of a later paragraph.
    if (number >= firstLine + count && p + 1 < text_.Paragraphs()) continue;
    Line line;
    line.paragraph = p;
    line.index = std::min(number - firstLine, count - 1);
    line.number = firstLine + line.index;
    const std::int32_t start = text_.ParagraphStart(p);
    line.start = start + laid.starts[static_cast<std::size_t>(line.index)];
    line.last = line.index + 1 == count;
    line.end = line.last ? text_.ParagraphEnd(p) : start + laid.starts[static_cast<std::size_t>(line.index) + 1];
    line.top = kMargin + line.number * pitch_;
    line.left = LeftOf(p);
    return line;
  }
}

EditorLayout::Line EditorLayout::LineOf(std::int32_t position) {
  position = text_.Snap(position);
  const std::ptrdiff_t p = text_.ParagraphOf(position);
  const std::int32_t offset = position - text_.ParagraphStart(p);
  for (;;) {
    const Laid& laid = Ensure(p);
    const auto index = static_cast<std::size_t>(std::max<std::ptrdiff_t>(
        0, std::upper_bound(laid.starts.begin(), laid.starts.end(), offset) - laid.starts.begin() - 1));
    if (laid.Known(index)) return LineAt(lines_.Start(p) + static_cast<std::int32_t>(index));
    Extend(p, index);
  }
}

std::int32_t EditorLayout::NumberAt(qreal y) const {
  const std::int32_t last = std::max(lines_.Total() - 1, 0);
  const qreal line = std::floor((y - kMargin) / pitch_);
  if (line <= 0) return 0;
  return line >= last ? last : static_cast<std::int32_t>(line);
}

QTextLayout& EditorLayout::Shown(const Line& line) {
  Laid& laid = Ensure(line.paragraph);
  std::unique_ptr<QTextLayout>& shown = laid.shown[static_cast<std::size_t>(line.index)];
  if (shown == nullptr) {
    std::u16string scratch;
    const std::u16string_view piece = text_.Piece(line.start, line.end - line.start, scratch);
    shown = std::make_unique<QTextLayout>(
        QString(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())), font_);
    shown->setCacheEnabled(true);
    LayOutAsOneLine(*shown, StyleFor(line.paragraph));
  }
  return *shown;
}

qreal EditorLayout::XOf(const Line& line, std::int32_t position) {
  const QTextLine l = Shown(line).lineAt(0);
  return line.left + l.cursorToX(std::clamp(position - line.start, 0, line.end - line.start));
}

std::int32_t EditorLayout::PositionAt(const Line& line, qreal x) {
  QTextLayout& shown = Shown(line);
  std::int32_t at = line.start + shown.lineAt(0).xToCursor(x - line.left);
  if (!line.last && at >= line.end) at = line.start + shown.previousCursorPosition(line.end - line.start);
  return at;
}

std::int32_t EditorLayout::PositionAt(QPointF point) { return PositionAt(LineAt(NumberAt(point.y())), point.x()); }

QRectF EditorLayout::CaretRect(std::int32_t position, int width) {
  const Line line = LineOf(position);
  return {XOf(line, position), line.top, static_cast<qreal>(width), pitch_};
}

QRectF EditorLayout::LineRect(std::int32_t number) const {
  return {0, kMargin + number * pitch_, std::max(width_, kMargin), pitch_};
}

void EditorLayout::Draw(QPainter& painter, const QRectF& clip, const Look& look) {
  painter.save();
  painter.setPen(look.palette.color(look.group, QPalette::Text));
  QTextCharFormat selected;
  selected.setBackground(look.palette.brush(look.group, QPalette::Highlight));
  selected.setForeground(look.palette.brush(look.group, QPalette::HighlightedText));
  // The lines drawn of the paragraph at hand, so that a long one keeps the glyphs of those only.
  std::ptrdiff_t paragraph = -1;
  std::int32_t firstDrawn = 0;
  std::int32_t lastDrawn = 0;
  const auto prune = [&] {
    auto it = laid_.find(paragraph);
    if (it == laid_.end()) return;
    std::vector<std::unique_ptr<QTextLayout>>& shown = it->second.shown;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(shown.size()); ++i)
      if (i < firstDrawn - kShownAround || i > lastDrawn + kShownAround) shown[static_cast<std::size_t>(i)].reset();
  };
  for (std::int32_t n = NumberAt(clip.top()); n < lines_.Total();) {
    const Line line = LineAt(n);
    if (line.top > clip.bottom()) break;
    if (line.paragraph != paragraph) {
      if (paragraph >= 0) prune();
      paragraph = line.paragraph;
      firstDrawn = line.index;
    }
    lastDrawn = line.index;
    const bool caretHere =
        look.caret >= line.start && (look.caret < line.end || (line.last && look.caret == line.end));
    const QPointF at(line.left, line.top);
    if (caretHere && !look.preedit.isEmpty()) {
      DrawComposing(painter, line, look, clip);
      n = line.number + 1;
      continue;
    }
    QTextLayout& shown = Shown(line);
    QList<QTextLayout::FormatRange> ranges;
    const std::int32_t from = std::max(look.selectionStart, line.start);
    const std::int32_t to = std::min(look.selectionEnd, line.end);
    if (from < to) ranges.append({from - line.start, to - from, selected});
    shown.draw(&painter, at, ranges, clip);
    // A selection that goes on past the paragraph's end shows its line break as a space.
    if (line.last && look.selectionStart <= line.end && look.selectionEnd > line.end) {
      const QTextLine l = shown.lineAt(0);
      painter.fillRect(QRectF(line.left + l.naturalTextWidth(), line.top, separatorWidth_, pitch_), selected.background());
    }
    if (caretHere) shown.drawCursor(&painter, at, look.caret - line.start, look.caretWidth);
    n = line.number + 1;
  }
  if (paragraph >= 0) prune();
  painter.restore();
}

void EditorLayout::DrawComposing(QPainter& painter, const Line& line, const Look& look, const QRectF& clip) {
  std::u16string scratch;
  const std::u16string_view piece = text_.Piece(line.start, line.end - line.start, scratch);
  QTextLayout layout(QString(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())), font_);
  const int offset = look.caret - line.start;
  layout.setPreeditArea(offset, look.preedit);
  LayOutAsOneLine(layout, StyleFor(line.paragraph));
  QTextCharFormat underlined;
  underlined.setFontUnderline(true);
  const QPointF at(line.left, line.top);
  layout.draw(&painter, at, {{offset, static_cast<int>(look.preedit.size()), underlined}}, clip);
  layout.drawCursor(&painter, at, offset + look.preeditCaret, look.caretWidth);
}

void EditorLayout::Trim() {
  if (laid_.size() <= kKept) return;
  // The paragraphs used least lately go first; long ones keep their line starts.
  std::vector<std::uint64_t> uses;
  uses.reserve(laid_.size());
  for (const auto& [p, laid] : laid_) uses.push_back(laid.used);
  std::nth_element(uses.begin(), uses.begin() + static_cast<std::ptrdiff_t>(uses.size() - kKept / 2), uses.end());
  const std::uint64_t keepFrom = uses[uses.size() - kKept / 2];
  for (auto it = laid_.begin(); it != laid_.end();) {
    if (it->second.used >= keepFrom) {
      ++it;
    } else if (text_.ParagraphLength(it->first) >= kLong) {
      for (auto& shown : it->second.shown) shown.reset();
      ++it;
    } else {
      it = laid_.erase(it);
    }
  }
}

std::size_t EditorLayout::TableBytes() const {
  std::size_t bytes = lines_.Bytes() + exact_.Bytes();
  for (const auto& [p, laid] : laid_) bytes += sizeof(Laid) + 64 + laid.starts.capacity() * sizeof(std::int32_t) + laid.shown.capacity() * sizeof(void*);
  return bytes;
}

}  // namespace platform::richedit
