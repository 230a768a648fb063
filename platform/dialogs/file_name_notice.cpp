#include "platform/dialogs/file_name_notice.h"

#include <unistd.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace platform::dialogs {
namespace {

// The longest name, in bytes, the folder takes (255 where it cannot be asked).
long NameLimit(const QString& folder) {
  const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
  return limit > 0 ? limit : 255;
}

void Update(QFileDialog& dialog, QLabel& notice, const QString& typed) {
  const QFileInfo info(QDir(dialog.directory()), typed);
  const long bytes = QFile::encodeName(info.fileName()).size();
  const long limit = NameLimit(info.absolutePath());
  notice.setVisible(bytes > limit);
  if (bytes > limit)
    notice.setText(QStringLiteral("Имя файла слишком длинное: %1 байт, а папка принимает имена не длиннее %2 байт "
                                  "(русская буква занимает два байта). Сократите имя.")
                       .arg(bytes)
                       .arg(limit));
}

}  // namespace

QLabel* AddNameLengthNotice(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (grid == nullptr || edit == nullptr) return nullptr;
  auto* notice = new QLabel(&dialog);
  notice->setWordWrap(true);
  notice->setStyleSheet(QStringLiteral("color: #b00000"));
  notice->hide();
  grid->addWidget(notice, grid->rowCount(), 0, 1, grid->columnCount());
  QObject::connect(edit, &QLineEdit::textChanged, notice,
                   [&dialog, notice](const QString& typed) { Update(dialog, *notice, typed); });
  return notice;
}

}  // namespace platform::dialogs
