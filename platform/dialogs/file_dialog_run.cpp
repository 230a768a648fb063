#include "platform/dialogs/file_dialog_run.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

#include "platform/dialogs/file_dialog.h"
#include "platform/script/script.h"
#include "platform/vb/modal_dialog.h"

namespace platform::dialogs {
namespace {

QString FilePath(const std::u16string& path) {
  QString p = QString::fromStdU16String(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

// Description and pattern pairs as the toolkit's name filters, "description (pattern pattern)".
QStringList NameFilters(const std::vector<std::u16string>& parts) {
  QStringList out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = QString::fromStdU16String(parts[i + 1]);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.trimmed().isEmpty()) continue;
    out << QString::fromStdU16String(parts[i]) + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
  }
  return out;
}

std::optional<QString> Show(FileDialogRequest& request) {
  const QString dir = request.initialDir.empty() ? QDir::currentPath() : FilePath(request.initialDir);
  platform::detail::ModalDialog<FileDialog> dialog(platform::detail::DialogOwner(), QString::fromStdU16String(request.title),
                                                   dir);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (request.save && !request.confirmOverwrite) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  if (request.save) dialog->CheckNameLength(QString::fromStdU16String(request.defaultSuffix));
  const QStringList filters = NameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.value(std::clamp<int>(request.filterIndex, 1, static_cast<int>(filters.size())) - 1));
  }
  dialog->setDefaultSuffix(QString::fromStdU16String(request.defaultSuffix));
  if (!request.offered.empty()) dialog->selectFile(FilePath(request.offered));
  if (!dialog.Accepted() || dialog->selectedFiles().isEmpty()) return std::nullopt;
  if (const qsizetype i = filters.indexOf(dialog->selectedNameFilter()); i >= 0) request.filterIndex = static_cast<int>(i) + 1;
  return dialog->selectedFiles().constFirst();
}

}  // namespace

std::optional<std::u16string> RunFileDialog(FileDialogRequest& request) {
  script::Shown shown;
  shown.kind = request.save ? script::Kind::SaveFile : script::Kind::OpenFile;
  shown.title = request.title;
  shown.prompt = request.scriptPrompt;
  shown.flags = request.scriptFlags;
  QString chosen;
  if (auto answer = script::Take(shown)) {
    if (answer->result == 0 || answer->text.empty()) return std::nullopt;
    chosen = FilePath(answer->text);
  } else if (auto shownChoice = Show(request)) {
    chosen = *shownChoice;
  } else {
    return std::nullopt;
  }
  const QString suffix = QString::fromStdU16String(request.defaultSuffix);
  if (request.save && !suffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QLatin1Char('.') + suffix;
  return chosen.toStdU16String();
}

}  // namespace platform::dialogs
