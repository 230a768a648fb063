#include "platform/richedit/editor_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>

namespace platform::richedit {
namespace {

// An edit that touches at most this many paragraphs has them laid out at once, so the editor's
// height and caret are right before it paints; a larger one gets estimates until they are shown.
constexpr int kLaidOutAtOnce = 16;
// The width a line may take when lines do not wrap.
constexpr qreal kUnwrapped = 1e6;
constexpr int kNotLaidOut = -1;

}  // namespace

EditorLayout::EditorLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {
  knownLength_ = document->characterCount();
  TakeMetrics();
  EstimateAll();
}

void EditorLayout::EstimateAll() {
  ++generation_;
  following_ = true;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    SetLineCount(block, EstimatedLines(block));
  following_ = false;
  blockCount_ = document()->blockCount();
  lines_ = document()->lineCount();
}

bool EditorLayout::TakeMetrics() {
  const QTextDocument* doc = document();
  const qreal width = doc->pageSize().width();
  const qreal margin = doc->documentMargin();
  const QFont font = doc->defaultFont();
  const QTextOption option = doc->defaultTextOption();
  if (width == width_ && margin == margin_ && font == font_ && option.wrapMode() == option_.wrapMode() &&
      option.tabStopDistance() == option_.tabStopDistance() && option.flags() == option_.flags() &&
      option.alignment() == option_.alignment() && option.textDirection() == option_.textDirection())
    return false;
  width_ = width;
  margin_ = margin;
  font_ = font;
  option_ = option;
  const QFontMetricsF metrics(font_);
  pitch_ = std::max<qreal>(1, qCeil(metrics.lineSpacing()));
  charWidth_ = std::max<qreal>(1, metrics.averageCharWidth());
  separatorWidth_ = metrics.horizontalAdvance(QLatin1Char(' '));
  widest_ = 0;
  return true;
}

int EditorLayout::EstimatedLines(const QTextBlock& block) const {
  if (width_ <= 0 || option_.wrapMode() == QTextOption::NoWrap) return 1;
  const qreal room = std::max<qreal>(charWidth_, width_ - 2 * margin_);
  const qreal characters = std::max(0, block.length() - 1);
  return std::max(1, qCeil(characters * charWidth_ / room));
}

void EditorLayout::SetLineCount(QTextBlock block, int lines) const {
  if (block.lineCount() == lines) return;
  block.setLineCount(lines);
  if (following_ || sizeNoticePending_) return;
  // Laid out while painting or answering a question: the editor hears of the new height once the
  // work at hand is done.
  sizeNoticePending_ = true;
  auto* self = const_cast<EditorLayout*>(this);
  QMetaObject::invokeMethod(
      self,
      [self] {
        self->sizeNoticePending_ = false;
        self->lines_ = self->document()->lineCount();
        emit self->documentSizeChanged(self->documentSize());
        emit self->update(QRectF(0, 0, kUnwrapped, 1e9));
      },
      Qt::QueuedConnection);
}

int EditorLayout::LayOut(QTextBlock block) const {
  QTextLayout* layout = block.layout();
  if (block.userState() == generation_ && layout->lineCount() > 0) return layout->lineCount();
  QTextOption option = option_;
  if (width_ <= 0) option.setWrapMode(QTextOption::NoWrap);
  layout->setTextOption(option);
  const qreal left = margin_ + std::max<qreal>(0, block.blockFormat().leftMargin());
  const qreal room = width_ > 0 ? std::max<qreal>(1, width_ - margin_ - left) : kUnwrapped;
  int lines = 0;
  layout->beginLayout();
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(room);
    line.setPosition(QPointF(left, lines * pitch_));
    if (width_ <= 0) widest_ = std::max(widest_, left + line.naturalTextWidth());
    ++lines;
  }
  layout->endLayout();
  lines = std::max(lines, 1);
  block.setUserState(generation_);
  SetLineCount(block, lines);
  return lines;
}

qreal EditorLayout::Top(const QTextBlock& block) const { return margin_ + block.firstLineNumber() * pitch_; }

QSizeF EditorLayout::documentSize() const {
  const qreal width = width_ > 0 ? width_ : widest_ + margin_;
  return {width, 2 * margin_ + document()->lineCount() * pitch_};
}

QRectF EditorLayout::frameBoundingRect(QTextFrame*) const { return {QPointF(0, 0), documentSize()}; }

QRectF EditorLayout::blockBoundingRect(const QTextBlock& block) const {
  if (!block.isValid()) return {};
  const int lines = LayOut(block);
  const qreal top = Top(block);
  block.layout()->setPosition(QPointF(0, top));
  return {0, top, documentSize().width(), lines * pitch_};
}

int EditorLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
  const QTextDocument* doc = document();
  const int total = doc->lineCount();
  int line = qFloor((point.y() - margin_) / pitch_);
  if (accuracy == Qt::ExactHit && (line < 0 || line >= total)) return -1;
  line = std::clamp(line, 0, std::max(total - 1, 0));
  const QTextBlock block = doc->findBlockByLineNumber(line);
  if (!block.isValid()) return accuracy == Qt::ExactHit ? -1 : doc->characterCount() - 1;
  const int lines = LayOut(block);  // the block's first line stays where it was
  const QTextLine hit = block.layout()->lineAt(std::clamp(line - block.firstLineNumber(), 0, lines - 1));
  if (accuracy == Qt::ExactHit && (point.x() < hit.x() || point.x() > hit.x() + hit.naturalTextWidth())) return -1;
  return block.position() + hit.xToCursor(point.x());
}

void EditorLayout::draw(QPainter* painter, const PaintContext& context) {
  const QTextDocument* doc = document();
  const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
  const int firstLine = std::max(0, qFloor((clip.top() - margin_) / pitch_));
  if (firstLine >= doc->lineCount()) return;
  bool ok = false;
  int cursorWidth = property("cursorWidth").toInt(&ok);
  if (!ok) cursorWidth = 1;

  painter->save();
  painter->setPen(context.palette.color(QPalette::Text));
  for (QTextBlock block = doc->findBlockByLineNumber(firstLine); block.isValid(); block = block.next()) {
    const int lines = LayOut(block);
    const qreal top = Top(block);
    if (top > clip.bottom()) break;
    if (top + lines * pitch_ < clip.top()) continue;
    QTextLayout* layout = block.layout();
    layout->setPosition(QPointF(0, top));
    const int start = block.position();
    const int length = block.length();  // with the paragraph's end
    QList<QTextLayout::FormatRange> selected;
    for (const Selection& s : context.selections) {
      const int from = s.cursor.selectionStart() - start;
      const int to = s.cursor.selectionEnd() - start;
      if (from >= length || to <= 0 || from == to) continue;
      QTextLayout::FormatRange range;
      range.start = std::max(from, 0);
      range.length = std::min(to, length - 1) - range.start;
      range.format = s.format;
      if (range.length > 0) selected.append(range);
      // A selection that goes on past the paragraph's end shows its line break as a space.
      if (to > length - 1 && s.format.hasProperty(QTextFormat::BackgroundBrush)) {
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        painter->fillRect(QRectF(last.x() + last.naturalTextWidth(), top + last.y(), separatorWidth_, pitch_),
                          s.format.background());
      }
    }
    layout->draw(painter, QPointF(0, 0), selected, clip);
    if (context.cursorPosition >= start && context.cursorPosition < start + length)
      layout->drawCursor(painter, QPointF(0, 0), context.cursorPosition - start, cursorWidth);
  }
  painter->restore();
}

void EditorLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
  QTextDocument* doc = document();
  const int length = doc->characterCount();
  // The document also calls here when its page, font or options change, naming the whole text as
  // removed and added again: such a call does not add up to an edit.
  const bool edit = knownLength_ - charsRemoved + charsAdded == length;
  knownLength_ = length;
  if (TakeMetrics()) {
    // Every paragraph is laid out again when it is next shown; until then its line count is
    // estimated for the new page.
    EstimateAll();
    emit documentSizeChanged(documentSize());
    emit update(QRectF(0, 0, kUnwrapped, 1e9));
    return;
  }
  if (!edit) {
    emit update(QRectF(0, 0, kUnwrapped, 1e9));
    return;
  }
  following_ = true;
  const QTextBlock first = doc->findBlock(std::clamp(from, 0, length - 1));
  const QTextBlock last = doc->findBlock(std::clamp(from + charsAdded, 0, length - 1));
  const bool few = last.blockNumber() - first.blockNumber() < kLaidOutAtOnce;
  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    block.clearLayout();
    block.setUserState(kNotLaidOut);
    if (few) LayOut(block);
    else SetLineCount(block, EstimatedLines(block));
    if (block == last) break;
  }
  following_ = false;
  const bool moved = doc->lineCount() != lines_ || doc->blockCount() != blockCount_;
  blockCount_ = doc->blockCount();
  lines_ = doc->lineCount();
  if (moved) {
    emit documentSizeChanged(documentSize());
    emit update(QRectF(0, Top(first), kUnwrapped, 1e9));
  } else if (first == last) {
    emit updateBlock(first);
  } else {
    emit update(QRectF(0, Top(first), kUnwrapped, Top(last) - Top(first) + last.lineCount() * pitch_));
  }
}

}  // namespace platform::richedit
