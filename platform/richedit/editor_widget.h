// Inside the layer only: the rich edit control's editor widget, a plain-text editor whose keys,
// clipboard and line breaks follow the control's rules.
#pragma once

#include <QTextEdit>

namespace platform::richedit {

class EditorWidget : public QTextEdit {
 public:
  using QTextEdit::QTextEdit;

 protected:
  // Shift+Enter breaks the line as Enter does: the text knows no other kind of line break.
  void keyPressEvent(QKeyEvent* e) override;
  // The clipboard gets the selected characters as they are (the toolkit's own copy would turn
  // no-break spaces into spaces), lines separated by CR LF as the control's SelText has them.
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  // Pasted text goes in as plain text, whatever its line breaks.
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace platform::richedit
