// A settings file that is damaged, unreadable, a pipe or a link to one: every value that reads well
// is kept, the file is set aside (never what a link points to) or left alone, and the user is told.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store_support.h"

using namespace regtest;

TEST_F(Registry, ADamagedFileIsKeptAsideWithItsBytesAndEveryValueThatReadsWellIsKept) {
  ASSERT_EQ(SetText(u"Software", u"Old", u"1"), ERROR_SUCCESS);
  const std::string damaged =
      "[HKEY_CURRENT_USER\\Software]\n\"Old\"=\"1\"\n\"Blob\"=hex:01,02\n\"Number\"=dword:00000002\n"
      "[HKEY_CURRENT_USER\\Bad\\\\Key]\n\"Lost\"=\"3\"\n[HKEY_CURRENT_USER\\Next]\n\"After\"=\"4\"\n";
  WriteBytes(reg::FilePath(), damaged);
  EXPECT_EQ(GetText(u"Software", u"Old"), u"1");
  EXPECT_EQ(GetText(u"Next", u"After"), u"4");
  reg::Value number;
  EXPECT_EQ(reg::QueryValue(u"Software", u"Number", &number), ERROR_SUCCESS);
  EXPECT_EQ(number.number, 2u);
  EXPECT_EQ(reg::QueryValue(u"Software", u"Blob", &number), ERROR_FILE_NOT_FOUND);
  auto aside = DamagedFiles();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadBytes(aside[0]), damaged);
  // The kept values are in the file at once, and the program is told once where the copy is.
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\"Old\"=\"1\"\n\"Number\"=dword:00000002\n\n"
            "[HKEY_CURRENT_USER\\Next]\n\"After\"=\"4\"\n\n");
  const auto told = reg::TakeSetAsideFile();
  ASSERT_TRUE(told);
  EXPECT_EQ(told->file, reg::FilePath());
  EXPECT_EQ(told->keptAs, aside[0]);
  EXPECT_FALSE(reg::TakeSetAsideFile());

  ASSERT_EQ(SetText(u"Software", u"New", u"2"), ERROR_SUCCESS);
  EXPECT_EQ(GetText(u"Software", u"Old"), u"1");

  // A second damaged file, within the same second, gets a name of its own; a file with nothing
  // readable leaves the store empty.
  const std::string again = "\"New\"=\"2\"\n";
  WriteBytes(reg::FilePath(), again);
  EXPECT_EQ(SetText(u"Software", u"Newer", u"3"), ERROR_SUCCESS);
  aside = DamagedFiles();
  ASSERT_EQ(aside.size(), 2u);
  EXPECT_NE(ReadBytes(aside[0]) == damaged, ReadBytes(aside[1]) == damaged);
  EXPECT_NE(ReadBytes(aside[0]) == again, ReadBytes(aside[1]) == again);
  EXPECT_EQ(GetText(u"Software", u"Newer"), u"3");
  EXPECT_EQ(GetText(u"Software", u"New"), std::nullopt);
}

// A damaged file in a folder that takes no change cannot be set aside: its values that read well are
// used all the same, that is told, and nothing is ever written over it. With the lock file there and
// without it (the folder frozen before any write made one).
TEST_F(Registry, ADamagedFileThatCannotBeSetAsideKeepsItsGoodValuesAndIsNeverWrittenOver) {
  const std::string damaged = "[HKEY_CURRENT_USER\\Software]\n\"A\"=\"1\"\nnot a settings line\n\"B\"=\"2\"\n";
  fs::create_directories(reg::FilePath().parent_path());
  for (const bool lockFileMade : {false, true}) {
    fs::path lockFile = reg::FilePath();
    lockFile += ".lock";
    if (lockFileMade) WriteBytes(lockFile, "");
    WriteBytes(reg::FilePath(), damaged);
    const qmtest::UnwritableFolder frozen(reg::FilePath().parent_path());
    if (!frozen.ok()) GTEST_SKIP() << "the folder cannot be made unwritable here";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(GetText(u"Software", u"A"), u"1") << lockFileMade;
    EXPECT_EQ(GetText(u"Software", u"B"), u"2") << lockFileMade;
    const std::optional<reg::UnreadableFile> told = reg::UnreadableSettingsFile();
    ASSERT_TRUE(told);
    EXPECT_TRUE(told->partly);
    EXPECT_NE(told->error, 0);
    EXPECT_EQ(SetText(u"Software", u"C", u"3"), ERROR_REGISTRY_IO_FAILED);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadBytes(reg::FilePath()), damaged);
    EXPECT_TRUE(DamagedFiles().empty());
    EXPECT_FALSE(reg::TakeSetAsideFile());
  }
}

