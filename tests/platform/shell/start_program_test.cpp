// Programs started by path and argument list: blanks in the path or in an argument split nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/shell/shell.h"
#include "support.h"

namespace {

// A program in a folder whose name holds blanks: it writes its arguments, one a line, beside itself.
std::filesystem::path ScriptIn(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const auto script = folder / "Wizard";
  qmtest::WriteBytes(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                             "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args\"\n");
  chmod(script.c_str(), 0755);
  return script;
}

// What the program wrote, once it has run (another process: waited for, up to ten seconds).
std::string WrittenArguments(const std::filesystem::path& folder) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(folder / "args") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::ifstream in(folder / "args");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(StartProgram, APathAndArgumentsWithBlanksReachTheProgramWhole) {
  qmtest::TempDir dir;
  const auto folder = dir.path() / "Мои программы" / "Quill mark";
  const auto script = ScriptIn(folder);
  // Named with ".exe", as the program names it: found without the extension.
  std::string withExe = script.string() + ".exe";
  std::replace(withExe.begin(), withExe.end(), '/', '\\');
  EXPECT_GT(platform::shell::StartProgram(vb::FromUtf8(withExe), {u"один аргумент", u"", u"\"quoted\""}), 0);
  EXPECT_EQ(WrittenArguments(folder), "один аргумент\n\n\"quoted\"\n");
  EXPECT_EQ(qmtest::ErrorNumberOf([&] { platform::shell::StartProgram(vb::FromUtf8((folder / "none").string())); }),
            53);
}

TEST(StartProgram, ShellStillSplitsItsCommandLineAtBlanksOutsideQuotes) {
  qmtest::TempDir dir;
  const auto folder = dir.path() / "a folder";
  const auto script = ScriptIn(folder);
  EXPECT_GT(vb::Shell(u"\"" + vb::FromUtf8(script.string()) + u"\" one \"two three\""), 0);
  EXPECT_EQ(WrittenArguments(folder), "one\ntwo three\n");
}
