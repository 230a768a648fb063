// Whose copy the clipboard holds under a real X server: the program's own (its SetText, a copy in
// one of its boxes) or another program's (xclip's).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <cstdlib>

#include "platform/vb/clipboard.h"
#include "support_x11.h"

using qmtest::Eventually;
using qmtest::OnX11;

TEST(DesktopOnX11, TheClipboardTellsTheProgramsOwnCopyFromAnotherProgramsCopy) {
  if (!OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  vb::Clipboard.SetText(u"своё");
  EXPECT_TRUE(vb::Clipboard.HoldsOwnCopy());
  // xclip keeps the clipboard in a process of its own until another program takes it.
  ASSERT_EQ(std::system("printf %s other | timeout 5 xclip -selection clipboard -i"), 0);
  EXPECT_TRUE(Eventually([] { return vb::Clipboard.GetText() == u"other"; }));
  // The text is read from its owner at once; that the program lost the clipboard it learns when its
  // event loop gets the server's notice, which may come after.
  EXPECT_TRUE(Eventually([] { return !vb::Clipboard.HoldsOwnCopy(); }));
  QApplication::clipboard()->setText(QStringLiteral("из поля ввода"));
  EXPECT_TRUE(Eventually([] { return vb::Clipboard.HoldsOwnCopy(); }));
}
