#include "platform/richedit/editor_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleHints>
#include <QTimerEvent>
#include <QtMath>
#include <algorithm>

#include "platform/vb/clipboard.h"

namespace platform::richedit {
namespace {

constexpr int kCaretWidth = 1;
// ensure-visible keeps this much room beside the caret.
constexpr int kCaretRoom = 5;

QString ToQ(std::u16string_view s) { return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size())); }

}  // namespace

EditorWidget::EditorWidget(EditorText& text, QWidget* parent)
    : QAbstractScrollArea(parent), text_(text), layout_(std::make_unique<EditorLayout>(text)) {
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setCursor(Qt::IBeamCursor);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_KeyCompression);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAcceptDrops(true);
  layout_->SetFont(font());
  LayOutPage();
}

EditorWidget::~EditorWidget() = default;

// --- showing the text ------------------------------------------------------------------------------

QPointF EditorWidget::ToDocument(QPointF p) const {
  return p + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect EditorWidget::ToViewport(const QRectF& r) const {
  return r.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value()).toAlignedRect();
}

void EditorWidget::LayOutPage() {
  layout_->SetPageWidth(wrapWidth_ > 0 ? wrapWidth_ : viewport()->width());
  AdjustScrollBars();
  viewport()->update();
}

void EditorWidget::AdjustScrollBars() {
  // Showing or hiding a scroll bar changes the viewport, which may change the page: a few rounds
  // settle it.
  for (int round = 0; round < 4; ++round) {
    const QSize view = viewport()->size();
    const int height = qCeil(layout_->DocumentHeight());
    const int width = qCeil(layout_->PageWidth());
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    if (viewport()->size() == view) break;
    if (wrapWidth_ == 0) layout_->SetPageWidth(viewport()->width());
  }
}

void EditorWidget::AfterLayoutQuestion() {
  // Laying out for a question or a paint may have changed the height: the scroll bars and the
  // lines below catch up once the work at hand is done.
  if (!layout_->TakeHeightChanged() || sizePending_) return;
  sizePending_ = true;
  QPointer<EditorWidget> self(this);
  QMetaObject::invokeMethod(
      this,
      [self] {
        if (self == nullptr) return;
        self->sizePending_ = false;
        self->layout_->TakeHeightChanged();
        self->AdjustScrollBars();
        self->viewport()->update();
      },
      Qt::QueuedConnection);
}

void EditorWidget::RepaintLines(std::int32_t first, std::int32_t last, bool andBelow) {
  QRectF area = layout_->LineRect(first).united(layout_->LineRect(last));
  area.setLeft(0);
  area.setRight(std::max<qreal>(layout_->PageWidth(), viewport()->width() + horizontalScrollBar()->value()));
  if (andBelow) area.setBottom(std::max<qreal>(layout_->DocumentHeight(), verticalScrollBar()->value() + viewport()->height()));
  viewport()->update(ToViewport(area).adjusted(0, -1, 0, 1));
}

void EditorWidget::RepaintSelection(std::int32_t anchor, std::int32_t caret) {
  const std::int32_t first = layout_->LineOf(std::min(anchor, caret)).number;
  const std::int32_t last = layout_->LineOf(std::max(anchor, caret)).number;
  RepaintLines(first, last, false);
}

void EditorWidget::EnsureCaretVisible() {
  QRectF caret = layout_->CaretRect(caret_, kCaretWidth).adjusted(-kCaretRoom, 0, kCaretRoom, 0);
  AfterLayoutQuestion();
  if (caret.bottom() > verticalScrollBar()->maximum() + viewport()->height()) AdjustScrollBars();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  const QSize view = viewport()->size();
  if (caret.left() < h->value()) h->setValue(qFloor(caret.left()));
  else if (caret.right() > h->value() + view.width()) h->setValue(qCeil(caret.right() - view.width()));
  if (caret.top() < v->value()) v->setValue(qFloor(caret.top()));
  else if (caret.bottom() > v->value() + view.height()) v->setValue(qCeil(caret.bottom() - view.height()));
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
}

