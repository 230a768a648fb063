// The keyboard stays with shown windows under a real X server: when the active window hides, the
// window active before it gets the keyboard back, as a progress window hidden after a run gives it
// back to the editor. ./test.sh runs these under xvfb-run with the xcb platform; elsewhere skipped.
#include <gtest/gtest.h>

#include "platform/testing/win.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/focus.h"
#include "support_x11.h"

using qmtest::Eventually;
using qmtest::OnX11;

namespace {

class frmEditor : public vb::Form {
 public:
  vb::TextBox txtEdit{*this};

 protected:
  void Design() override {
    Move(1500, 1500, 6000, 4500);
    txtEdit.Move(0, 0, 3000, 315);
  }
};

class frmProgress : public vb::Form {
 public:
  vb::TextBox txtPath{*this};

 protected:
  void Design() override {
    Move(3000, 3000, 4000, 2000);
    txtPath.Move(0, 0, 3000, 315);
  }
};

}  // namespace

TEST(FocusOnX11, HidingTheActiveWindowGivesTheKeyboardBackToTheOneBefore) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  frmEditor editor;
  frmProgress progress;
  editor.Show();
  platform::testing::ShowAndWait(editor.hWnd());
  ASSERT_TRUE(Eventually([&] { return win::GetActiveWindow() == editor.hWnd(); }));

  // Shown and hidden again at once, as a short conversion does with its progress window, and again
  // after it had the keyboard for a while.
  for (bool waitForIt : {false, true}) {
    progress.Show();
    if (waitForIt) {
      ASSERT_TRUE(Eventually([&] { return win::GetActiveWindow() == progress.hWnd(); }));
    }
    progress.Hide();
    EXPECT_TRUE(Eventually([&] { return win::GetActiveWindow() == editor.hWnd(); })) << "wait " << waitForIt;
    // And it stays there once the server has answered everything.
    for (int i = 0; i < 50; ++i) vb::DoEvents();
    EXPECT_EQ(win::GetActiveWindow(), editor.hWnd()) << "wait " << waitForIt;
  }
  progress.Unload();
  editor.Unload();
}
