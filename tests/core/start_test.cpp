// Every road of the program's start on an empty and on a filled settings store, and the single-copy
// rule across two processes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "platform/script/script.h"
#include "platform/vb/app.h"
#include "platform/vb/msgbox.h"
#include "platform/win/common_controls.h"
#include "support.h"

using namespace qmtest;
using platform::script::Answer;
using platform::script::Kind;

namespace {

class Windows : public StartWindowServices {
 public:
  std::vector<std::u16string> shown;
  void ShowSplash(const std::u16string& picture) override { shown.push_back(u"splash:" + picture); }
  void ShowWelcome() override { shown.push_back(u"welcome"); }
  void ShowWorkBegin() override { shown.push_back(u"workbegin"); }
  void ShowMain() override { shown.push_back(u"main"); }
};

void Dialog(std::u16string_view name, std::int32_t v) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, name, v);
}
void Pref(std::u16string_view name, std::u16string_view v) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name, v);
}

// A copy of the program started first, in a child process: it runs `start` and then keeps running,
// holding what the start took, until the test is done with it.
class FirstCopy {
 public:
  explicit FirstCopy(const std::function<bool()>& start) {
    int ready[2];
    if (pipe(ready) != 0 || pipe(release_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(release_[1]);  // so the read below ends should the test die first
      (void)!write(ready[1], start() ? "!" : "?", 1);
      char c;
      (void)!read(release_[0], &c, 1);
      _exit(0);
    }
    // Only the child writes "ready": should it die first, the read ends instead of waiting forever.
    close(ready[1]);
    ready_ = read(ready[0], &said_, 1) == 1;
    close(ready[0]);
  }
  ~FirstCopy() {
    if (pid_ <= 0) return;
    (void)!write(release_[1], "!", 1);
    waitpid(pid_, nullptr, 0);
    close(release_[0]);
    close(release_[1]);
  }
  FirstCopy(const FirstCopy&) = delete;
  FirstCopy& operator=(const FirstCopy&) = delete;
  // The start has run and the copy is running.
  bool Ready() const { return ready_; }
  // The start returned true.
  bool Started() const { return said_ == '!'; }

 private:
  int release_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool ready_ = false;
  char said_ = 0;
};

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::SetStartWindows(&windows);
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  void TearDown() override { modMain::SetStartWindows(nullptr); }
  // Starts the program again in a process of its own (a process takes its place among the copies
  // once): true when it ended at once with the single-copy notice and showed no window.
  bool SecondCopyEndsWithTheNotice() {
    const pid_t second = fork();
    if (second == 0) {
      platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
      const bool started = modMain::Main();
      const auto& log = platform::script::Log();
      _exit(!started && windows.shown.empty() && log.size() == 1 &&
                    log[0].prompt.substr(0, 24) == u"Программа уже запущена! "
                ? 0
                : 1);
    }
    int status = 0;
    waitpid(second, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  FreshSettings settings;
  Windows windows;
};

}  // namespace

TEST_F(StartUp, AnEmptyStoreGoesStraightToTheMainWindow) {
  EXPECT_TRUE(modMain::Main());
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"main"});
  EXPECT_TRUE(platform::script::Log().empty());  // no notice, no single-copy check
}

TEST_F(StartUp, TheFirstRunNoticeComesOnce) {
  Pref(settings::preferences::kFirstRun, u"1");
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  EXPECT_TRUE(modMain::Main());
  ASSERT_EQ(platform::script::Log().size(), 1u);
  const auto& notice = platform::script::Log()[0];
  EXPECT_EQ(notice.title, core::kProgramTitle);
  EXPECT_EQ(notice.flags, vb::vbOKOnly);
  EXPECT_EQ(notice.prompt.find(u'\r'), std::u16string::npos);
  EXPECT_EQ(std::count(notice.prompt.begin(), notice.prompt.end(), u'\n'), 4);
  EXPECT_NE(notice.prompt.find(u"''предварительного просмотра''"), std::u16string::npos);
  EXPECT_NE(notice.prompt.find(modMain::kAuthorContact), std::u16string::npos);
  EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey,
                                            settings::preferences::kFirstRun),
            u"0");
  platform::script::Log().clear();
  EXPECT_TRUE(modMain::Main());
  EXPECT_TRUE(platform::script::Log().empty());
}

