#include "platform/dialogs/file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "platform/script/script.h"

namespace win {
namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}
QString FilePath(std::u16string_view path) {
  QString p = ToQ(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

// The NUL-separated strings of a filter block, up to the empty string that closes it.
std::vector<std::u16string> FilterStrings(const char16_t* block) {
  std::vector<std::u16string> out;
  if (block == nullptr) return out;
  for (const char16_t* p = block; *p != 0;) {
    std::u16string s(p);
    p += s.size() + 1;
    out.push_back(std::move(s));
  }
  return out;
}

// The block as the dialog saw it: each string with its NUL.
std::u16string FilterBlock(const std::vector<std::u16string>& parts) {
  std::u16string b;
  for (const auto& s : parts) b += s + u'\0';
  return b;
}

// Description and pattern pairs as the toolkit's name filters, "description (pattern pattern)".
QStringList NameFilters(const std::vector<std::u16string>& parts) {
  QStringList out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = ToQ(parts[i + 1]);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.trimmed().isEmpty()) continue;
    out << ToQ(parts[i]) + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
  }
  return out;
}

std::u16string Text(const char16_t* p) { return p != nullptr ? std::u16string(p) : std::u16string(); }

// Copies text and its NUL into a buffer of `size` units; false when it does not fit.
bool Put(char16_t* buffer, DWORD size, const std::u16string& text) {
  if (buffer == nullptr || text.size() + 1 > size) return false;
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return true;
}

BOOL Run(OPENFILENAMEA* ofn, bool save) {
  if (ofn == nullptr || ofn->lStructSize != sizeof(OPENFILENAMEA) || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0)
    return FALSE;
  const std::vector<std::u16string> filter = FilterStrings(ofn->lpstrFilter);
  const std::u16string title = ofn->lpstrTitle != nullptr && *ofn->lpstrTitle != 0 ? Text(ofn->lpstrTitle)
                               : save                                             ? u"Сохранить как"
                                                                                  : u"Открыть";
  const std::u16string offered(ofn->lpstrFile, std::find(ofn->lpstrFile, ofn->lpstrFile + ofn->nMaxFile, u'\0'));
  const QString defaultExt = ToQ(Text(ofn->lpstrDefExt));
  QString chosen;
  platform::script::Shown shown;
  shown.kind = save ? platform::script::Kind::SaveFile : platform::script::Kind::OpenFile;
  shown.title = title;
  shown.prompt = FilterBlock(filter);
  shown.flags = static_cast<int>(ofn->Flags);
  if (auto answer = platform::script::Take(shown)) {
    if (answer->result == 0 || answer->text.empty()) return FALSE;
    chosen = FilePath(answer->text);
  } else {
    const QString dir = ofn->lpstrInitialDir != nullptr && *ofn->lpstrInitialDir != 0 ? FilePath(Text(ofn->lpstrInitialDir))
                                                                                   : QDir::currentPath();
    QFileDialog dialog(QApplication::activeWindow(), ToQ(title), dir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && (ofn->Flags & OFN_OVERWRITEPROMPT) == 0) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFilters(filter);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      const int index = std::clamp<int>(static_cast<int>(ofn->nFilterIndex), 1, static_cast<int>(filters.size()));
      dialog.selectNameFilter(filters.value(index - 1));
    }
    dialog.setDefaultSuffix(defaultExt);
    if (!offered.empty()) dialog.selectFile(FilePath(offered));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return FALSE;
    chosen = dialog.selectedFiles().constFirst();
    if (const qsizetype i = filters.indexOf(dialog.selectedNameFilter()); i >= 0) ofn->nFilterIndex = static_cast<DWORD>(i + 1);
  }
  if (save && !defaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QLatin1Char('.') + defaultExt;
  const std::u16string path = FromQ(QDir::toNativeSeparators(chosen));
  const std::u16string name = FromQ(QFileInfo(chosen).fileName());
  if (!Put(ofn->lpstrFile, ofn->nMaxFile, path)) return FALSE;
  if (ofn->lpstrFileTitle != nullptr) Put(ofn->lpstrFileTitle, ofn->nMaxFileTitle, name);
  ofn->nFileOffset = static_cast<WORD>(path.size() - name.size());
  const std::size_t dot = name.rfind(u'.');
  ofn->nFileExtension = static_cast<WORD>(dot == std::u16string::npos ? path.size() : ofn->nFileOffset + dot + 1);
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, true); }

}  // namespace win
