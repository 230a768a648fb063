// Shared main of every test program: starts the platform application (offscreen when no display is
// asked for) and gives the settings store and the state folder (recovery copies) a private, empty
// folder, so no test touches the user's own settings or state and every program starts with an
// empty store; that folder is the run's own and goes at its end (qmtest::RunFolder). Modal dialogs
// are scripted.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_LEAK_CHECK 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QM_LEAK_CHECK 1
#endif
#ifdef QM_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/application.h"
#include "platform/script/script.h"
#include "platform/testing/media.h"
#include "platform/vb/strings.h"

namespace qmtest {
namespace {
std::filesystem::path runFolder;
}  // namespace

const std::filesystem::path& RunFolder() { return runFolder; }

namespace {

// No test begins while the sound player still starts the sounds an earlier test handed it: the
// player's thread then reads the environment, which a test may change (a test's own changes
// wait as well: EnvironmentValue).
class SoundsOfEarlierTestsStarted : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { platform::testing::WaitForSoundPlayer(); }
};

}  // namespace

}  // namespace qmtest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string dir = (std::filesystem::temp_directory_path() / "qm-test-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 2;
  qmtest::runFolder = dir;
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  setenv("XDG_STATE_HOME", (dir + "/state").c_str(), 1);
  platform::Application app(argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new qmtest::SoundsOfEarlierTestsStarted);
  // No test may wait for a person: every modal dialog must have been answered by the test.
  platform::script::SetActive(true);
  platform::script::SetUnscriptedHandler([](const platform::script::Shown& shown) {
    ADD_FAILURE() << "unscripted dialog: " << vb::ToUtf8(shown.title) << ": " << vb::ToUtf8(shown.prompt);
  });
  const int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  // End as the program ends, without tearing the application down (the sound player's thread
  // lives as long as the process).
  std::fflush(nullptr);
#ifdef QM_LEAK_CHECK
  // _Exit skips the leak check an instrumented program makes at exit: it is made here, and memory
  // that nothing reaches any more fails the run.
  if (__lsan_do_recoverable_leak_check() != 0) std::_Exit(rc != 0 ? rc : 1);
#endif
  std::_Exit(rc);
}
