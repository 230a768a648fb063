// Forms under a real X server: an owned form belongs to its owner as X expresses it, a form or
// message box whose window another client destroys is closed as by its close box, so no modal loop
// waits for a window that is gone, and a close asked from outside while the program waits for
// another program does not reach the form. ./test.sh runs these under xvfb-run with the xcb platform;
// elsewhere they skip.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <chrono>

#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/testing/x11.h"
#include "platform/script/script.h"
#include "platform/vb/answering_wait.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/msgbox.h"
#include "support_x11.h"

using qmtest::Eventually;
using qmtest::OnX11;

namespace {

class frmOwner : public vb::Form {
 protected:
  void Design() override { Move(1500, 1500, 6000, 4500); }
};

// A dialog that says how it was asked to close and may refuse.
class frmDialog : public vb::Form {
 public:
  vb::CommandButton cmdOK{*this};
  int askedWith = -1;
  bool refuse = false;

 protected:
  void Design() override {
    Move(3000, 3000, 4000, 2000);
    BorderStyle(vb::vbFixedDouble);
    cmdOK.Move(120, 120, 1215, 375);
  }
  void Form_QueryUnload(int& cancel, int unloadMode) override {
    askedWith = unloadMode;
    if (refuse) cancel = 1;
  }
};

}  // namespace

TEST(FormsOnX11, AnOwnedFormIsTransientForItsOwnerWhateverItsBorder) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmOwner owner;
  frmDialog dialog;
  owner.Show();
  dialog.Show(vb::vbModeless, &owner);
  platform::testing::ShowAndWait(dialog.hWnd());
  const std::uint32_t ownerWindow = platform::testing::NativeWindowOnX11(owner.hWnd());
  EXPECT_TRUE(Eventually([&] { return platform::testing::TransientForOnX11(dialog.hWnd()) == ownerWindow; }));
  // A new border makes the toolkit give the window anew: it stays the owner's.
  dialog.BorderStyle(vb::vbSizable);
  EXPECT_TRUE(Eventually([&] { return platform::testing::TransientForOnX11(dialog.hWnd()) == ownerWindow; }));
  EXPECT_EQ(platform::testing::TransientForOnX11(owner.hWnd()), 0u);
  dialog.Unload();
  owner.Unload();
}

TEST(FormsOnX11, AModalFormDestroyedFromOutsideEndsItsLoopAsItsCloseBox) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmOwner owner;
  frmDialog dialog;
  owner.Show();
  bool closed = false;
  vb::testing::QueueModalAction([&] {
    platform::testing::ShowAndWait(dialog.hWnd());
    platform::testing::DestroyFromOutsideOnX11(dialog.hWnd());
    closed = Eventually([&] { return !dialog.IsLoaded(); });
  });
  dialog.Show(vb::vbModal, &owner);
  EXPECT_TRUE(closed);
  EXPECT_EQ(dialog.askedWith, vb::vbFormControlMenu);
  owner.Unload();
}

TEST(FormsOnX11, AFormThatStaysWhenItsWindowIsDestroyedGetsANewOne) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmOwner owner;
  frmDialog dialog;
  dialog.refuse = true;
  owner.Show();
  bool madeAnew = false;
  vb::testing::QueueModalAction([&] {
    platform::testing::ShowAndWait(dialog.hWnd());
    const std::uint32_t destroyed = platform::testing::NativeWindowOnX11(dialog.hWnd());
    platform::testing::DestroyFromOutsideOnX11(dialog.hWnd());
    madeAnew = Eventually([&] {
      const std::uint32_t now = platform::testing::NativeWindowOnX11(dialog.hWnd());
      return dialog.askedWith == vb::vbFormControlMenu && now != destroyed && platform::testing::ExistsOnX11(now);
    });
    EXPECT_TRUE(dialog.Visible());
    dialog.Hide();
  });
  dialog.Show(vb::vbModal, &owner);
  EXPECT_TRUE(madeAnew);
  EXPECT_TRUE(dialog.IsLoaded());
  dialog.refuse = false;
  dialog.Unload();
  owner.Unload();
}