// A named pipe where the file should be is never waited on: it is set aside as a damaged file.
TEST_F(Registry, APipeInThePlaceOfTheFileIsSetAsideWithoutWaiting) {
  fs::create_directories(reg::FilePath().parent_path());
  ASSERT_EQ(mkfifo(reg::FilePath().c_str(), 0600), 0);
  EXPECT_EQ(GetText(u"Software", u"A"), std::nullopt);
  EXPECT_EQ(DamagedFiles().size(), 1u);
  EXPECT_TRUE(reg::TakeSetAsideFile());
  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_regular_file(reg::FilePath()));
  EXPECT_EQ(GetText(u"Software", u"A"), u"1");
}

// A link to something that is no file is set aside itself: what it points to (a pipe here, /dev/zero
// on a real desktop) stays where and what it is.
TEST_F(Registry, ALinkToAPipeIsSetAsideAndThePipeStays) {
  const fs::path pipe = settings.folder() / "elsewhere" / "pipe";
  fs::create_directories(pipe.parent_path());
  fs::create_directories(reg::FilePath().parent_path());
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink(pipe, reg::FilePath());
  EXPECT_EQ(GetText(u"Software", u"A"), std::nullopt);
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
  EXPECT_EQ(std::distance(fs::directory_iterator(pipe.parent_path()), fs::directory_iterator()), 1);
  const std::vector<fs::path> aside = DamagedFiles();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(fs::read_symlink(aside[0]), pipe);
  const std::optional<reg::SetAsideFile> told = reg::TakeSetAsideFile();
  ASSERT_TRUE(told);
  EXPECT_EQ(told->keptAs, aside[0]);
  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(reg::FilePath())));
  EXPECT_EQ(GetText(u"Software", u"A"), u"1");
}

TEST_F(Registry, WhatMakesAFileDamaged) {
  const std::vector<std::string> damaged = {
      "\"NoKey\"=\"1\"\n",
      "[HKEY_CURRENT_USER\\A]\n\"Unclosed=\"1\"\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"unclosed\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"bad \\q escape\"\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"short \\u12\"\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"1\" trailing\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=dword:123456789\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=dword:\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=hex(2):00\n",
      "[HKEY_CURRENT_USER\\A]\nA=\"1\"\n",
      "[HKEY_LOCAL_MACHINE\\A]\n",
      "[HKEY_CURRENT_USER\\A\\\\B]\n",
      "[HKEY_CURRENT_USER\\A\n",
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"\xCF\xF0\xE8\"\n",  // Windows-1251 bytes, not UTF-8
      "[HKEY_CURRENT_USER\\A]\n\"A\"=\"\xED\xA0\x80\"\n",  // an encoded surrogate
  };
  for (const auto& bytes : damaged) {
    qmtest::FreshSettings fresh;
    WriteBytes(reg::FilePath(), bytes);
    reg::Value value;
    EXPECT_EQ(reg::QueryValue(u"A", u"A", &value), ERROR_FILE_NOT_FOUND) << bytes;
    EXPECT_EQ(DamagedFiles().size(), 1u) << bytes;
    reg::TakeSetAsideFile();
  }
}

TEST_F(Registry, AFileThatCannotBeReadIsNeverOverwritten) {
  fs::create_directories(reg::FilePath());  // a folder where the file should be
  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(reg::CreateKey(u"Software"), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(GetText(u"Software", u"A"), std::nullopt);
  EXPECT_TRUE(fs::is_directory(reg::FilePath()));
  EXPECT_TRUE(DamagedFiles().empty());
}

// A file that is there but cannot be read is told with the reason, for as long as it stays so; a
// missing file is no such file.
TEST_F(Registry, AFileThatCannotBeReadIsToldWithTheReason) {
  EXPECT_FALSE(reg::UnreadableSettingsFile());
  fs::create_directories(reg::FilePath());
  std::optional<reg::UnreadableFile> told = reg::UnreadableSettingsFile();
  ASSERT_TRUE(told);
  EXPECT_EQ(told->file, reg::FilePath());
  EXPECT_EQ(told->error, EISDIR);
  fs::remove(reg::FilePath());
  fs::create_symlink("registry.reg", reg::FilePath());  // a link to itself
  told = reg::UnreadableSettingsFile();
  ASSERT_TRUE(told);
  EXPECT_EQ(told->error, ELOOP);
  fs::remove(reg::FilePath());
  EXPECT_FALSE(reg::UnreadableSettingsFile());
  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_SUCCESS);
  EXPECT_FALSE(reg::UnreadableSettingsFile());
}

