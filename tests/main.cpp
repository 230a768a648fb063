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

#include "platform/application.h"
#include "platform/script/script.h"
#include "platform/vb/strings.h"

namespace qmtest {
namespace {
std::filesystem::path runFolder;
}  // namespace

const std::filesystem::path& RunFolder() { return runFolder; }

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
  std::_Exit(rc);
}
