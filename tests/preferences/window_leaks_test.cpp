// Every dialog of the program opened by its command, drawn, and closed by the user, round after
// round, as a user tried it 200 times: each closes whole every time. tests/e2e/window_leaks_e2e.sh
// runs these under a leak checker with few and with many rounds (QM_WINDOW_ROUNDS) and finds that
// no round keeps memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "mainwindow/forms/find.h"
#include "mainwindow/forms/go_to.h"
#include "mainwindow/forms/insert_time_and_date.h"
#include "mainwindow/forms/replace.h"
#include "mainwindow/main_window_support.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "handed_preference_windows.h"
#include "preferences/settings/settings.h"

using namespace qmtest;

namespace {

const char* RoundsAsked() { return std::getenv("QM_WINDOW_ROUNDS"); }
int Rounds() { return RoundsAsked() != nullptr ? std::max(1, std::atoi(RoundsAsked())) : 3; }

// Under the leak checker the process ends right after the rounds, while the main window and every
// object of the program still live: what the rounds kept anywhere counts as kept, not only what no
// pointer reaches any more.
void EndUnderTheLeakChecker() {
  if (RoundsAsked() != nullptr) std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
}

class WindowLeaks : public MainWindowTest {
 protected:
  WindowLeaks() {
    editor().Text(u"Текст документа\r\nвторая строка");
    platform::testing::ShowAndWait(w().hWnd());
  }
  HandedPreferenceWindows preferenceWindows_;

  // What the program's event loop does between two commands: the window system's events are
  // handled, and widgets of closed windows deleted.
  void Idle() {
    vb::DoEvents();
    platform::testing::ReturnToEventLoop();
  }
  // The window is on the screen and has drawn itself, as the user sees it before closing it.
  void Drawn(win::HWND window) {
    platform::testing::ShowAndWait(window);
    vb::DoEvents();
  }
  // A modal window opened by the command and closed by its close box, every round.
  void Modal(const std::function<void()>& command) {
    for (int round = 0; round < Rounds(); ++round) {
      bool closed = false;
      vb::testing::QueueModalAction([&] {
        Drawn(platform::testing::ModalWindow());
        closed = platform::testing::CloseModalWindowByUser();
      });
      command();
      ASSERT_TRUE(closed) << "round " << round;
      Idle();
    }
    EndUnderTheLeakChecker();
  }
  // A window without blocking, opened by the command and closed by its close box, every round.
  void Modeless(const std::function<void()>& command, vb::Form& window) {
    for (int round = 0; round < Rounds(); ++round) {
      command();
      ASSERT_TRUE(window.Visible()) << "round " << round;
      Drawn(window.hWnd());
      platform::testing::CloseByUser(window.hWnd());
      ASSERT_FALSE(window.IsLoaded()) << "round " << round;
      Idle();
    }
    EndUnderTheLeakChecker();
  }
};

TEST_F(WindowLeaks, Settings) { Modal([this] { w().CmdServiceSettings(); }); }
TEST_F(WindowLeaks, Find) { Modeless([this] { w().CmdFindFind(); }, FindWindow()); }
TEST_F(WindowLeaks, Replace) { Modeless([this] { w().CmdFindReplace(); }, ReplaceWindow()); }
TEST_F(WindowLeaks, GoTo) { Modeless([this] { w().CmdFindGoTo(); }, GoToWindow()); }
TEST_F(WindowLeaks, InsertTimeAndDate) {
  Modeless([this] { w().CmdInsertTimeAndDate(); }, InsertTimeAndDateWindow());
}
TEST_F(WindowLeaks, Conversion) { Modal([this] { w().CmdDecodeDialog(); }); }
TEST_F(WindowLeaks, PrintConfirmation) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting, 1);
  Modal([this] { w().CmdFilePrint(); });
  if (SettingsDialog().IsLoaded()) SettingsDialog().Terminate();
}
TEST_F(WindowLeaks, About) { Modal([this] { w().CmdHelpAbout(); }); }
TEST_F(WindowLeaks, License) { Modal([this] { w().CmdHelpLicense(); }); }
TEST_F(WindowLeaks, DocumentProperties) { Modal([this] { w().CmdFileProperties(); }); }
TEST_F(WindowLeaks, ToolbarCustomisation) { Modal([this] { w().CmdViewToolbarsCustomize(); }); }

}  // namespace
