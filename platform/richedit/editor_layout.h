// Inside the layer only: the layout of the rich edit control's text. Plain text in one font, every
// line the same height, each paragraph wrapped at the page width less its left margin (the
// paragraph's indent).
//
// Large texts stay fast because nothing is laid out before it is shown or asked about, and nothing
// is laid out twice. Every paragraph's number of lines is kept in a table of starts (an estimate
// from the paragraph's length until it is laid out), so the line at a height, the lines of a
// paragraph and the height of the whole each cost one search. A paragraph once laid out keeps where
// its lines begin; an edit breaks again only the lines from the one before the edit until the new
// breaks meet the old ones, and only a line that is shown gets the glyphs it is drawn with.
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QTextLayout>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/richedit/editor_text.h"
#include "platform/richedit/line_wrapping.h"
#include "platform/richedit/partitions.h"

class QPainter;

namespace platform::richedit {

class EditorLayout {
 public:
  static constexpr qreal kMargin = 4;

  explicit EditorLayout(const EditorText& text);
  EditorLayout(const EditorLayout&) = delete;
  EditorLayout& operator=(const EditorLayout&) = delete;
  ~EditorLayout();

  // The width the text wraps in, margins included; and the font. A change lays everything out
  // anew (as it is shown).
  void SetPageWidth(qreal width);
  void SetFont(const QFont& font);
  qreal PageWidth() const { return width_; }
  qreal Pitch() const { return pitch_; }
  qreal DocumentHeight() const { return 2 * kMargin + static_cast<qreal>(lines_.Total()) * pitch_; }

  // The whole text is new.
  void Reset();
  // What an edit changed on the screen: the lines from `first` to `last` (in the layout after the
  // edit) show something else; when `moved`, every line after them moved too.
  struct Changed {
    std::int32_t first = 0;
    std::int32_t last = 0;
    bool moved = false;
  };
  // Follows an edit of the text, made by EditorText::Replace.
  Changed Follow(const EditorText::Edit& edit);
  // The paragraphs first..last were indented anew.
  Changed Reindented(std::ptrdiff_t first, std::ptrdiff_t last);

  // One line as it is shown.
  struct Line {
    std::ptrdiff_t paragraph = 0;
    std::int32_t index = 0;   // within its paragraph
    std::int32_t number = 0;  // within the whole text
    std::int32_t start = 0;   // the text position of its first character
    std::int32_t end = 0;     // and after its last: the next line's start, or its paragraph's end
    bool last = true;         // the last line of its paragraph
    qreal top = 0;
    qreal left = 0;           // where its text begins: the margin and the paragraph's indent
  };
  std::int32_t LineCount() const { return lines_.Total(); }
  // The line numbered `number` (clamped), with its paragraph laid out.
  Line LineAt(std::int32_t number);
  // The line on which a caret at `position` shows.
  Line LineOf(std::int32_t position);
  // The number of the line at the height y (clamped to the lines there are).
  std::int32_t NumberAt(qreal y) const;
  // The number of lines the paragraph takes, laid out.
  std::int32_t LinesOf(std::ptrdiff_t paragraph) { return static_cast<std::int32_t>(Ensure(paragraph).starts.size()); }
  // The characters given to line breaking so far: what laying out has cost.
  std::int64_t CharactersBroken() const { return broken_; }
  // The line's text laid out as the one line it is, its text beginning at x 0.
  QTextLayout& Shown(const Line& line);

  // The x of a caret at `position` on `line`.
  qreal XOf(const Line& line, std::int32_t position);
  // The caret position on `line` nearest to x. A line that wraps into the next keeps the caret
  // before its last character, so that the position stays on the line.
  std::int32_t PositionAt(const Line& line, qreal x);
  // The caret position nearest to a point.
  std::int32_t PositionAt(QPointF point);
  // Where a caret `width` wide at `position` is drawn.
  QRectF CaretRect(std::int32_t position, int width);
  // The box of the line `number`, as wide as the page.
  QRectF LineRect(std::int32_t number) const;

