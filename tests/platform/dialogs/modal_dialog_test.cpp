// A modal dialog over a window that goes while the dialog waits (a handler unloads it, another
// program closes it): the dialog goes with it and counts as cancelled, and nothing is deleted twice.
// A window hidden on its way out owns no dialog shown after it. The colour dialog is one of them,
// and answered it gives the colour chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/dialogs/choose_dialogs.h"
#include "platform/dialogs/font_dialog.h"
#include "platform/script/script.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/testing/dialogs.h"
#include "platform/vb/strings.h"
#include "support.h"

TEST(ModalDialogs, ADialogWhoseOwnerGoesWhileItWaitsIsCancelled) {
  QPointer<QWidget> owner = new QWidget;
  owner->show();
  bool shown = false;
  QTimer::singleShot(0, [&] {
    shown = QApplication::activeModalWidget() != nullptr;
    delete owner.data();
  });
  EXPECT_FALSE(platform::detail::AskForFont(QFont(QStringLiteral("DejaVu Sans"), 10), owner).has_value());
  EXPECT_TRUE(shown);
  EXPECT_TRUE(owner.isNull());
}

TEST(ModalDialogs, AWindowHiddenOnItsWayOutOwnsNoDialogShownAfterIt) {
  // A form unloaded right after it was shown: the window system's word that it is active arrives
  // after it was hidden, and it is deleted only when an event loop next runs.
  auto* unloaded = new QWidget;
  unloaded->show();
  unloaded->activateWindow();
  unloaded->hide();
  unloaded->deleteLater();
  QCoreApplication::processEvents();

  qmtest::TempDir dir;
  const std::u16string folder = vb::FromUtf8((dir.path() / "Резервные копии").string());
  std::filesystem::create_directories(dir.path() / "Резервные копии");
  std::u16string title;
  platform::script::SetActive(false);
  platform::testing::ChooseInNextFileDialog(folder, &title, nullptr);
  win::BROWSEINFOA bi{};
  bi.lpszTitle = u"Выберите папку";
  const win::PIDLIST_ABSOLUTE chosen = win::SHBrowseForFolderA(&bi);
  platform::script::SetActive(true);
  std::u16string path(win::MAX_PATH, u'\0');
  EXPECT_TRUE(win::SHGetPathFromIDListA(chosen, path.data()));
  EXPECT_EQ(path.substr(0, path.find(u'\0')), folder);
  EXPECT_EQ(title, u"Выберите папку");
  win::CoTaskMemFree(chosen);
}

TEST(ModalDialogs, AColourDialogWhoseOwnerGoesWhileItWaitsIsCancelled) {
  QPointer<QWidget> owner = new QWidget;
  owner->show();
  QApplication::setActiveWindow(owner);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    shown = QApplication::activeModalWidget() != nullptr;
    delete owner.data();
  });
  platform::script::SetActive(false);
  win::CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.Flags = win::CC_RGBINIT;
  cc.rgbResult = 0x336699;
  EXPECT_FALSE(win::ChooseColorA(&cc));
  platform::script::SetActive(true);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(owner.isNull());
  EXPECT_EQ(cc.rgbResult, 0x336699u);
}

TEST(ModalDialogs, AColourDialogAnsweredGivesTheColourChosen) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
    dialog->accept();
  });
  platform::script::SetActive(false);
  win::CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  const bool chosen = win::ChooseColorA(&cc);
  platform::script::SetActive(true);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(cc.rgbResult, 0x332211u);
}
