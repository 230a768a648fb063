// Starting programs: how a command line is cut into the program and its arguments (no shell reads
// it), a real start in a chosen folder, and the Run window's list of commands run.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/shell/run_history.h"
#include "platform/shell/shell.h"
#include "platform/testing/shell.h"
#include "support.h"

using namespace qmtest;
using platform::shell::SplitCommand;
using Words = std::vector<std::u16string>;

TEST(CommandWords, OnlyBlanksAndDoubleQuotesAreSpecial) {
  EXPECT_EQ(SplitCommand(u"gedit \"/home/я/Мои документы/письмо.txt\""),
            (Words{u"gedit", u"/home/я/Мои документы/письмо.txt"}));
  EXPECT_EQ(SplitCommand(u"  a   b  "), (Words{u"a", u"b"}));
  EXPECT_EQ(SplitCommand(u"a\"b c\"d \"\""), (Words{u"ab cd", u""}));
  // What a shell would read differently is passed on as typed.
  EXPECT_EQ(SplitCommand(u"echo 'a b' $HOME *.txt | wc > out; x"),
            (Words{u"echo", u"'a", u"b'", u"$HOME", u"*.txt", u"|", u"wc", u">", u"out;", u"x"}));
  EXPECT_TRUE(SplitCommand(u"   ").empty());
}

TEST(CommandWords, BackslashesAreSeparatorsInTheProgramOnly) {
  EXPECT_EQ(SplitCommand(u"\\usr\\bin\\printf a\\nb C:\\temp"), (Words{u"/usr/bin/printf", u"a\\nb", u"C:\\temp"}));
}

TEST(ProgramStart, ArgumentsArriveAsWordsInTheFolderAsked) {
  TempDir dir;
  const std::filesystem::path out = dir.path() / "out.txt";
  const Words words =
      SplitCommand(u"/bin/sh -c \"set -f; pwd > out.txt; for a; do echo $a; done >> out.txt; echo end >> out.txt\" sh \"a b\" c\\d *");
  ASSERT_GT(platform::shell::StartProgram(words, vb::FromUtf8(dir.path().string())), 0);
  // The program runs on its own; wait for what it writes, with a limit.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::string text;
  while (std::chrono::steady_clock::now() < until && text.find("end\n") == std::string::npos) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    text = ReadBytes(out);
  }
  EXPECT_EQ(text, dir.path().string() + "\na b\nc\\d\n*\nend\n");
  EXPECT_EQ(platform::shell::StartProgram(SplitCommand(u"/no/such/program")), 0);
}

TEST(ProgramStart, TheRuntimesShellGoesThroughTheSameStarter) {
  std::vector<Words> started;
  platform::testing::SetProgramStarter([&](const std::u16string& program, const Words& args, const std::u16string& dir) {
    Words w{program};
    w.insert(w.end(), args.begin(), args.end());
    w.push_back(u"in:" + dir);
    started.push_back(w);
    return program == u"missing" ? 0 : 4242;
  });
  EXPECT_EQ(vb::Shell(u"xfce4-display-settings \"--minimal mode\" a\\b"), 4242);
  EXPECT_EQ(ErrorNumberOf([] { vb::Shell(u"missing"); }), 53);
  platform::testing::SetProgramStarter(nullptr);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0], (Words{u"xfce4-display-settings", u"--minimal mode", u"a\\b", u"in:"}));
}

TEST(RunHistory, KeepsTenCommandsLatestFirstWithoutRepeats) {
  FreshSettings settings;
  EXPECT_TRUE(platform::shell::RunHistory().empty());
  for (int i = 1; i <= 12; ++i) platform::shell::RememberRun(u"prog " + vb::FromUtf8(std::to_string(i)));
  platform::shell::RememberRun(u"prog 5");
  const Words history = platform::shell::RunHistory();
  ASSERT_EQ(history.size(), 10u);
  EXPECT_EQ(history[0], u"prog 5");
  EXPECT_EQ(history[1], u"prog 12");
  EXPECT_EQ(history[8], u"prog 4");
  EXPECT_EQ(history[9], u"prog 3");
  EXPECT_EQ(std::count(history.begin(), history.end(), u"prog 5"), 1);
}