  struct Look {
    std::int32_t selectionStart = 0;
    std::int32_t selectionEnd = 0;
    std::int32_t caret = -1;  // -1: no caret
    int caretWidth = 1;
    QPalette palette;
    QPalette::ColorGroup group = QPalette::Active;
    // What an input method is composing at the caret, shown underlined there, and the caret's
    // place in it.
    QString preedit;
    int preeditCaret = 0;
  };
  void Draw(QPainter& painter, const QRectF& clip, const Look& look);

  // True once when the height changed while the layout laid out text for a question or a paint.
  bool TakeHeightChanged() {
    const bool changed = heightChanged_;
    heightChanged_ = false;
    return changed;
  }
  // The layout's own memory beside the text: its tables, and the lines it keeps laid out.
  std::size_t TableBytes() const;

 private:
  // A paragraph laid out: where each of its lines begins (offsets in the paragraph; the first is
  // 0), and the layouts of those of its lines that were shown. The first `valid` starts are where
  // the lines begin. The starts after them are where lines began before an edit whose new lines did
  // not meet the old ones again: they stand in for the lines' count until the lines there are
  // broken anew, when they are shown or asked about.
  struct Laid {
    std::vector<std::int32_t> starts;
    std::size_t valid = 0;
    std::vector<std::unique_ptr<QTextLayout>> shown;
    std::uint64_t used = 0;
    // Where line `line` begins and ends is known.
    bool Known(std::size_t line) const { return line + 1 < valid || valid == starts.size(); }
  };
  // Lines broken anew: their starts, and how many of them are right.
  struct Broken {
    std::vector<std::int32_t> starts;
    std::size_t valid = 0;
    std::ptrdiff_t met = -1;     // the line whose start met an old line's start
    std::ptrdiff_t metOld = -1;  // that old line
  };

  WrapStyle StyleFor(std::ptrdiff_t paragraph) const;
  qreal LeftOf(std::ptrdiff_t paragraph) const;
  std::int32_t Estimate(std::ptrdiff_t paragraph) const;
  void EstimateAll();
  // The paragraph laid out for the page: its lines' starts.
  Laid& Ensure(std::ptrdiff_t paragraph);
  // Breaks the paragraph's lines from the last of `kept` (starts that are right). `old` are the
  // starts lines had before an edit, in the paragraph's offsets after it; the first `oldValid` of
  // them were right, and from `meetFrom` on a line that begins at one of those begins the lines that
  // followed it, which ends the breaking. Breaking ends too once line `upTo` is known; the old
  // starts after the last line broken then stand in for the rest.
  Broken Break(std::ptrdiff_t paragraph, std::vector<std::int32_t> kept, const std::vector<std::int32_t>& old,
               std::size_t oldValid, std::int32_t meetFrom, std::size_t upTo);
  // Breaks the paragraph's lines anew until line `line` is known.
  void Extend(std::ptrdiff_t paragraph, std::size_t line);
  // The line that holds the caret, with what an input method composes there.
  void DrawComposing(QPainter& painter, const Line& line, const Look& look, const QRectF& clip);
  void SetLines(std::ptrdiff_t paragraph, std::int32_t lines);
  void Forget(std::ptrdiff_t paragraph);
  void Trim();

  const EditorText& text_;
  qreal width_ = 100;
  QFont font_;
  QTextOption option_;
  qreal pitch_ = 1;
  qreal charWidth_ = 1;       // average, for the estimates
  qreal separatorWidth_ = 1;  // a selected line break shows this wide
  Partitions lines_;          // every paragraph's lines
  GapVector<std::uint8_t> exact_;  // 1 where the paragraph's lines are laid out, not estimated
  std::map<std::ptrdiff_t, Laid> laid_;
  std::uint64_t uses_ = 0;
  bool heightChanged_ = false;
  std::int64_t broken_ = 0;
};

}  // namespace platform::richedit
