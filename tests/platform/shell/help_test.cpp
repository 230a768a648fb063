// The help engine opens a help file with the desktop's program for its type, and fails as the
// platform does when there is none. DesktopOnX11 opens one for real through the desktop's opener
// (./test.sh runs it under xvfb-run); elsewhere it skips.
#include "platform/shell/help.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "platform/shell/shell.h"
#include "platform/vb/strings.h"
#include "support.h"
#include "support_desktop.h"
#include "support_x11.h"

namespace {

class WinHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetOpenHandler([this](const std::u16string& url) {
      opened.push_back(url);
      return true;
    });
  }
  void TearDown() override { platform::testing::SetOpenHandler(nullptr); }
  std::u16string File(const std::string& name) {
    qmtest::WriteBytes(dir.path() / name, "<html><body>Справка</body></html>\n");
    return vb::FromUtf8((dir.path() / name).string());
  }
  qmtest::PrivateDesktop desktop;
  qmtest::TempDir dir;
  std::vector<std::u16string> opened;
};

}  // namespace

TEST_F(WinHelp, OpensTheFileWithTheDesktopsProgramForItsTypeAndFailsWithoutOne) {
  const std::u16string page = File("Справка.html");
  const std::u16string manual = File("manual.pdf");
  // Nobody opens either type yet.
  EXPECT_EQ(win::WinHelpA(0, page, win::HELP_CONTENTS, 0), win::FALSE);
  EXPECT_TRUE(opened.empty());

  desktop.Opens("text/html");
  EXPECT_NE(win::WinHelpA(0, page, win::HELP_CONTENTS, 0), win::FALSE);
  EXPECT_EQ(win::WinHelpA(0, manual, win::HELP_CONTEXT, 257), win::FALSE);
  // "\" separates folders as "/" does; the command plays no part.
  std::u16string backslashed = page;
  std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
  EXPECT_NE(win::WinHelpA(0, backslashed, win::HELP_KEY, 257), win::FALSE);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], u"file://" + page);
  EXPECT_EQ(opened[1], opened[0]);

  // A missing file fails; closing help has nothing to close and opens nothing.
  EXPECT_EQ(win::WinHelpA(0, vb::FromUtf8((dir.path() / "none.html").string()), win::HELP_CONTENTS, 0), win::FALSE);
  EXPECT_NE(win::WinHelpA(0, page, win::HELP_QUIT, 0), win::FALSE);
  EXPECT_EQ(opened.size(), 2u);
}

TEST_F(WinHelp, AProgramForAKindOfTheTypeOpensItToo) {
  // HTML is a kind of plain text: a text viewer opens an HTML help file.
  desktop.Opens("text/plain");
  EXPECT_NE(win::WinHelpA(0, File("index.htm"), win::HELP_CONTENTS, 0), win::FALSE);
  EXPECT_EQ(opened.size(), 1u);
}

TEST(DesktopOnX11, AHelpFileOpensInTheDesktopsProgram) {
  if (!qmtest::OnX11()) GTEST_SKIP() << "needs an X server (./test.sh runs it under xvfb-run)";
  qmtest::PrivateDesktop desktop;
  desktop.Opens("text/html");
  qmtest::TempDir dir;
  const std::filesystem::path page = dir.path() / "Справка программы.html";
  qmtest::WriteBytes(page, "<html><body>Справка</body></html>\n");
  ASSERT_NE(win::WinHelpA(0, vb::FromUtf8(page.string()), win::HELP_CONTENTS, 0), win::FALSE);
  ASSERT_TRUE(qmtest::Eventually([&] { return std::filesystem::exists(desktop.opened()); }));
  EXPECT_EQ(qmtest::ReadBytes(desktop.opened()), page.string());
}
