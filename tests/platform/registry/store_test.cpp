// The settings store in its file: the file's layout, values written and read back through the store
// and the platform calls, writes by other processes, edits by a person, where the file lives and
// folders and links it meets.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "store_support.h"

using namespace regtest;

TEST_F(Registry, FileIsInTheRegExportLayoutWithEveryKeyOnItsOwnLine) {
  EXPECT_EQ(reg::FilePath(), settings.folder() / "quillmark" / "registry.reg");
  ASSERT_EQ(reg::CreateKey(u"Software\\Maker\\Prog\\Empty"), ERROR_SUCCESS);
  SetText(u"Software\\Maker\\Prog", u"Name", u"Value");
  SetNumber(u"Software\\Maker\\Prog", u"Count", 10);
  SetText(u"Software\\Maker\\Prog", u"Quote\"Back\\slash", u"C:\\Dir \"x\"");
  SetText(u"Software\\Maker\\Prog\\Кириллица", u"Имя", u"Текст");
  SetNumber(u"Software\\Maker\\Prog", u"Count", 0xFFFFFFFE);
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Maker]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Maker\\Prog]\n"
            "\"Name\"=\"Value\"\n"
            "\"Count\"=dword:fffffffe\n"
            "\"Quote\\\"Back\\\\slash\"=\"C:\\\\Dir \\\"x\\\"\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\Maker\\Prog\\Empty]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Maker\\Prog\\Кириллица]\n"
            "\"Имя\"=\"Текст\"\n\n");
  EXPECT_EQ(fs::status(reg::FilePath()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Registry, EveryTextAndNameReadsBackFromTheFile) {
  const std::vector<std::u16string> texts = {
      u"",
      u"plain",
      u"back\\slash \"quoted\" \\n not a line feed \\u0041",
      u"one\ntwo\r\nthree\rfour",
      std::u16string(u"nul\0after", 9),
      u"\t\x01\x1F\x7F",
      u"lone \xD800 halves \xDC00",
      u"\xDBFF",
      u"pair \U0001F600 and Ёжик \u0098",
      u"  spaces around  ",
      u"[HKEY_CURRENT_USER\\Not a key]",
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(SetText(u"Software\\Texts", texts[i], texts[i]), ERROR_SUCCESS) << i;
  }
  // One line per value: nothing in a text breaks a line.
  const std::string body = FileBody();
  EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), static_cast<long>(texts.size()) + 4);

  // A second folder holding a copy of the file: the store reads it afresh.
  qmtest::FreshSettings other;
  fs::create_directories(reg::FilePath().parent_path());
  fs::copy_file(settings.folder() / "quillmark" / "registry.reg", reg::FilePath());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(GetText(u"Software\\Texts", texts[i]), texts[i]) << i << ": " << qmtest::U8(texts[i]);
  }
}

TEST_F(Registry, NamesCompareWithoutCaseAndKeepTheCaseFirstWritten) {
  SetText(u"Software\\Prog", u"ToolBarDecode", u"1");
  SetText(u"SOFTWARE\\prog", u"TOOLBARDECODE", u"0");
  SetText(u"software\\Prog\\Ключ", u"Имя", u"а");
  SetText(u"Software\\PROG\\КЛЮЧ", u"ИМЯ", u"б");
  EXPECT_EQ(GetText(u"software\\PROG", u"ToolbarDecode"), u"0");
  EXPECT_EQ(GetText(u"Software\\Prog\\ключ", u"имя"), u"б");
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Prog]\n"
            "\"ToolBarDecode\"=\"0\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\Prog\\Ключ]\n"
            "\"Имя\"=\"б\"\n\n");
}

