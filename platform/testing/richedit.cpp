#include "platform/testing/richedit.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <chrono>
#include <memory>

namespace platform::testing {
namespace {

QString ToQ(const std::u16string& s) { return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size())); }

}  // namespace

std::u16string RussianProse(std::size_t length) {
  const std::u16string sentence = u"Съешь же ещё этих мягких французских булок, да выпей чаю. ";
  std::u16string text;
  text.reserve(length + sentence.size());
  while (text.size() < length) text += sentence;
  text.resize(length);
  return text;
}

struct BareTextDocument::Document {
  QTextDocument document;
};

BareTextDocument::BareTextDocument(const std::u16string& lfText) : document_(std::make_unique<Document>()) {
  document_->document.setPlainText(ToQ(lfText));
  document_->document.clearUndoRedoStacks();
}

BareTextDocument::~BareTextDocument() = default;

std::int64_t BareTextDocument::ReplaceAll(const std::u16string& what, const std::u16string& with, double& milliseconds) {
  QTextDocument& document = document_->document;
  const QString needle = ToQ(what);
  const QString replacement = ToQ(with);
  std::int64_t count = 0;
  const auto start = std::chrono::steady_clock::now();
  QTextCursor block(&document);
  block.beginEditBlock();
  for (QTextCursor found = document.find(needle, 0); !found.isNull(); found = document.find(needle, found)) {
    found.insertText(replacement);
    ++count;
  }
  block.endEditBlock();
  milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return count;
}

void BareTextDocument::Undo() { document_->document.undo(); }

std::size_t BareTextDocument::Length() const { return static_cast<std::size_t>(document_->document.characterCount() - 1); }

struct BarePlainTextEditor::Widget {
  QPlainTextEdit edit;
};

BarePlainTextEditor::BarePlainTextEditor(const std::u16string& lfText, int width, int height)
    : widget_(std::make_unique<Widget>()) {
  QPlainTextEdit& edit = widget_->edit;
  edit.setUndoRedoEnabled(false);
  edit.setPlainText(ToQ(lfText));
  edit.resize(width, height);
  edit.show();
  (void)QTest::qWaitForWindowExposed(&edit);
  edit.activateWindow();
  edit.setFocus();
  edit.moveCursor(QTextCursor::End);
  QApplication::processEvents();
}

BarePlainTextEditor::~BarePlainTextEditor() = default;

void BarePlainTextEditor::Type(char16_t c) {
  // As the control's keys are given in tests: a press and a release sent to the editor.
  const QString text(QChar(static_cast<char16_t>(c)));
  QTest::sendKeyEvent(QTest::Press, &widget_->edit, Qt::Key_A, text, Qt::NoModifier);
  QTest::sendKeyEvent(QTest::Release, &widget_->edit, Qt::Key_A, text, Qt::NoModifier);
  QApplication::processEvents();
}

std::size_t BarePlainTextEditor::Length() const {
  return static_cast<std::size_t>(widget_->edit.document()->characterCount() - 1);
}

}  // namespace platform::testing
