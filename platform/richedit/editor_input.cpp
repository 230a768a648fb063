// The editor widget's input: keys, the mouse, input methods and dragging text.
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QtMath>
#include <algorithm>

#include "platform/richedit/caret_moves.h"
#include "platform/richedit/editor_widget.h"

namespace platform::richedit {
namespace {

// The characters of the paragraph around the caret that an input method is told of.
constexpr std::int32_t kSurrounding = 1024;

std::u16string_view View(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

// A key the text takes as typing: a printable character, a tab, a format character, a character
// of a private use area; not one typed with Control held (AltGr is Control and Alt).
bool IsTyping(const QKeyEvent* e) {
  const QString text = e->text();
  if (text.isEmpty()) return false;
  const QChar c = text.at(0);
  if (c.category() == QChar::Other_Format) return true;
  if (e->modifiers() == Qt::ControlModifier || e->modifiers() == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
  if (c.isPrint() || c.category() == QChar::Other_PrivateUse || c == u'\t') return true;
  return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

}  // namespace

bool EditorWidget::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // The editor's own keys go to it before the shortcuts of the window around it.
    auto* key = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers plain = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if ((plain == Qt::NoModifier && key->key() < Qt::Key_Escape) || key == QKeySequence::Copy ||
        key == QKeySequence::Paste || key == QKeySequence::Cut || key == QKeySequence::SelectAll ||
        key == QKeySequence::Delete || key == QKeySequence::Backspace || key == QKeySequence::MoveToNextChar ||
        key == QKeySequence::MoveToPreviousChar || key == QKeySequence::MoveToStartOfLine ||
        key == QKeySequence::MoveToEndOfLine || key == QKeySequence::MoveToNextWord ||
        key == QKeySequence::MoveToPreviousWord || key == QKeySequence::DeleteStartOfWord ||
        key == QKeySequence::DeleteEndOfWord) {
      e->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

bool EditorWidget::focusNextPrevChild(bool next) {
  // Tab types a tab while the text may be edited.
  if (!readOnly_) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

// --- moves ----------------------------------------------------------------------------------------------

void EditorWidget::MoveTo(std::int32_t caret, bool extend) {
  const qreal goal = goalX_;
  Select(extend ? anchor_ : caret, caret);
  goalX_ = goal;
}

bool EditorWidget::MoveByLines(int lines, bool extend) {
  const EditorLayout::Line here = layout_->LineOf(caret_);
  const qreal x = goalX_ >= 0 ? goalX_ : layout_->XOf(here, caret_);
  const std::int32_t target = here.number + lines;
  if (target < 0 || target >= layout_->LineCount()) {
    AfterLayoutQuestion();
    return false;
  }
  const std::int32_t at = layout_->PositionAt(layout_->LineAt(target), x);
  MoveTo(at, extend);
  goalX_ = x;
  return true;
}

void EditorWidget::PageUpDown(bool down, bool extend) {
  // By the lines a page holds, less one, keeping the caret's x; the text scrolls by a page.
  const int lines = std::max(1, qCeil(viewport()->height() / layout_->Pitch()) - 1);
  const EditorLayout::Line here = layout_->LineOf(caret_);
  const qreal x = goalX_ >= 0 ? goalX_ : layout_->XOf(here, caret_);
  const std::int32_t last = layout_->LineCount() - 1;
  const std::int32_t wanted = here.number + (down ? lines : -lines);
  const std::int32_t target = std::clamp(wanted, 0, std::max(last, 0));
  if (target == wanted) {
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
  }
  MoveTo(layout_->PositionAt(layout_->LineAt(target), x), extend);
  goalX_ = x;
}

std::int32_t EditorWidget::LineStart() { return layout_->LineOf(caret_).start; }

std::int32_t EditorWidget::LineEnd() {
  const EditorLayout::Line line = layout_->LineOf(caret_);
  // A line that wraps into the next ends before the space it wrapped at, so that the caret stays on it.
  if (!line.last && line.end > line.start && QChar(text_.At(line.end - 1)).isSpace()) return line.end - 1;
  return line.end;
}

bool EditorWidget::MoveKey(QKeyEvent* e) {
  const bool extend = e->matches(QKeySequence::SelectNextChar) || e->matches(QKeySequence::SelectPreviousChar) ||
                      e->matches(QKeySequence::SelectNextWord) || e->matches(QKeySequence::SelectPreviousWord) ||
                      e->matches(QKeySequence::SelectStartOfLine) || e->matches(QKeySequence::SelectEndOfLine) ||
                      e->matches(QKeySequence::SelectStartOfBlock) || e->matches(QKeySequence::SelectEndOfBlock) ||
                      e->matches(QKeySequence::SelectNextLine) || e->matches(QKeySequence::SelectPreviousLine) ||
                      e->matches(QKeySequence::SelectStartOfDocument) || e->matches(QKeySequence::SelectEndOfDocument) ||
                      e->matches(QKeySequence::SelectNextPage) || e->matches(QKeySequence::SelectPreviousPage);
  const auto is = [&](QKeySequence::StandardKey move, QKeySequence::StandardKey select) {
    return e->matches(move) || e->matches(select);
  };
  const bool selection = anchor_ != caret_;
  const std::ptrdiff_t paragraph = text_.ParagraphOf(caret_);
  if (is(QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage)) {
    PageUpDown(true, extend);
  } else if (is(QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage)) {
    PageUpDown(false, extend);
  } else if (is(QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar)) {
    MoveTo(!extend && selection ? SelectionEnd() : NextCharacter(text_, caret_), extend);
  } else if (is(QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar)) {
    MoveTo(!extend && selection ? SelectionStart() : PreviousCharacter(text_, caret_), extend);
  } else if (is(QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord)) {
    MoveTo(NextWord(text_, caret_), extend);
  } else if (is(QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord)) {
    MoveTo(PreviousWord(text_, caret_), extend);
  } else if (is(QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine)) {
    MoveTo(LineStart(), extend);
  } else if (is(QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine)) {
    MoveTo(LineEnd(), extend);
  } else if (is(QKeySequence::MoveToStartOfBlock, QKeySequence::SelectStartOfBlock)) {
    MoveTo(text_.ParagraphStart(paragraph), extend);
  } else if (is(QKeySequence::MoveToEndOfBlock, QKeySequence::SelectEndOfBlock)) {
    MoveTo(text_.ParagraphEnd(paragraph), extend);
  } else if (is(QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument)) {
    MoveTo(0, extend);
  } else if (is(QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument)) {
    MoveTo(text_.Length(), extend);
  } else if (is(QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine)) {
    // Selecting down from the last line takes the rest of it.
    if (!MoveByLines(1, extend) && extend) MoveTo(text_.Length(), true);
  } else if (is(QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine)) {
    if (!MoveByLines(-1, extend) && extend) MoveTo(0, true);
  } else {
    return false;
  }
  if (extend) SetPrimarySelection();
  return true;
}

// --- keys -----------------------------------------------------------------------------------------------

bool EditorWidget::EditKey(QKeyEvent* e) {
  // The deleting keys take the selection, or without one the stretch they name.
  const auto erase = [&](std::int32_t from, std::int32_t to) {
    if (anchor_ != caret_) ReplaceSelection({});
    else Replace(from, to, {});
  };
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~(Qt::ShiftModifier | Qt::GroupSwitchModifier))) {
    erase(PreviousCodePoint(text_, caret_), caret_);
  } else if (enter && !(e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
    // Shift+Enter too: the text knows no other kind of line break.
    ReplaceSelection(u"\r\n");
  } else if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) {
    // The program keeps its own edit history.
  } else if (e->matches(QKeySequence::Cut)) {
    Cut();
  } else if (e->matches(QKeySequence::Paste)) {
    const bool primary = e->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && e->key() == Qt::Key_Insert &&
                         QGuiApplication::clipboard()->supportsSelection();
    InsertMimeData(QGuiApplication::clipboard()->mimeData(primary ? QClipboard::Selection : QClipboard::Clipboard));
  } else if (e->matches(QKeySequence::Delete)) {
    erase(caret_, NextCharacter(text_, caret_));
  } else if (e->matches(QKeySequence::Backspace)) {
    erase(PreviousCodePoint(text_, caret_), caret_);
  } else if (e->matches(QKeySequence::DeleteEndOfWord)) {
    erase(caret_, NextWord(text_, caret_));
  } else if (e->matches(QKeySequence::DeleteStartOfWord)) {
    erase(PreviousWord(text_, caret_), caret_);
  } else if (e->matches(QKeySequence::DeleteEndOfLine)) {
    // To the paragraph's end; at its end, its line break.
    const std::int32_t end = text_.ParagraphEnd(text_.ParagraphOf(caret_));
    Replace(caret_, caret_ == end ? NextCharacter(text_, caret_) : end, {});
  } else if (IsTyping(e)) {
    ReplaceSelection(View(e->text()));
  } else {
    return false;
  }
  return true;
}

void EditorWidget::keyPressEvent(QKeyEvent* e) {
  QPointer<EditorWidget> self(this);
  if (e->matches(QKeySequence::SelectAll)) {
    Select(0, text_.Length());
    SetPrimarySelection();
  } else if (e->matches(QKeySequence::Copy)) {
    Copy();
  } else if (MoveKey(e)) {
  } else if (readOnly_) {
    // A locked text pages with the space bar.
    if (e->key() == Qt::Key_Space) {
      verticalScrollBar()->triggerAction(e->modifiers() & Qt::ShiftModifier ? QAbstractSlider::SliderPageStepSub
                                                                             : QAbstractSlider::SliderPageStepAdd);
    } else {
      e->ignore();
      return;
    }
  } else if (!EditKey(e)) {
    e->ignore();
    return;
  }
  e->accept();
  if (self != nullptr && focused_) RestartBlinking();
}

void EditorWidget::inputMethodEvent(QInputMethodEvent* e) {
  if (readOnly_) {
    e->ignore();
    return;
  }
  // What the method composes shows at the caret until it commits it.
  preedit_ = e->preeditString();
  preeditCaret_ = static_cast<int>(preedit_.size());
  for (const QInputMethodEvent::Attribute& a : e->attributes())
    if (a.type == QInputMethodEvent::Cursor) preeditCaret_ = std::clamp(a.start, 0, static_cast<int>(preedit_.size()));
  RepaintLines(layout_->LineOf(caret_).number, layout_->LineOf(caret_).number, false);
  if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
    std::int32_t from = SelectionStart();
    std::int32_t to = SelectionEnd();
    if (e->replacementLength() > 0 || e->replacementStart() != 0) {
      from = std::clamp(caret_ + e->replacementStart(), 0, text_.Length());
      to = std::clamp(from + e->replacementLength(), from, text_.Length());
    }
    Replace(from, to, View(e->commitString()));
  }
  e->accept();
}

QVariant EditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  auto* self = const_cast<EditorWidget*>(this);
  const std::ptrdiff_t p = text_.ParagraphOf(caret_);
  const std::int32_t start = std::max(text_.ParagraphStart(p), caret_ - kSurrounding);
  const std::int32_t end = std::min(text_.ParagraphEnd(p), caret_ + kSurrounding);
  switch (query) {
    case Qt::ImEnabled:
      return !readOnly_;
    case Qt::ImHints:
      return static_cast<int>(inputMethodHints() | Qt::ImhMultiLine);
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: {
      const std::int32_t at = query == Qt::ImCursorRectangle ? caret_ : anchor_;
      return ToViewport(self->layout_->CaretRect(at, 1));
    }
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return caret_ - start;
    case Qt::ImAnchorPosition:
      return std::clamp(anchor_, start, end) - start;
    case Qt::ImSurroundingText:
      return QString::fromStdU16String(text_.Range(start, end - start));
    case Qt::ImCurrentSelection:
      return QString::fromStdU16String(text_.Range(SelectionStart(), std::min(SelectionEnd() - SelectionStart(), kSurrounding)));
    case Qt::ImAbsolutePosition:
      return caret_;
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// --- the mouse ------------------------------------------------------------------------------------------

void EditorWidget::ExtendMouseSelection(std::int32_t at) {
  if (unitFrom_ < 0) {
    MoveTo(at, true);
    return;
  }
  // After a double or triple click the selection grows by whole words or paragraphs.
  Span unit{at, at};
  if (byParagraphs_) {
    const std::ptrdiff_t p = text_.ParagraphOf(at);
    unit = {text_.ParagraphStart(p), std::min(text_.ParagraphEnd(p) + 2, text_.Length())};
  } else {
    unit = WordAt(text_, at);
  }
  if (at < unitFrom_) Select(unitTo_, std::min(unit.from, at));
  else Select(unitFrom_, std::max(unit.to, std::min(at, unitTo_)));
}

void EditorWidget::mousePressEvent(QMouseEvent* e) {
  pressPoint_ = e->position().toPoint();
  mightStartDrag_ = false;
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  mousePressed_ = true;
  const QPointF at = ToDocument(e->position());
  if (tripleClick_.isActive() && (e->position().toPoint() - tripleClickPoint_).manhattanLength() < QApplication::startDragDistance()) {
    const std::ptrdiff_t p = text_.ParagraphOf(caret_);
    unitFrom_ = text_.ParagraphStart(p);
    unitTo_ = std::min(text_.ParagraphEnd(p) + 2, text_.Length());
    byParagraphs_ = true;
    Select(unitFrom_, unitTo_);
    tripleClick_.stop();
  } else {
    const std::int32_t position = layout_->PositionAt(at);
    if (e->modifiers() == Qt::ShiftModifier) {
      ExtendMouseSelection(position);
    } else if (anchor_ != caret_ && position >= SelectionStart() && position <= SelectionEnd()) {
      // A press inside the selection may begin dragging it.
      mightStartDrag_ = true;
    } else {
      unitFrom_ = unitTo_ = -1;
      byParagraphs_ = false;
      Select(position, position);
    }
  }
  AfterLayoutQuestion();
}

void EditorWidget::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton) || !mousePressed_) return;
  if (mightStartDrag_) {
    if ((e->position().toPoint() - pressPoint_).manhattanLength() > QApplication::startDragDistance()) StartDrag();
    return;
  }
  if (viewport()->rect().contains(e->position().toPoint())) autoScroll_.stop();
  else if (!autoScroll_.isActive()) autoScroll_.start(100, this);
  const qreal goal = goalX_;
  ExtendMouseSelection(layout_->PositionAt(ToDocument(e->position())));
  goalX_ = goal;
  AfterLayoutQuestion();
}

void EditorWidget::mouseReleaseEvent(QMouseEvent* e) {
  autoScroll_.stop();
  if (mightStartDrag_ && e->button() == Qt::LeftButton) {
    // A press in the selection that did not drag puts the caret there.
    mightStartDrag_ = false;
    const std::int32_t at = layout_->PositionAt(ToDocument(e->position()));
    Select(at, at);
  }
  if (mousePressed_) {
    mousePressed_ = false;
    SetPrimarySelection();
  } else if (e->button() == Qt::MiddleButton && !readOnly_ && QGuiApplication::clipboard()->supportsSelection()) {
    const std::int32_t at = layout_->PositionAt(ToDocument(e->position()));
    Select(at, at);
    InsertMimeData(QGuiApplication::clipboard()->mimeData(QClipboard::Selection));
  }
  AfterLayoutQuestion();
}

void EditorWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  mightStartDrag_ = false;
  mousePressed_ = true;
  const std::int32_t at = layout_->PositionAt(ToDocument(e->position()));
  const Span word = WordAt(text_, at);
  unitFrom_ = word.from;
  unitTo_ = word.to;
  byParagraphs_ = false;
  Select(word.from, word.to);
  tripleClickPoint_ = e->position().toPoint();
  tripleClick_.start(QApplication::doubleClickInterval(), this);
  SetPrimarySelection();
  AfterLayoutQuestion();
}

