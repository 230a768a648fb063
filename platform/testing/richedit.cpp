#include "platform/testing/richedit.h"

#include <QString>
#include <QTextDocument>
#include <QTextEdit>
#include <chrono>
#include <memory>

namespace platform::testing {

double BareSetPlainTextMilliseconds(const std::u16string& lfText) {
  auto editor = std::make_unique<QTextEdit>();
  editor->setAcceptRichText(false);
  editor->document()->setUndoRedoEnabled(false);
  const QString text(reinterpret_cast<const QChar*>(lfText.data()), static_cast<qsizetype>(lfText.size()));
  const auto start = std::chrono::steady_clock::now();
  editor->document()->setPlainText(text);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace platform::testing