// An owner whose window is destroyed and made anew keeps its own windows above it: theirs name the
// new window as their owner.
TEST(FormsOnX11, WindowsOfAnOwnerMadeAnewNameItsNewWindow) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmDialog owner;
  owner.refuse = true;
  frmDialog own;
  owner.Show();
  own.Show(vb::vbModeless, &owner);
  platform::testing::ShowAndWait(own.hWnd());
  const std::uint32_t destroyed = platform::testing::NativeWindowOnX11(owner.hWnd());
  ASSERT_TRUE(Eventually([&] { return platform::testing::TransientForOnX11(own.hWnd()) == destroyed; }));
  platform::testing::DestroyFromOutsideOnX11(owner.hWnd());
  const bool madeAnew = Eventually([&] {
    const std::uint32_t now = platform::testing::NativeWindowOnX11(owner.hWnd());
    return now != destroyed && platform::testing::ExistsOnX11(now);
  });
  EXPECT_TRUE(madeAnew);
  EXPECT_TRUE(Eventually([&] {
    return platform::testing::TransientForOnX11(own.hWnd()) == platform::testing::NativeWindowOnX11(owner.hWnd());
  }));
  own.Unload();
  owner.refuse = false;
  owner.Unload();
}

TEST(FormsOnX11, AMessageBoxDestroyedFromOutsideAnswersCancel) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  // A real message box, not a scripted one.
  platform::script::SetActive(false);
  bool destroyed = false;
  bool ended = false;
  platform::testing::PostAction([&] {
    Eventually([&] { return (destroyed = platform::testing::DestroyModalDialogFromOutsideOnX11()); });
    ended = Eventually([] { return !platform::testing::ModalDialogShown(); });
    platform::testing::CancelModalDialog();  // a box left waiting would hold the test for ever
  });
  const int answer = vb::MsgBox(u"Сохранить?", vb::vbOKCancel, u"Проверка");
  platform::script::SetActive(true);
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(ended);
  EXPECT_EQ(answer, vb::vbCancel);
}

// A question without Cancel whose window another program destroys comes back in a new window and
// waits for its answer: nobody answers No to "save the changes?" for the user.
TEST(FormsOnX11, AYesNoQuestionDestroyedFromOutsideComesBackUntilAnswered) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  platform::script::SetActive(false);
  std::uint32_t destroyed = 0;
  bool back = false;
  platform::testing::RealMessageBox seen;
  platform::testing::PostAction([&] {
    Eventually([&] { return (destroyed = platform::testing::ModalWindowOnX11()) != 0; });
    platform::testing::DestroyModalDialogFromOutsideOnX11();
    back = Eventually([&] {
      const std::uint32_t now = platform::testing::ModalWindowOnX11();
      return now != 0 && now != destroyed && platform::testing::ExistsOnX11(now);
    });
    if (back) {
      platform::testing::PressInNextMessageBox(u"Да", &seen);
    } else {
      platform::testing::CancelModalDialog();  // a box left waiting would hold the test for ever
    }
  });
  const int answer = vb::MsgBox(u"Документ был изменен. Сохранить?", vb::vbYesNo + vb::vbQuestion, u"Проверка");
  platform::script::SetActive(true);
  EXPECT_NE(destroyed, 0u);
  EXPECT_TRUE(back);
  EXPECT_EQ(answer, vb::vbYes);
}

// While the program waits for another program (a save waiting for another copy's rewrite of its
// file), a request from outside to close a window, as by its close box, does not reach the form:
// its unload does not run in the middle of the save. Once the wait is over, the close box closes it.
TEST(FormsOnX11, ACloseAskedFromOutsideWhileTheProgramWaitsDoesNotReachTheForm) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmDialog form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  const vb::testing::WaitClockReplacement stopped([] { return std::chrono::steady_clock::time_point{}; });
  // Sees the window asked to repaint, which the X server sends after the close: by then the close
  // has come in, and the wait has held it back or refused it.
  class Repainted : public QObject {
   public:
    bool seen = false;

   protected:
    bool eventFilter(QObject*, QEvent* e) override {
      seen = seen || e->type() == QEvent::Expose;
      return false;
    }
  } repainted;
  QCoreApplication::instance()->installEventFilter(&repainted);
  int asked = 0;
  EXPECT_TRUE(vb::WaitAnswering(
      [&] {
        // The first ask comes before the wait has begun.
        if (++asked == 2) {
          repainted.seen = false;
          platform::testing::AskToCloseFromOutsideOnX11(form.hWnd());
          platform::testing::ExposeFromOutsideOnX11(form.hWnd());
        }
        return repainted.seen;
      },
      std::chrono::hours(1)));
  QCoreApplication::instance()->removeEventFilter(&repainted);
  EXPECT_EQ(form.askedWith, -1) << "the form was asked to unload in the middle of the wait";
  EXPECT_TRUE(form.IsLoaded());

  platform::testing::AskToCloseFromOutsideOnX11(form.hWnd());
  EXPECT_TRUE(Eventually([&] { return !form.IsLoaded(); }));
  EXPECT_EQ(form.askedWith, vb::vbFormControlMenu);
}
