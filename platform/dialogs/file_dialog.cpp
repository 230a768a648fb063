#include "platform/dialogs/file_dialog.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace platform::dialogs {
namespace {

// The longest name, in bytes, the folder takes (255 where it cannot be asked).
long NameLimit(const QString& folder) {
  const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
  return limit > 0 ? limit : 255;
}

}  // namespace

FileDialog::FileDialog(QWidget* parent, const QString& caption, const QString& folder)
    : QFileDialog(parent, caption, folder) {
  setOption(QFileDialog::DontUseNativeDialog);
}

void FileDialog::CheckNameLength(const QString& suffix) {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (grid == nullptr || edit == nullptr || notice_ != nullptr) return;
  suffix_ = suffix;
  notice_ = new QLabel(this);
  notice_->setWordWrap(true);
  notice_->setStyleSheet(QStringLiteral("color: #b00000"));
  notice_->hide();
  grid->addWidget(notice_, grid->rowCount(), 0, 1, grid->columnCount());
  // After the dialog's own check of the name, which may have enabled Save.
  connect(edit, &QLineEdit::textChanged, notice_, [this] { NameTooLong(); });
  connect(this, &QFileDialog::directoryEntered, notice_, [this] { NameTooLong(); });
}

bool FileDialog::NameTooLong() {
  auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (notice_ == nullptr || edit == nullptr) return false;
  const QFileInfo info(QDir(directory()), edit->text());
  QString name = info.fileName();
  const bool suffixAdded = !suffix_.isEmpty() && !name.isEmpty() && info.suffix().isEmpty();
  if (suffixAdded) name += QLatin1Char('.') + suffix_;
  const long bytes = QFile::encodeName(name).size();
  const long limit = NameLimit(info.absolutePath());
  const bool tooLong = bytes > limit;
  notice_->setVisible(tooLong);
  if (!tooLong) return false;
  notice_->setText(QStringLiteral("Имя файла%1 слишком длинное: %2 байт, а папка принимает имена не длиннее %3 байт "
                                  "(русская буква занимает два байта). Сократите имя.")
                       .arg(suffixAdded ? QStringLiteral(" с расширением \".%1\"").arg(suffix_) : QString())
                       .arg(bytes)
                       .arg(limit));
  if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
    if (QPushButton* save = buttons->button(QDialogButtonBox::Save)) save->setEnabled(false);
  }
  return true;
}

void FileDialog::accept() {
  if (acceptMode() == QFileDialog::AcceptSave && NameTooLong()) return;
  QFileDialog::accept();
}

}  // namespace platform::dialogs
