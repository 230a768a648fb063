// The shell dialogs' windows as a user meets them on a desktop: under a real X server with a window
// manager (tests/e2e/shell_dialogs_e2e.sh runs these under xvfb-run and openbox), worked with real
// keys typed through xdotool, each pictured as the screen shows it. Elsewhere they skip.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "controls/common_dialog.h"
#include "platform/gdi/icons.h"
#include "platform/script/script.h"
#include "platform/shell/file_facts.h"
#include "platform/testing/dialogs.h"
#include "platform/testing/x11.h"
#include "platform/vb/strings.h"
#include "support.h"
#include "support_gdi.h"
#include "support_x11.h"

namespace {

using qmtest::OnX11;

// Keys as the user types them, through the X server.
void Keys(const std::string& xdotoolArguments) {
  ASSERT_EQ(std::system(("xdotool " + xdotoolArguments).c_str()), 0) << xdotoolArguments;
}

// The dialog is in front with the keyboard, as the window manager gave it (keys typed through the
// X server go to it), and the window manager has drawn what it was asked to (its frame).
void AwaitTheDialogInFront() {
  ASSERT_TRUE(qmtest::Eventually([] {
    const std::uint32_t dialog = platform::testing::ModalWindowOnX11();
    return dialog != 0 && platform::testing::FocusedWindowOnX11() == dialog;
  })) << "the dialog did not get the keyboard";
  ASSERT_EQ(std::system(QM_BINARY_DIR "/bin/e2e_settle --wm 60"), 0) << "the window manager did not answer";
}

std::u16string Picture(const char* name) {
  const char* folder = std::getenv("QM_PICTURES");
  const std::filesystem::path dir = folder != nullptr ? std::filesystem::path(folder) : std::filesystem::path(QM_BINARY_DIR) / "shell_dialogs";
  std::filesystem::create_directories(dir);
  return vb::FromUtf8((dir / name).string());
}

class ShellDialogsOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnX11()) GTEST_SKIP() << "needs an X server and a window manager (tests/e2e/shell_dialogs_e2e.sh)";
    platform::script::SetActive(false);
  }
  void TearDown() override {
    platform::testing::ForgetDialogActions();
    platform::script::SetActive(true);
  }
  // Runs `look` once the next window is up and in front, with a picture of the screen first.
  void WhenUp(const char* picture, std::function<void()> look) {
    platform::testing::InNextDialog([picture, look = std::move(look), this] {
      AwaitTheDialogInFront();
      pictured = platform::testing::SaveRealScreenPicture(Picture(picture));
      look();
    });
  }

  qmtest::FreshSettings settings;
  qmtest::TempDir dir;
  clsCommonDialog cd;
  bool pictured = false;
};

}  // namespace

TEST_F(ShellDialogsOnX11, TheRunWindowStartsTheCommandTypedWithEnter) {
  const std::filesystem::path made = dir.path() / "made by hand";
  cd.DialogTitle = u"Запуск программы";
  cd.DialogPrompt = u"Введите имя программы и её параметры, и она будет запущена.";
  cd.hIcon = win::ExtractAssociatedIconA(0, u"Документ.txt", nullptr);
  WhenUp("run_x11.png", [&] {
    Keys("type --delay 5 '/bin/touch \"" + made.string() + "\"'");
    Keys("key Return");
  });
  cd.ShowRun();
  win::DestroyIcon(cd.hIcon);
  EXPECT_TRUE(pictured);
  EXPECT_TRUE(qmtest::Eventually([&] { return std::filesystem::exists(made); }));
}

TEST_F(ShellDialogsOnX11, ThePickerChoosesTheIconMovedToWithTheArrowKeys) {
  for (const auto& [name, rgb] : {std::pair{"Зелёный.ico", 0x00C000u}, std::pair{"Красный.ico", 0xE00000u}}) {
    const std::vector<unsigned> pixels(32 * 32, 0xFF000000u | rgb);
    qmtest::WriteBytes(dir.path() / name, qmtest::IconFile({{32, 32, pixels, std::vector<int>(32 * 32, 0), {}}}));
  }
  cd.Filename = vb::FromUtf8(dir.path().string());
  cd.hIcon = 0;
  WhenUp("pick_icon_x11.png", [] { Keys("key Tab Tab Right Return"); });
  cd.ShowIcon(true);
  EXPECT_TRUE(pictured);
  ASSERT_NE(cd.hIcon, 0);
  qmtest::Surface s(32, 32);
  win::DrawIconEx(s.dc, 0, 0, cd.hIcon, 0, 0, 0, 0, win::DI_NORMAL);
  EXPECT_EQ(s.at(5, 5), win::RGB(0xE0, 0, 0));  // the second icon: "Красный"
  win::DestroyIcon(cd.hIcon);
}

TEST_F(ShellDialogsOnX11, ThePropertiesWindowClosesWithEnter) {
  const std::filesystem::path file = dir.path() / "Отчёт за год.txt";
  qmtest::WriteBytes(file, std::string(20000, 'x'));
  cd.flags = 0x200;
  std::vector<std::u16string> texts;
  WhenUp("properties_x11.png", [&] {
    texts = platform::testing::DialogTexts();
    Keys("key Return");
  });
  cd.ShowObjectProp(vb::FromUtf8(file.string()), u"");
  EXPECT_TRUE(pictured);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], u"Отчёт за год.txt");
}

TEST_F(ShellDialogsOnX11, TheShutDownQuestionAnsweredNoWithTheKeyboard) {
  std::vector<std::u16string> buttons;
  WhenUp("shut_down_x11.png", [&] {
    buttons = platform::testing::DialogButtons();
    Keys("key Tab space");  // a yes/no question takes no Escape: Tab goes from Yes to No
  });
  // Were the answer taken for Yes, the request would go to a bus that is not there.
  const qmtest::EnvironmentValue bus("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (dir.path() / "no-bus").string());
  cd.ShowShutDown();
  EXPECT_TRUE(pictured);
  EXPECT_EQ(buttons, (std::vector<std::u16string>{u"Да", u"Нет"}));
}
