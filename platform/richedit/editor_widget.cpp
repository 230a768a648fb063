#include "platform/richedit/editor_widget.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <string>
#include <string_view>

#include "platform/richedit/line_breaks.h"

namespace platform::richedit {

void EditorWidget::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers().testFlag(Qt::ShiftModifier)) {
    QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(), e->isAutoRepeat(),
                    static_cast<ushort>(e->count()));
    QTextEdit::keyPressEvent(&plain);
    e->setAccepted(plain.isAccepted());
    return;
  }
  QTextEdit::keyPressEvent(e);
}

QMimeData* EditorWidget::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  const std::u16string text = FromDocumentText(textCursor().selectedText());
  data->setText(QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
  return data;
}

bool EditorWidget::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void EditorWidget::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  const QString text = source->text();
  QTextCursor c = textCursor();
  c.insertText(ToDocumentText(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()))));
  setTextCursor(c);
  ensureCursorVisible();
}

}  // namespace platform::richedit
