#include "platform/vb/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/vb/clipboard_owner.h"
#include "platform/vb/error.h"

namespace vb {

ClipboardObject Clipboard;

namespace {

std::uint32_t sequence = 1;
platform::ChangeNotice changes;
// Without a window system that tells the clipboard's owner: a test made the content as another
// program's copy (clipboard_owner.h).
bool anotherProgramsCopy = false;

// The content changed: the sequence number moves and the watches are told.
void Changed() {
  ++sequence;
  anotherProgramsCopy = false;
  changes.Tell();
}

bool OnX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// Counts the toolkit's change notices from the first use on.
void WatchChanges() {
  static bool watching = false;
  if (watching || QGuiApplication::instance() == nullptr) return;
  watching = true;
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, QGuiApplication::instance(), &Changed);
}

}  // namespace

platform::ChangeNotice& ClipboardObject::Changes() const {
  WatchChanges();
  return changes;
}

std::uint32_t ClipboardObject::SequenceNumber() const {
  WatchChanges();
  return sequence;
}

std::u16string ClipboardObject::GetText(int format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (format != vbCFText || data == nullptr || !data->hasText()) return {};
  const QString text = data->text();
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

void ClipboardObject::SetText(std::u16string_view text, int format) {
  if (format != vbCFText) Raise(err::kInvalidProcedureCall, u"Clipboard");  // text is the only format the program puts there
  WatchChanges();
  const std::u16string shared = platform::ClipboardLineBreaks(text);
  QGuiApplication::clipboard()->setText(QString(reinterpret_cast<const QChar*>(shared.data()), static_cast<qsizetype>(shared.size())));
  Changed();  // also when the toolkit tells no change (the same text again)
}

void ClipboardObject::Clear() {
  WatchChanges();
  QGuiApplication::clipboard()->clear();
  Changed();
}

bool ClipboardObject::HoldsOwnCopy() const {
  WatchChanges();
  return OnX() ? QGuiApplication::clipboard()->ownsClipboard() : !anotherProgramsCopy;
}

bool ClipboardObject::GetFormat(int format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return format == vbCFText && data != nullptr && data->hasText();
}

}  // namespace vb

namespace platform::detail {

void NoteAnotherProgramsCopy() { vb::anotherProgramsCopy = true; }

}  // namespace platform::detail

namespace platform {

std::u16string ClipboardLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      out.push_back(text[i]);
      continue;
    }
    out.push_back(u'\n');
    if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

}  // namespace platform
