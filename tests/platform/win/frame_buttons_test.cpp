// Windows of fixed size typed for the window manager as having no minimise or maximise button, and
// the keyboard they hand back when they close (under a real X server: ./test.sh runs those under
// xvfb-run with the xcb platform; elsewhere they are skipped).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QWidget>
#include <QWindow>

#include "platform/win/window_record.h"
#include "support_x11.h"

using qmtest::Eventually;
using qmtest::OnX11;

namespace {

constexpr int kToolbarType = 0x000008;

int TypeOf(QWidget& window) {
  return window.windowHandle() != nullptr ? window.windowHandle()->property("_q_xcb_wm_window_type").toInt() : 0;
}

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(Eventually([&] { return QApplication::activeWindow() == &window; }));
}

}  // namespace

TEST(FrameButtons, AMessageBoxTypedForTheWindowManagerLeavesItsOwnersControlsAsTheyWere) {
  QWidget owner;
  auto* field = new QLineEdit(&owner);
  owner.show();
  QDialog box(&owner);
  platform::detail::ShowWithoutMinMaxButtons(&box);
  EXPECT_EQ(TypeOf(box), kToolbarType);
  // A native window for every control would draw, take input and hand over focus apart from the
  // window that holds them.
  EXPECT_FALSE(field->testAttribute(Qt::WA_NativeWindow));
  EXPECT_EQ(field->internalWinId(), 0u);
  EXPECT_FALSE(QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings));
}

TEST(FrameButtons, AFramelessWindowIsLeftAsItIs) {
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  platform::detail::ShowWithoutMinMaxButtons(&window);
  EXPECT_EQ(window.windowHandle(), nullptr);
}

TEST(FrameButtonsOnX11, AWindowHiddenWithTheKeyboardGivesItBackToTheWindowBeforeIt) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  QWidget before;
  before.setWindowTitle(QStringLiteral("before"));
  QWidget dialog;
  platform::detail::ShowWithoutMinMaxButtons(&dialog);
  ShowActive(before);
  for (int round = 0; round < 2; ++round) {  // the same again on the next showing
    ShowActive(dialog);
    dialog.hide();
    EXPECT_TRUE(Eventually([&] { return QApplication::activeWindow() == &before; })) << "round " << round;
  }
}

TEST(FrameButtonsOnX11, AWindowHiddenWithoutTheKeyboardLeavesItWhereItIs) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  QWidget before, elsewhere;
  QWidget dialog;
  platform::detail::ShowWithoutMinMaxButtons(&dialog);
  ShowActive(before);
  ShowActive(dialog);
  ShowActive(elsewhere);
  dialog.hide();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &elsewhere);
}
