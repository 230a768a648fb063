#include "platform/testing/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QRadioButton>
#include <QTimer>
#include <array>

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

void AnswerNextPrintDialog(int duplex, std::u16string* seenPrinter, int* seenDuplex) {
  QTimer::singleShot(0, [duplex, seenPrinter, seenDuplex] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")); printers && seenPrinter)
      *seenPrinter = printers->currentText().toStdU16String();
    // The dialog's own choices: one-sided, long edge, short edge.
    const std::array<QRadioButton*, 3> choices{dialog->findChild<QRadioButton*>(QStringLiteral("noDuplex")),
                                               dialog->findChild<QRadioButton*>(QStringLiteral("duplexLong")),
                                               dialog->findChild<QRadioButton*>(QStringLiteral("duplexShort"))};
    if (seenDuplex != nullptr) {
      *seenDuplex = 0;
      for (int i = 0; i < 3; ++i)
        if (choices[i] != nullptr && choices[i]->isEnabled() && choices[i]->isChecked()) *seenDuplex = i + 1;
    }
    if (duplex >= 1 && duplex <= 3 && choices[duplex - 1] != nullptr) choices[duplex - 1]->setChecked(true);
    dialog->accept();
  });
}

}  // namespace platform::testing