TEST_F(Registry, ValuesAreTextOr32BitAndAWriteReplacesTheType) {
  SetText(u"Software", u"V", u"12");
  SetNumber(u"Software", u"V", 12);
  reg::Value value;
  ASSERT_EQ(reg::QueryValue(u"Software", u"v", &value), ERROR_SUCCESS);
  EXPECT_EQ(value.type, REG_DWORD);
  EXPECT_EQ(value.number, 12u);
  EXPECT_EQ(reg::QueryValue(u"Software", u"Missing", &value), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(reg::QueryValue(u"Missing", u"V", &value), ERROR_FILE_NOT_FOUND);
  value.type = 3;
  EXPECT_EQ(reg::SetValue(u"Software", u"V", value), ERROR_INVALID_PARAMETER);
  for (const auto* bad : {u"A\\\\B", u"\\A", u"A\\", u"A\nB"}) {
    EXPECT_EQ(reg::CreateKey(bad), ERROR_INVALID_PARAMETER) << qmtest::U8(bad);
  }
}

TEST_F(Registry, PlatformFunctionsOpenCreateQuerySetAndClose) {
  HKEY key = 99;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Prog", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0);

  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Prog", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  HKEY sub = 0;
  ASSERT_EQ(RegCreateKeyExA(key, "Sub", 0, nullptr, 0, KEY_WRITE, nullptr, &sub, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_NE(sub, key);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\prog\\sub", 0, nullptr, 0, KEY_WRITE, nullptr, &sub,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);

  // Texts are Windows-1251 bytes at the functions and UTF-8 in the file.
  const std::string privet = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Привет"
  ASSERT_EQ(RegSetValueExA(key, "\xD2\xE5\xEA\xF1\xF2", 0, REG_SZ, reinterpret_cast<const BYTE*>(privet.data()), 6),
            ERROR_SUCCESS);
  EXPECT_NE(ReadBytes(reg::FilePath()).find("\"Текст\"=\"Привет\""), std::string::npos);
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "\xF2\xE5\xEA\xF1\xF2", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 6u);
  BYTE buffer[8] = {};
  size = 3;
  EXPECT_EQ(RegQueryValueExA(key, "\xD2\xE5\xEA\xF1\xF2", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(buffer[0], 0);
  size = sizeof buffer;
  ASSERT_EQ(RegQueryValueExA(key, "\xD2\xE5\xEA\xF1\xF2", nullptr, &type, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), privet);

  const BYTE number[4] = {0x78, 0x56, 0x34, 0x12};
  ASSERT_EQ(RegSetValueExA(key, "N", 0, REG_DWORD, number, 4), ERROR_SUCCESS);
  EXPECT_NE(ReadBytes(reg::FilePath()).find("\"N\"=dword:12345678"), std::string::npos);
  BYTE back[4] = {};
  size = 4;
  ASSERT_EQ(RegQueryValueExA(key, "n", nullptr, &type, back, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 4), std::string(reinterpret_cast<const char*>(number), 4));
  EXPECT_EQ(RegSetValueExA(key, "N", 0, REG_DWORD, number, 3), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "N", 0, 3, number, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "N", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegSetValueExA(0, "N", 0, REG_DWORD, number, 4), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, AccessRightsOfAnOpenKeyAreKept) {
  ASSERT_EQ(SetNumber(u"Software", u"N", 1), ERROR_SUCCESS);
  const BYTE number[4] = {2, 0, 0, 0};
  HKEY reader = 0;
  HKEY writer = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &reader), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_SET_VALUE, &writer), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(reader, "N", 0, REG_DWORD, number, 4), ERROR_ACCESS_DENIED);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(writer, "N", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueExA(writer, "N", 0, REG_DWORD, number, 4), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(reader, "N", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  RegCloseKey(reader);
  RegCloseKey(writer);
}

TEST_F(Registry, AValueWrittenByAnotherProcessIsSeenAtTheNextRead) {
  ASSERT_EQ(SetText(u"Software", u"Step", u"00"), ERROR_SUCCESS);
  ASSERT_EQ(GetText(u"Software", u"Step"), u"00");
  // Every step rewrites the file with the same size, at once: only a store that checks the file's
  // identity properly sees each one.
  for (int step = 1; step <= 20; ++step) {
    const std::u16string text = {static_cast<char16_t>(u'0' + step / 10), static_cast<char16_t>(u'0' + step % 10)};
    ASSERT_EQ(InChild([&] { return SetText(u"Software", u"Step", text) == ERROR_SUCCESS ? 0 : 1; }), 0);
    ASSERT_EQ(GetText(u"Software", u"Step"), text) << step;
  }
  ASSERT_EQ(SetText(u"Software", u"FromParent", u"yes"), ERROR_SUCCESS);
  EXPECT_EQ(InChild([] { return GetText(u"software", u"FROMPARENT") == u"yes" ? 0 : 1; }), 0);
}

// The files the store lets go are closed, off the reading thread: a process that reads a file
// changed again and again, and a child it forks that does the same, soon hold no more files open
// than before.
TEST_F(Registry, FilesTheStoreLetsGoAreClosed) {
  const auto openFiles = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  const auto readChangedFiles = [] {
    for (int i = 1; i <= 100; ++i) {
      WriteBytes(reg::FilePath(), "[HKEY_CURRENT_USER\\Software]\n\"Step\"=\"" + std::string(i, 'x') + "\"\n");
      if (GetText(u"Software", u"Step") != std::u16string(i, u'x')) return false;
    }
    return true;
  };
  // Within a generous limit, once the closing thread has come to them.
  const auto closedDownTo = [&](long count) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (openFiles() > count && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return openFiles() <= count;
  };
  ASSERT_TRUE(readChangedFiles());  // the closing thread's pipe is open from here on
  const long before = openFiles();
  ASSERT_TRUE(readChangedFiles());
  EXPECT_TRUE(closedDownTo(before)) << openFiles() << " open, " << before << " before";
  EXPECT_EQ(InChild([&] {
              const long inherited = openFiles();
              if (!readChangedFiles() || !readChangedFiles()) return 1;
              return closedDownTo(inherited) ? 0 : 2;  // its own pipe for the parent's
            }),
            0);
}

TEST_F(Registry, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kEach = 200;
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  auto writeAll = [](const std::u16string& who) {
    int failures = 0;
    for (int i = 0; i < kEach; ++i) {
      const std::u16string name = who + vb::FromUtf8(std::to_string(i));
      failures += SetText(u"Software\\Race", name, name) != ERROR_SUCCESS;
    }
    return failures;
  };
  const pid_t pid = fork();
  if (pid == 0) {
    char c;
    close(go[1]);
    const bool started = read(go[0], &c, 1) == 1;
    _exit(started && writeAll(u"child") == 0 ? 0 : 1);
  }
  close(go[0]);
  ASSERT_EQ(write(go[1], "x", 1), 1);
  close(go[1]);
  EXPECT_EQ(writeAll(u"parent"), 0);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  int present = 0;
  for (const std::u16string who : {u"parent", u"child"}) {
    for (int i = 0; i < kEach; ++i) {
      const std::u16string name = who + vb::FromUtf8(std::to_string(i));
      present += GetText(u"Software\\Race", name) == name;
    }
  }
  EXPECT_EQ(present, 2 * kEach);
  EXPECT_TRUE(DamagedFiles().empty());
}

TEST_F(Registry, AFileEditedByAPersonIsRead) {
  WriteBytes(reg::FilePath(),
             "\xEF\xBB\xBF; edited by hand\r\n"
             "\r\n"
             "[hkey_current_user\\Software\\Prog]\r\n"
             "  \"Name\" = \"Значение\"  \r\n"
             "\"Count\"=DWORD:A\r\n"
             "[HKEY_CURRENT_USER\\SOFTWARE\\PROG]\r\n"
             "\"name\"=\"later\"\r\n"
             "\"Tab\"=\"a\tb\"");
  EXPECT_EQ(GetText(u"Software\\Prog", u"Name"), u"later");
  EXPECT_EQ(GetText(u"Software\\Prog", u"Tab"), u"a\tb");
  reg::Value value;
  ASSERT_EQ(reg::QueryValue(u"Software\\Prog", u"Count", &value), ERROR_SUCCESS);
  EXPECT_EQ(value.number, 10u);
  EXPECT_TRUE(DamagedFiles().empty());
  // Written back in the store's own layout, with the case first read.
  ASSERT_EQ(SetNumber(u"Software\\Prog", u"Count", 11), ERROR_SUCCESS);
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Prog]\n"
            "\"Name\"=\"later\"\n"
            "\"Count\"=dword:0000000b\n"
            "\"Tab\"=\"a\\u0009b\"\n\n");
}

TEST_F(Registry, TheFileFollowsTheEnvironment) {
  SetText(u"Software", u"Where", u"first");
  {
    qmtest::FreshSettings second;
    EXPECT_EQ(GetText(u"Software", u"Where"), std::nullopt);
    SetText(u"Software", u"Where", u"second");
  }
  EXPECT_EQ(GetText(u"Software", u"Where"), u"first");

  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", "/home/someone", 1);
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(reg::FilePath(), fs::path("/home/someone/.config/quillmark/registry.reg"));
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(reg::FilePath(), fs::path("/home/someone/.config/quillmark/registry.reg"));
  setenv("HOME", home.c_str(), 1);
}

namespace {

bool IsLink(const fs::path& p) { return fs::is_symlink(fs::symlink_status(p)); }

fs::perms Permissions(const fs::path& p) { return fs::status(p).permissions() & fs::perms::all; }

}  // namespace

// Folders made for the settings are their owner's alone, and what writers killed mid-way left
// behind goes at the next write; other files beside the settings stay.
TEST_F(Registry, FoldersAreTheOwnersAndLeftoversOfKilledWritesGo) {
  const fs::path config = settings.folder() / "made" / "config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  const mode_t umaskBefore = umask(022);
  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_SUCCESS);
  umask(umaskBefore);
  for (const fs::path& folder : {settings.folder() / "made", config, config / "quillmark"})
    EXPECT_EQ(Permissions(folder), fs::perms::owner_all) << folder;
  EXPECT_EQ(Permissions(reg::FilePath()), fs::perms::owner_read | fs::perms::owner_write);

  const fs::path folder = reg::FilePath().parent_path();
  WriteBytes(folder / "registry.reg.tmp-Ab12Cd", "[HKEY_CURRENT_USER\\Soft");
  WriteBytes(folder / "registry.reg.backup", "a person's copy");
  EXPECT_EQ(SetText(u"Software", u"B", u"2"), ERROR_SUCCESS);
  EXPECT_FALSE(fs::exists(folder / "registry.reg.tmp-Ab12Cd"));
  EXPECT_TRUE(fs::exists(folder / "registry.reg.backup"));

  // A writer really killed while it writes.
  const pid_t writer = fork();
  if (writer == 0) {
    for (int i = 0;; ++i) SetText(u"Software", u"Big", std::u16string(200000 + i, u'x'));
  }
  for (int wait = 0; wait < 10000 && GetText(u"Software", u"Big") == std::nullopt; ++wait) usleep(1000);
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  EXPECT_EQ(SetText(u"Software", u"C", u"3"), ERROR_SUCCESS);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.backup", "registry.reg.lock"}));
}

// Deeper key paths than the platform allows are refused; a file holding one is damaged, however
// deep it goes, and is set aside.
TEST_F(Registry, KeyPathsGoAtMost512Deep) {
  std::u16string deepest = u"K";
  for (int level = 1; level < 512; ++level) deepest += u"\\K";
  EXPECT_EQ(reg::CreateKey(deepest), ERROR_SUCCESS);
  EXPECT_EQ(SetText(deepest, u"V", u"1"), ERROR_SUCCESS);
  EXPECT_EQ(reg::CreateKey(deepest + u"\\K"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(SetText(deepest + u"\\K", u"V", u"1"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(InChild([&] { return GetText(deepest, u"V") == u"1" ? 0 : 1; }), 0);
  EXPECT_TRUE(DamagedFiles().empty());

  std::string hostile = "[HKEY_CURRENT_USER";
  for (int level = 0; level < 100000; ++level) hostile += "\\a";
  WriteBytes(reg::FilePath(), hostile + "]\n\"V\"=\"1\"\n");
  EXPECT_EQ(SetText(u"Software", u"After", u"1"), ERROR_SUCCESS);
  EXPECT_EQ(DamagedFiles().size(), 1u);
  EXPECT_EQ(GetText(u"Software", u"After"), u"1");
}

// A settings file that is a symbolic link (a dotfile manager's) is written through the link,
// which stays a link, also when the file behind it is missing or damaged.
TEST_F(Registry, ASettingsFileThatIsALinkStaysALink) {
  const fs::path file = reg::FilePath();
  const fs::path real = settings.folder() / "dotfiles" / "quillmark.reg";
  fs::create_directories(file.parent_path());
  fs::create_directories(real.parent_path());
  fs::create_symlink("../dotfiles/quillmark.reg", file);

  EXPECT_EQ(SetText(u"Software", u"A", u"1"), ERROR_SUCCESS);
  EXPECT_EQ(SetText(u"Software", u"B", u"2"), ERROR_SUCCESS);
  EXPECT_TRUE(IsLink(file));
  EXPECT_NE(ReadBytes(real).find("\"B\"=\"2\""), std::string::npos);
  EXPECT_EQ(InChild([] { return GetText(u"Software", u"A") == u"1" ? 0 : 1; }), 0);

  WriteBytes(real, "not a settings file");
  EXPECT_EQ(SetText(u"Software", u"C", u"3"), ERROR_SUCCESS);
  EXPECT_TRUE(IsLink(file));
  EXPECT_EQ(GetText(u"Software", u"C"), u"3");
  int aside = 0;
  for (const auto& entry : fs::directory_iterator(real.parent_path()))
    aside += entry.path().filename().string().rfind("quillmark.reg.damaged-", 0) == 0;
  EXPECT_EQ(aside, 1);
}

// When the settings folder cannot be written, the first failed write says so on the standard
// error (once a run) and the file keeps every value it held.
TEST_F(Registry, AFolderThatCannotBeWrittenIsSaidOnceAndLosesNothing) {
  ASSERT_EQ(SetText(u"Software", u"Kept", u"1"), ERROR_SUCCESS);
  const std::string before = ReadBytes(reg::FilePath());
  const qmtest::UnwritableFolder frozen(reg::FilePath().parent_path());
  if (!frozen.ok()) GTEST_SKIP() << "the folder cannot be made unwritable here";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(SetText(u"Software", u"New", u"2"), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(SetNumber(u"Software", u"Newer", 3), ERROR_REGISTRY_IO_FAILED);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(reg::FilePath().string()), std::string::npos) << said;
  EXPECT_EQ(said.find("quillmark:"), said.rfind("quillmark:")) << said;
  EXPECT_EQ(GetText(u"Software", u"Kept"), u"1");
  EXPECT_EQ(GetText(u"Software", u"New"), std::nullopt);
  EXPECT_EQ(ReadBytes(reg::FilePath()), before);
}
