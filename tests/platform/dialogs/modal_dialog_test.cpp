// A modal dialog over a window that goes while the dialog waits (a handler unloads it, another
// program closes it): the dialog goes with it and counts as cancelled, and nothing is deleted twice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/dialogs/font_dialog.h"

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
