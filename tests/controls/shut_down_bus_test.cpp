// The shut-down and restart questions answered Yes reach the login manager: these run against a
// mock of it on a private bus (tests/controls/shut_down_bus.sh, which ./test.sh runs) and skip
// elsewhere, so no test ever asks the system's own login manager to switch the computer off.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/common_dialog.h"
#include "platform/script/script.h"
#include "platform/testing/login_manager.h"
#include "support_script.h"

namespace {

using platform::script::Kind;
using Calls = std::vector<std::u16string>;

class ShutDownOnMockBus : public qmtest::ScriptedDialogs {
 protected:
  void SetUp() override {
    if (!platform::testing::LoginManagerMockCalls()) {
      if (std::getenv("QM_EXPECT_LOGIN_MOCK") != nullptr) FAIL() << "the mock login manager does not answer";
      GTEST_SKIP() << "needs the mock login manager on a private bus (tests/controls/shut_down_bus.sh)";
    }
    ASSERT_TRUE(platform::testing::ClearLoginManagerMockCalls());
    ScriptedDialogs::SetUp();
  }
  static void Answer(int button) { platform::script::Queue(platform::script::Answer{Kind::MessageBox, button, {}}); }
  static Calls Recorded() { return platform::testing::LoginManagerMockCalls().value_or(Calls{u"no mock"}); }

  clsCommonDialog cd;
};

}  // namespace

TEST_F(ShutDownOnMockBus, ShutDownAsksFirstAndOnYesAsksTheLoginManagerToPowerOff) {
  Answer(7);
  cd.ShowShutDown();
  EXPECT_EQ(Shown().title, u"Завершение работы");
  EXPECT_EQ(Shown().prompt, u"Выключить компьютер сейчас?");
  EXPECT_EQ(Recorded(), Calls{});
  Answer(6);
  cd.ShowShutDown();
  EXPECT_EQ(Recorded(), Calls{u"PowerOff(true)"});
  EXPECT_EQ(platform::script::Log().size(), 2u);  // no failure to tell
}

TEST_F(ShutDownOnMockBus, RestartShowsThePromptAndDoesWhatItsExitOptionsSay) {
  cd.DialogPrompt = u"Новые настройки вступят в силу после перезагрузки.";
  cd.flags = 0x402;  // only the three lowest bits count
  Answer(6);
  cd.ShowRestart();
  EXPECT_EQ(Shown().title, u"Перезагрузка");
  EXPECT_EQ(Shown().prompt, u"Новые настройки вступят в силу после перезагрузки.\n\nПерезагрузить компьютер сейчас?");
  cd.flags = 6;  // forced: the login manager decides about programs that hold it back
  Answer(6);
  cd.ShowRestart();
  cd.flags = 1;
  Answer(6);
  cd.ShowRestart();
  EXPECT_EQ(Shown().prompt, u"Новые настройки вступят в силу после перезагрузки.\n\nВыключить компьютер сейчас?");
  cd.flags = 0;
  Answer(6);
  cd.ShowRestart();
  EXPECT_EQ(Shown().title, u"Завершение сеанса");
  cd.flags = 2;
  Answer(7);
  cd.ShowRestart();
  EXPECT_EQ(Recorded(), (Calls{u"Reboot(true)", u"Reboot(true)", u"PowerOff(true)", u"TerminateSession(\"auto\")"}));
}