TEST_F(StartUp, TheSwitchesChooseTheFirstWindow) {
  Dialog(settings::dialogs::kSplash, 2);  // only exactly 1 counts
  Dialog(settings::dialogs::kWelcome, 1);
  Dialog(settings::dialogs::kWorkBegin, 1);
  modMain::Main();
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"welcome"});

  windows.shown.clear();
  Dialog(settings::dialogs::kWelcome, 0);
  modMain::Main();
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"workbegin"});

  windows.shown.clear();
  Dialog(settings::dialogs::kSplash, 1);
  modMain::Main();
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"splash:" + vb::App.Path() + u"\\Splash.spl"});
}

TEST_F(StartUp, CommonControlsStartAndFaultDialogsAreSuppressed) {
  EXPECT_TRUE(modMain::InitVisualStyles());
  modMain::SuppressFaultDialogs();
  EXPECT_EQ(win::GetErrorMode(), win::SEM_NOGPFAULTERRORBOX);
}

TEST_F(StartUp, ASecondCopyEndsAtOnceWhenOnlyOneMayRun) {
  TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  // The copy that runs first: it holds the program's lock until the test ends it.
  const FirstCopy first([] {
    (void)vb::App.PrevInstance();
    return true;
  });
  ASSERT_TRUE(first.Ready());

  Pref(settings::preferences::kManyCopies, u"0");
  EXPECT_TRUE(SecondCopyEndsWithTheNotice());
}

// A copy that was started while several were allowed still counts when only one is allowed later.
TEST_F(StartUp, ACopyStartedWhileManyWereAllowedStillCounts) {
  TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  Pref(settings::preferences::kManyCopies, u"1");
  const FirstCopy first([] { return modMain::Main(); });
  ASSERT_TRUE(first.Ready());
  EXPECT_TRUE(first.Started());

  Pref(settings::preferences::kManyCopies, u"0");
  EXPECT_TRUE(SecondCopyEndsWithTheNotice());
}

// A settings file with one line that is no settings line: the start tells the user once that the
// file was damaged and where its copy is, and every other value is kept.
TEST_F(StartUp, ADamagedSettingsFileIsToldOnceAndItsGoodValuesAreKept) {
  const std::filesystem::path file = settings.folder() / "quillmark" / "registry.reg";
  WriteBytes(file,
             "[HKEY_CURRENT_USER\\Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences]\n"
             "\"FontName\"=\"Courier\"\n"
             "this line is damaged\n"
             "\"FontSize\"=\"14\"\n"
             "[HKEY_CURRENT_USER\\Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\Locked]\n"
             "\"User\"=\"Анна\"\n");
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  EXPECT_TRUE(modMain::Main());
  ASSERT_EQ(platform::script::Log().size(), 1u);
  const std::u16string told = platform::script::Log()[0].prompt;
  EXPECT_NE(told.find(vb::FromUtf8(file.string()) + u"\r\nповреждён"), std::u16string::npos) << U8(told);
  EXPECT_NE(told.find(u"сохранён как\r\n" + vb::FromUtf8(file.string()) + u".damaged-"), std::u16string::npos);
  EXPECT_EQ(modRegistry::ReadPreference(settings::preferences::kFontName), u"Courier");
  EXPECT_EQ(modRegistry::ReadPreference(settings::preferences::kFontSize), u"14");
  EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, u"User"), u"Анна");
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"main"});

  // The next start reads a whole file and says nothing.
  platform::script::Log().clear();
  windows.shown.clear();
  EXPECT_TRUE(modMain::Main());
  EXPECT_TRUE(platform::script::Log().empty());
}

// A settings file that cannot be read (a folder in its place): the start says so and why, the
// program runs on its defaults, and a write that then fails is not said a second time.
TEST_F(StartUp, ASettingsFileThatCannotBeReadIsToldOnceWithTheReason) {
  const std::filesystem::path file = settings.folder() / "quillmark" / "registry.reg";
  std::filesystem::create_directories(file);
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  EXPECT_TRUE(modMain::Main());
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_EQ(platform::script::Log()[0].prompt,
            u"Файл параметров программы\r\n" + vb::FromUtf8(file.string()) +
                u"\r\nне удаётся прочитать: это папка, а не файл.\r\nПрограмма работает с параметрами по умолчанию. "
                u"Файл оставлен как есть; изменения параметров, сделанные до конца работы программы, не будут "
                u"сохранены.");
  EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"main"});
  Pref(settings::preferences::kFontSize, u"14");
  EXPECT_EQ(platform::script::Log().size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(file));
}
