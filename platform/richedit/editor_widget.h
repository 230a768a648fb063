// Inside the layer only: the rich edit control's editor widget. It shows an EditorText through an
// EditorLayout and edits it as a plain-text editor does: caret and selection by keyboard and mouse,
// typing, deleting, the clipboard (lines separated by CR LF, characters as they are), dragging text,
// the X11 selection, input methods. Every edit, the user's or the control's, goes through Replace,
// which tells the control (Edited) before the selection moves on (SelectionChanged).
//
// Its keys are the toolkit's plain-text keys (the platform's key sequences for moves, selection,
// deletion and the clipboard); Shift+Enter breaks the line as Enter does. Undo and redo keys do
// nothing here: the program keeps its own edit history.
#pragma once

#include "platform/layer_only.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/editor_layout.h"
#include "platform/richedit/editor_text.h"

class QMimeData;

namespace platform::richedit {

class EditorWidget : public QAbstractScrollArea {
 public:
  explicit EditorWidget(EditorText& text, QWidget* parent = nullptr);
  ~EditorWidget() override;

  EditorLayout& Layout() { return *layout_; }
  const EditorText& Text() const { return text_; }

  std::int32_t Anchor() const { return anchor_; }
  std::int32_t Caret() const { return caret_; }
  std::int32_t SelectionStart() const { return std::min(anchor_, caret_); }
  std::int32_t SelectionEnd() const { return std::max(anchor_, caret_); }
  // Selects from `anchor` to `caret` (each kept within the text, out of a CR LF pair) and shows
  // the caret.
  void Select(std::int32_t anchor, std::int32_t caret);
  // Replaces the text from `from` to `to` with `with` (its line breaks become CR LF), leaving the
  // caret after it with nothing selected. Nothing happens when nothing would change.
  void Replace(std::int32_t from, std::int32_t to, std::u16string_view with);
  // The same in several places at once, as one edit (EditorText::Replace): the caret ends after the
  // last place's new text.
  void Replace(std::vector<vb::TextPlace> places, std::u16string_view texts);
  void ReplaceSelection(std::u16string_view with) { Replace(SelectionStart(), SelectionEnd(), with); }
  // The text was given anew (EditorText::Assign or its steps): laid out anew, caret at the start.
  void TextTaken();
  // Gives the paragraphs first..last the indent `pixels`.
  void Indent(std::ptrdiff_t first, std::ptrdiff_t last, double pixels);

  // Where the caret at `position` shows, in the viewport.
  QRect CaretRect(std::int32_t position);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // 0: lines wrap at the widget's width; else at this many pixels from its left edge.
  void SetWrapWidth(int pixels);

  void Copy();
  void Cut();
  void Paste();

  // The control hears of every edit (one place or several, with the text it removed) and of every
  // move of the caret or selection. Either may destroy the widget.
  std::function<void(EditorText::Change change)> Edited;
  std::function<void()> SelectionChanged;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // editor_widget.cpp: showing the text.
  QPointF ToDocument(QPointF viewportPoint) const;
  QRect ToViewport(const QRectF& documentRect) const;
  void AdjustScrollBars();
  void LayOutPage();
  void RepaintLines(std::int32_t first, std::int32_t last, bool andBelow);
  void RepaintSelection(std::int32_t anchor, std::int32_t caret);
  void EnsureCaretVisible();
  void ShowCaret(bool on);
  void RestartBlinking();
  void AfterLayoutQuestion();
  QMimeData* SelectionAsMimeData() const;
  void InsertMimeData(const QMimeData* data);
  void SetPrimarySelection();

  // editor_input.cpp: keys, mouse, input methods, dragging.
  bool MoveKey(QKeyEvent* e);
  bool EditKey(QKeyEvent* e);
  // Moves the caret to `caret` (keeping the anchor when `extend`).
  void MoveTo(std::int32_t caret, bool extend);
  bool MoveByLines(int lines, bool extend);
  void PageUpDown(bool down, bool extend);
  std::int32_t LineStart() ;
  std::int32_t LineEnd();
  void ExtendMouseSelection(std::int32_t at);
  void StartDrag();

  EditorText& text_;
  std::unique_ptr<EditorLayout> layout_;
  std::int32_t anchor_ = 0;
  std::int32_t caret_ = 0;
  qreal goalX_ = -1;  // the x vertical moves keep, or -1 when the next one takes the caret's
  bool readOnly_ = false;
  int wrapWidth_ = 0;
  bool caretOn_ = false;
  bool focused_ = false;
  QBasicTimer blink_;
  QBasicTimer autoScroll_;
  QBasicTimer tripleClick_;
  QPoint tripleClickPoint_;
  QPoint pressPoint_;
  bool mousePressed_ = false;
  bool mightStartDrag_ = false;
  // The word or paragraph a double or triple click selected, which a drag then extends by whole
  // words or paragraphs.
  std::int32_t unitFrom_ = -1;
  std::int32_t unitTo_ = -1;
  bool byParagraphs_ = false;
  std::int32_t dropCaret_ = -1;  // where dragged text would go
  QString preedit_;              // what an input method is composing at the caret
  int preeditCaret_ = 0;
  bool sizePending_ = false;
};

}  // namespace platform::richedit
