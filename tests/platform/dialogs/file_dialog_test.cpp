// The save dialog's check of the name's length: the line under the name field shows, with the name's
// length in bytes (the extension the save adds counted), while the typed name is longer than the
// folder takes; Save is grey and the dialog refuses it meanwhile; a name that fits clears both.
#include "platform/dialogs/file_dialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support.h"

namespace {

struct SaveDialog {
  qmtest::TempDir dir;
  platform::dialogs::FileDialog dialog{nullptr, QStringLiteral("Сохранение документа"),
                                       QString::fromStdString(dir.path().string())};
  QLineEdit* edit = nullptr;
  QStringList chosen;

  SaveDialog() {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.CheckNameLength(QStringLiteral("txt"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QObject::connect(&dialog, &QFileDialog::filesSelected, [this](const QStringList& files) { chosen = files; });
  }
  bool NoticeShown() const { return dialog.NameNotice()->isVisibleTo(&dialog); }
  bool SaveEnabled() const {
    return dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Save)->isEnabled();
  }
  // As Enter in the name field or a click on Save would.
  bool Accepted() {
    chosen.clear();
    QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    return !chosen.isEmpty();
  }
};

}  // namespace

TEST(SaveDialogNames, ANameLongerThanTheFolderTakesIsSaidGreyedAndRefusedAndAShorterOneClearsIt) {
  SaveDialog d;
  ASSERT_NE(d.dialog.NameNotice(), nullptr);
  ASSERT_NE(d.edit, nullptr);
  EXPECT_FALSE(d.NoticeShown());

  d.edit->setText(QString(300, QLatin1Char('a')) + QStringLiteral(".txt"));
  EXPECT_TRUE(d.NoticeShown());
  EXPECT_TRUE(d.dialog.NameNotice()->text().contains(QStringLiteral("304 байт"))) << d.dialog.NameNotice()->text().toStdString();
  EXPECT_TRUE(d.dialog.NameNotice()->text().contains(QStringLiteral("255 байт")));
  EXPECT_FALSE(d.SaveEnabled());
  EXPECT_FALSE(d.Accepted());

  d.edit->setText(QStringLiteral("short"));
  EXPECT_FALSE(d.NoticeShown());
  EXPECT_TRUE(d.SaveEnabled());
  EXPECT_TRUE(d.Accepted());
}

TEST(SaveDialogNames, TheExtensionTheSaveAddsAndTheBytesOfRussianLettersCount) {
  SaveDialog d;
  // 252 letters fit, but not with ".txt": the dialog greys Save, and the notice says why.
  d.edit->setText(QString(252, QLatin1Char('a')));
  EXPECT_TRUE(d.NoticeShown());
  EXPECT_TRUE(d.dialog.NameNotice()->text().contains(QStringLiteral("с расширением \".txt\"")));
  EXPECT_TRUE(d.dialog.NameNotice()->text().contains(QStringLiteral("256 байт")));
  EXPECT_FALSE(d.Accepted());

  // 200 Russian letters are 404 bytes with ".txt": too long, though 204 letters would fit; the
  // dialog itself would let them through to a save the file system refuses.
  d.edit->setText(QString(200, QChar(0x044F)));
  EXPECT_TRUE(d.NoticeShown());
  EXPECT_TRUE(d.dialog.NameNotice()->text().contains(QStringLiteral("404 байт")));
  EXPECT_FALSE(d.SaveEnabled());
  EXPECT_FALSE(d.Accepted());

  d.edit->setText(QString(120, QChar(0x044F)));
  EXPECT_FALSE(d.NoticeShown());
  EXPECT_TRUE(d.Accepted());
}
