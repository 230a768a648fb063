// The layout of the rich edit control's document: plain text in the document's one font, every line
// the same height, each paragraph wrapped at the page width less its left margin (the paragraph
// indent).
//
// Large texts stay fast because nothing is laid out before it is shown or asked about, and nothing
// is laid out twice: the document keeps every paragraph's line count in its own tree (an estimate
// from the paragraph's length until the paragraph is laid out), so a paragraph's height, the
// paragraph at a height and the height of the whole each cost one tree lookup. An edit lays out
// only the paragraphs it touched, however long the text.
#pragma once

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextOption>

namespace platform::richedit {

class EditorLayout : public QAbstractTextDocumentLayout {
 public:
  explicit EditorLayout(QTextDocument* document);

  void draw(QPainter* painter, const PaintContext& context) override;
  int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
  int pageCount() const override { return 1; }
  QSizeF documentSize() const override;
  QRectF frameBoundingRect(QTextFrame* frame) const override;
  QRectF blockBoundingRect(const QTextBlock& block) const override;

  // The height of one line, in pixels.
  qreal LineHeight() const { return pitch_; }

 protected:
  void documentChanged(int from, int charsRemoved, int charsAdded) override;

 private:
  // Takes the page width, font and text options from the document; true when any of them changed,
  // and every paragraph has to be laid out again.
  bool TakeMetrics();
  // The number of lines `block` is likely to take before it is laid out.
  int EstimatedLines(const QTextBlock& block) const;
  // Lays `block` out unless it already is for the current page; returns its number of lines.
  int LayOut(QTextBlock block) const;
  // The top of `block`'s first line.
  qreal Top(const QTextBlock& block) const;
  // Sets `block`'s line count, telling the editor later that the document's height changed.
  void SetLineCount(QTextBlock block, int lines) const;
  // Estimates every paragraph's lines anew for a new page.
  void EstimateAll();

  // A paragraph is laid out for the current page when its user state holds this number; a new
  // page width, font or text option takes the next one.
  int generation_ = 0;
  int knownLength_ = 0;  // the document's length after the change last followed
  qreal width_ = 0;      // the page width; 0 or less: no wrapping
  qreal margin_ = 0;
  qreal pitch_ = 1;
  qreal charWidth_ = 1;  // average, for the estimates
  qreal separatorWidth_ = 1;  // a selected line break shows this wide
  mutable qreal widest_ = 0;  // the widest line laid out, when lines do not wrap
  QFont font_;
  QTextOption option_;
  int blockCount_ = 0;   // the document's paragraphs and lines after the change last followed
  int lines_ = 0;
  mutable bool following_ = false;  // following a change, which tells the editor itself
  mutable bool sizeNoticePending_ = false;
};

}  // namespace platform::richedit
