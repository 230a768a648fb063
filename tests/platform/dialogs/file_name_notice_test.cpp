// The save dialog's line under the name field: shown, with the name's length, while the typed name
// is longer than the folder takes (where the dialog greys its Save button), and gone once it fits.
#include "platform/dialogs/file_name_notice.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>

#include "support.h"

TEST(SaveDialogNameNotice, ANameLongerThanTheFolderTakesIsSaidAndAShorterOneClearsIt) {
  qmtest::TempDir dir;
  QFileDialog dialog(nullptr, QStringLiteral("Сохранение документа"), QString::fromStdString(dir.path().string()));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QLabel* notice = platform::dialogs::AddNameLengthNotice(dialog);
  ASSERT_NE(notice, nullptr);
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(notice->isVisibleTo(&dialog));

  edit->setText(QString(300, QLatin1Char('a')));
  EXPECT_TRUE(notice->isVisibleTo(&dialog));
  EXPECT_TRUE(notice->text().contains(QStringLiteral("300 байт"))) << notice->text().toStdString();
  EXPECT_TRUE(notice->text().contains(QStringLiteral("255 байт")));

  edit->setText(QStringLiteral("short.txt"));
  EXPECT_FALSE(notice->isVisibleTo(&dialog));

  // 200 Russian letters are 400 bytes: too long, though 200 characters would fit.
  edit->setText(QString(200, QChar(0x044F)));
  EXPECT_TRUE(notice->isVisibleTo(&dialog));
  EXPECT_TRUE(notice->text().contains(QStringLiteral("400 байт")));
}
