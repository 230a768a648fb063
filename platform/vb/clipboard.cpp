#include "platform/vb/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/vb/error.h"

namespace vb {

ClipboardObject Clipboard;

std::u16string ClipboardObject::GetText(int format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (format != vbCFText || data == nullptr || !data->hasText()) return {};
  const QString text = data->text();
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

void ClipboardObject::SetText(std::u16string_view text, int format) {
  if (format != vbCFText) Raise(err::kInvalidProcedureCall, u"Clipboard");  // text is the only format the program puts there
  QGuiApplication::clipboard()->setText(QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
}

void ClipboardObject::Clear() { QGuiApplication::clipboard()->clear(); }

bool ClipboardObject::GetFormat(int format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return format == vbCFText && data != nullptr && data->hasText();
}

}  // namespace vb
