#include "platform/testing/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

namespace platform::testing {

void ChooseInNextFileDialog(const std::u16string& path, std::u16string* seenTitle, std::u16string* seenStart) {
  QTimer::singleShot(0, [path, seenTitle, seenStart] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    if (seenTitle != nullptr) *seenTitle = dialog->windowTitle().toStdU16String();
    if (seenStart != nullptr) *seenStart = dialog->directory().absolutePath().toStdU16String();
    if (path.empty()) {
      dialog->reject();
      return;
    }
    const QFileInfo chosen(QString::fromStdU16String(path));
    dialog->setDirectory(chosen.absolutePath());
    dialog->selectFile(chosen.fileName());
    static_cast<QDialog*>(dialog)->accept();  // through the file dialog's own checks
  });
}

}  // namespace platform::testing