// --- dragging text --------------------------------------------------------------------------------------

void EditorWidget::StartDrag() {
  mightStartDrag_ = false;
  mousePressed_ = false;
  const std::int32_t from = SelectionStart();
  const std::int32_t to = SelectionEnd();
  auto* drag = new QDrag(this);
  drag->setMimeData(SelectionAsMimeData());
  const Qt::DropActions actions = readOnly_ ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
  QPointer<EditorWidget> self(this);
  const Qt::DropAction done = drag->exec(actions, Qt::MoveAction);
  if (self == nullptr) return;
  // Moved to another window: the text goes from here. (Moved within this one, the drop took it.)
  if (done == Qt::MoveAction && drag->target() != this && drag->target() != viewport() && !readOnly_)
    Replace(from, to, {});
}

void EditorWidget::dragEnterEvent(QDragEnterEvent* e) {
  if (readOnly_ || !e->mimeData()->hasText()) {
    e->ignore();
    return;
  }
  e->acceptProposedAction();
}

void EditorWidget::dragMoveEvent(QDragMoveEvent* e) {
  if (readOnly_ || !e->mimeData()->hasText()) {
    e->ignore();
    return;
  }
  const std::int32_t at = layout_->PositionAt(ToDocument(e->position()));
  // Text dragged from here cannot go into itself.
  if (e->source() == this && at > SelectionStart() && at < SelectionEnd()) {
    e->ignore();
  } else {
    e->acceptProposedAction();
  }
  if (dropCaret_ >= 0) viewport()->update(ToViewport(layout_->CaretRect(dropCaret_, 1)));
  dropCaret_ = at;
  viewport()->update(ToViewport(layout_->CaretRect(dropCaret_, 1)));
  AfterLayoutQuestion();
}

void EditorWidget::dragLeaveEvent(QDragLeaveEvent* e) {
  if (dropCaret_ >= 0) viewport()->update(ToViewport(layout_->CaretRect(dropCaret_, 1)));
  dropCaret_ = -1;
  e->accept();
}

void EditorWidget::dropEvent(QDropEvent* e) {
  if (dropCaret_ >= 0) viewport()->update(ToViewport(layout_->CaretRect(dropCaret_, 1)));
  dropCaret_ = -1;
  if (readOnly_ || !e->mimeData()->hasText()) {
    e->ignore();
    return;
  }
  std::int32_t at = layout_->PositionAt(ToDocument(e->position()));
  const QString text = e->mimeData()->text();
  if (e->source() == this && e->dropAction() == Qt::MoveAction) {
    const std::int32_t from = SelectionStart();
    const std::int32_t to = SelectionEnd();
    if (at > from && at < to) {
      e->ignore();
      return;
    }
    Replace(from, to, {});
    if (at >= to) at -= to - from;
  }
  Replace(at, at, View(text));
  const std::int32_t end = caret_;
  Select(at, end);
  e->acceptProposedAction();
}

}  // namespace platform::richedit