QRect EditorWidget::CaretRect(std::int32_t position) {
  const QRect r = ToViewport(layout_->CaretRect(text_.Snap(position), kCaretWidth));
  AfterLayoutQuestion();
  return r;
}

void EditorWidget::ShowCaret(bool on) {
  if (caretOn_ == on) return;
  caretOn_ = on;
  viewport()->update(ToViewport(layout_->CaretRect(caret_, kCaretWidth)));
}

void EditorWidget::RestartBlinking() {
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  if (focused_ && flash > 0) blink_.start(flash / 2, this);
  else blink_.stop();
  ShowCaret(focused_);
}

void EditorWidget::paintEvent(QPaintEvent* e) {
  QPainter painter(viewport());
  const QPointF offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
  painter.translate(-offset);
  EditorLayout::Look look;
  look.selectionStart = SelectionStart();
  look.selectionEnd = SelectionEnd();
  look.caret = dropCaret_ >= 0 ? dropCaret_ : (caretOn_ && isEnabled() ? caret_ : -1);
  look.caretWidth = kCaretWidth;
  look.palette = palette();
  look.preedit = preedit_;
  look.preeditCaret = preeditCaret_;
  if (!preedit_.isEmpty() && look.caret < 0 && dropCaret_ < 0) look.caret = caret_;
  look.group = focused_ ? QPalette::Active : QPalette::Inactive;
  if (!isEnabled()) look.group = QPalette::Disabled;
  layout_->Draw(painter, QRectF(e->rect()).translated(offset), look);
  AfterLayoutQuestion();
}

void EditorWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  if (wrapWidth_ == 0) LayOutPage();
  else AdjustScrollBars();
}

void EditorWidget::scrollContentsBy(int dx, int dy) {
  viewport()->scroll(dx, dy);
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
}

void EditorWidget::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  switch (e->type()) {
    case QEvent::FontChange:
      layout_->SetFont(font());
      LayOutPage();
      break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::ActivationChange:
      viewport()->update();
      break;
    default:
      break;
  }
}

void EditorWidget::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  focused_ = true;
  RestartBlinking();
  RepaintSelection(anchor_, caret_);
}

void EditorWidget::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  focused_ = false;
  blink_.stop();
  ShowCaret(false);
  RepaintSelection(anchor_, caret_);
}

void EditorWidget::timerEvent(QTimerEvent* e) {
  if (e->timerId() == blink_.timerId()) {
    ShowCaret(!caretOn_);
    return;
  }
  if (e->timerId() == tripleClick_.timerId()) {
    tripleClick_.stop();
    return;
  }
  if (e->timerId() == autoScroll_.timerId()) {
    // Selecting with the mouse beyond the edge scrolls the text under it.
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    const QRect visible = viewport()->rect();
    const int deltaY = std::max(at.y() - visible.top(), visible.bottom() - at.y()) - visible.height();
    const int deltaX = std::max(at.x() - visible.left(), visible.right() - at.x()) - visible.width();
    const int delta = std::max({deltaX, deltaY, 7});
    autoScroll_.start(4900 / (delta * delta), this);
    if (deltaY > 0)
      verticalScrollBar()->triggerAction(at.y() < visible.center().y() ? QAbstractSlider::SliderSingleStepSub
                                                                        : QAbstractSlider::SliderSingleStepAdd);
    if (deltaX > 0)
      horizontalScrollBar()->triggerAction(at.x() < visible.center().x() ? QAbstractSlider::SliderSingleStepSub
                                                                          : QAbstractSlider::SliderSingleStepAdd);
    if (mousePressed_) ExtendMouseSelection(layout_->PositionAt(ToDocument(at)));
    return;
  }
  QAbstractScrollArea::timerEvent(e);
}

// --- the selection and edits -------------------------------------------------------------------------

void EditorWidget::Select(std::int32_t anchor, std::int32_t caret) {
  anchor = text_.Snap(anchor);
  caret = text_.Snap(caret);
  const std::int32_t oldAnchor = anchor_;
  const std::int32_t oldCaret = caret_;
  if (anchor != oldAnchor || caret != oldCaret) {
    RepaintSelection(oldAnchor, oldCaret);
    anchor_ = anchor;
    caret_ = caret;
    RepaintSelection(anchor_, caret_);
  }
  goalX_ = -1;
  if (focused_) RestartBlinking();
  EnsureCaretVisible();
  if (SelectionChanged && (anchor != oldAnchor || caret != oldCaret)) SelectionChanged();
}

void EditorWidget::Replace(std::int32_t from, std::int32_t to, std::u16string_view with) {
  from = text_.Snap(from);
  to = text_.Snap(to);
  if (to < from) std::swap(from, to);
  if (from == to && with.empty()) return;
  Replace({vb::TextPlace{from, to - from, static_cast<std::int32_t>(with.size())}}, with);
}

void EditorWidget::Replace(std::vector<vb::TextPlace> places, std::u16string_view texts) {
  if (texts.empty() && std::all_of(places.begin(), places.end(), [](const vb::TextPlace& p) { return p.removed <= 0; }))
    return;
  if (anchor_ != caret_) RepaintSelection(anchor_, caret_);  // the selection goes, wherever it was
  EditorText::Change change = text_.Replace(std::move(places), texts);
  const EditorText::Edit& edit = change.span;
  const EditorLayout::Changed changed = layout_->Follow(edit);
  layout_->TakeHeightChanged();
  const std::int32_t oldCaret = caret_;
  const std::int32_t oldAnchor = anchor_;
  anchor_ = caret_ = edit.at + edit.inserted;
  goalX_ = -1;
  if (changed.moved) AdjustScrollBars();
  RepaintLines(changed.first, changed.last, changed.moved);
  if (focused_) RestartBlinking();
  EnsureCaretVisible();
  QPointer<EditorWidget> self(this);
  if (Edited) Edited(std::move(change));
  if (self == nullptr) return;
  if (SelectionChanged && (anchor_ != oldAnchor || caret_ != oldCaret)) SelectionChanged();
}

void EditorWidget::TextTaken() {
  layout_->Reset();
  anchor_ = caret_ = 0;
  goalX_ = -1;
  AdjustScrollBars();
  viewport()->update();
  EnsureCaretVisible();
}

void EditorWidget::Indent(std::ptrdiff_t first, std::ptrdiff_t last, double pixels) {
  text_.SetIndent(first, last, pixels);
  const EditorLayout::Changed changed = layout_->Reindented(first, last);
  layout_->TakeHeightChanged();
  if (changed.moved) AdjustScrollBars();
  RepaintLines(changed.first, changed.last, changed.moved);
}

void EditorWidget::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
}

void EditorWidget::SetWrapWidth(int pixels) {
  wrapWidth_ = std::max(pixels, 0);
  LayOutPage();
}

// --- the clipboard -----------------------------------------------------------------------------------

QMimeData* EditorWidget::SelectionAsMimeData() const {
  auto* data = new QMimeData;
  data->setText(ToQ(platform::ClipboardLineBreaks(text_.Range(SelectionStart(), SelectionEnd() - SelectionStart()))));
  return data;
}

void EditorWidget::InsertMimeData(const QMimeData* data) {
  if (data == nullptr || !data->hasText()) return;
  const QString text = data->text();
  ReplaceSelection(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

void EditorWidget::SetPrimarySelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (anchor_ == caret_ || !clipboard->supportsSelection()) return;
  clipboard->setMimeData(SelectionAsMimeData(), QClipboard::Selection);
}

void EditorWidget::Copy() {
  if (anchor_ == caret_) return;
  QGuiApplication::clipboard()->setMimeData(SelectionAsMimeData());
}

void EditorWidget::Cut() {
  if (anchor_ == caret_) return;
  Copy();
  if (!readOnly_) ReplaceSelection({});
}

void EditorWidget::Paste() {
  if (!readOnly_) InsertMimeData(QGuiApplication::clipboard()->mimeData());
}

}  // namespace platform::richedit
