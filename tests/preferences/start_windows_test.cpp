// The start-up road through the real start-up windows: every combination of the switches, the
// splash timer ticked by hand, the welcome and getting-started buttons, the getting-started choice
// that has the main window open a document, a splash picture that cannot be shown, and pictures of
// the three windows for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "platform/media/sound.h"
#include "platform/testing/splash.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "preferences/forms/splash.h"
#include "preferences/forms/welcome.h"
#include "preferences/forms/work_begin.h"
#include "preferences/start_windows.h"
#include "support.h"
#include "support_gdi.h"

using namespace qmtest;

namespace {

void Dialog(std::u16string_view name, std::int32_t v) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, name, v);
}
std::int32_t Dialog(std::u16string_view name) {
  return modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, name);
}

// The program's road: the start windows, with a main window that only notes that it was shown and
// whether it was asked to open a document then.
class StartRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::OpenDocumentAtStart = false;
    modMain::SetStartWindows(&windows);
  }
  void TearDown() override {
    for (vb::Form* f : std::initializer_list<vb::Form*>{windows.Welcome(), windows.WorkBegin(), windows.Splash()}) {
      if (f != nullptr && f->IsLoaded()) f->Unload();
    }
    modMain::SetStartWindows(nullptr);
    modMain::OpenDocumentAtStart = false;  // no later main window of this process opens a document
    vb::DoEvents();
  }
  // The windows of the road that are loaded now, by name.
  std::vector<std::string> Loaded() {
    std::vector<std::string> names;
    if (windows.Splash() != nullptr && windows.Splash()->IsLoaded()) names.push_back("splash");
    if (windows.Welcome() != nullptr && windows.Welcome()->IsLoaded()) names.push_back("welcome");
    if (windows.WorkBegin() != nullptr && windows.WorkBegin()->IsLoaded()) names.push_back("workbegin");
    return names;
  }
  void TickSplash() {
    ASSERT_NE(windows.Splash(), nullptr);
    platform::testing::FireTimer(windows.Splash()->Timer.hWnd(), 1);
  }

  FreshSettings settings;
  int mainShown = 0;
  std::vector<bool> openAtMain;
  StartWindows windows{[this] {
    ++mainShown;
    openAtMain.push_back(modMain::OpenDocumentAtStart);
  }};
};

}  // namespace

TEST_F(StartRoad, EveryCombinationOfSwitchesLeadsThroughItsWindowsToTheMainWindow) {
  // 2 counts as off, as does a switch stored as text.
  const std::int32_t values[] = {0, 1, 2};
  for (std::int32_t splash : values) {
    for (std::int32_t welcome : values) {
      for (std::int32_t workBegin : values) {
        SCOPED_TRACE(testing::Message() << "splash " << splash << " welcome " << welcome << " work begin " << workBegin);
        FreshSettings fresh;
        Dialog(settings::dialogs::kSplash, splash);
        Dialog(settings::dialogs::kWelcome, welcome);
        Dialog(settings::dialogs::kWorkBegin, workBegin);
        mainShown = 0;
        ASSERT_TRUE(modMain::Main());
        std::vector<std::string> road;
        if (splash == 1) {
          // The host is loaded and never shown; the picture beside the program is up, nothing else.
          EXPECT_EQ(Loaded(), std::vector<std::string>{"splash"});
          EXPECT_FALSE(windows.Splash()->Visible());
          EXPECT_TRUE(windows.Splash()->Splash.Showing());
          EXPECT_EQ(windows.Splash()->Timer.Interval(), 6000);
          EXPECT_EQ(mainShown, 0);
          road.push_back("splash");
          TickSplash();
          EXPECT_FALSE(windows.Splash()->IsLoaded());
          EXPECT_FALSE(windows.Splash()->Splash.Showing());
        }
        if (welcome == 1) {
          // Each window is the only one of the road while it is open.
          ASSERT_EQ(Loaded(), std::vector<std::string>{"welcome"});
          EXPECT_TRUE(windows.Welcome()->Visible());
          EXPECT_EQ(mainShown, 0);
          road.push_back("welcome");
          windows.Welcome()->cmdContinue.Value(true);
        }
        if (workBegin == 1) {
          ASSERT_EQ(Loaded(), std::vector<std::string>{"workbegin"});
          EXPECT_TRUE(windows.WorkBegin()->Visible());
          EXPECT_EQ(mainShown, 0);
          road.push_back("workbegin");
          windows.WorkBegin()->cmdOK.Value(true);
        }
        EXPECT_EQ(Loaded(), std::vector<std::string>{});
        EXPECT_EQ(mainShown, 1);
        // Nothing was ticked: the switches stay as they were.
        EXPECT_EQ(Dialog(settings::dialogs::kWelcome), welcome);
        EXPECT_EQ(Dialog(settings::dialogs::kWorkBegin), workBegin);
      }
    }
  }
}

TEST_F(StartRoad, TheBoxOnEachWindowTurnsItsSwitchOffForTheNextStart) {
  Dialog(settings::dialogs::kWelcome, 1);
  Dialog(settings::dialogs::kWorkBegin, 1);
  ASSERT_TRUE(modMain::Main());
  ASSERT_NE(windows.Welcome(), nullptr);
  EXPECT_EQ(windows.Welcome()->chkDoNotShowThisDialog.Value(), 0);
  windows.Welcome()->chkDoNotShowThisDialog.Value(1);
  windows.Welcome()->cmdContinue.Value(true);
  EXPECT_EQ(Dialog(settings::dialogs::kWelcome), 0);
  EXPECT_EQ(Dialog(settings::dialogs::kWorkBegin), 1);
  ASSERT_EQ(Loaded(), std::vector<std::string>{"workbegin"});
  EXPECT_EQ(windows.WorkBegin()->chkDoNotShowThisDialog.Value(), 0);
  windows.WorkBegin()->chkDoNotShowThisDialog.Value(1);
  // "Закрыть" honours the box as "Ok" does.
  windows.WorkBegin()->cmdClose.Value(true);
  EXPECT_EQ(Dialog(settings::dialogs::kWorkBegin), 0);
  EXPECT_EQ(mainShown, 1);
  // The next start goes straight to the main window.
  ASSERT_TRUE(modMain::Main());
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
  EXPECT_EQ(mainShown, 2);
}

TEST_F(StartRoad, SwitchesStoredAsTextCountAsOff) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWelcome, u"1");
  Dialog(settings::dialogs::kWorkBegin, 1);
  ASSERT_TRUE(modMain::Main());
  ASSERT_EQ(Loaded(), std::vector<std::string>{"workbegin"});
  windows.WorkBegin()->cmdOK.Value(true);
  // Welcome on, getting started stored as text: welcome leads straight to the main window.
  Dialog(settings::dialogs::kWelcome, 1);
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kWorkBegin, u"1");
  ASSERT_TRUE(modMain::Main());
  ASSERT_EQ(Loaded(), std::vector<std::string>{"welcome"});
  windows.Welcome()->cmdContinue.Value(true);
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
  EXPECT_EQ(mainShown, 2);
}

TEST_F(StartRoad, TheGettingStartedChoiceDecidesWhetherTheMainWindowOpensADocument) {
  Dialog(settings::dialogs::kWorkBegin, 1);
  // A flag left over from before is cleared when the window loads: "Ok" at once starts empty.
  modMain::OpenDocumentAtStart = true;
  ASSERT_TRUE(modMain::Main());
  EXPECT_TRUE(windows.WorkBegin()->optCreateNewDocument.Value());
  EXPECT_FALSE(modMain::OpenDocumentAtStart);
  windows.WorkBegin()->cmdOK.Value(true);

  // "Открыть документ" asks for the document at once, by "Ok" and by "Закрыть" alike.
  for (bool byClose : {false, true}) {
    ASSERT_TRUE(modMain::Main());
    frmWorkBegin& w = *windows.WorkBegin();
    w.optOpenDocument.Value(true);
    EXPECT_TRUE(modMain::OpenDocumentAtStart);
    EXPECT_FALSE(w.optCreateNewDocument.Value());
    (byClose ? w.cmdClose : w.cmdOK).Value(true);
  }

  // The last choice counts: open, then new again, opens nothing.
  ASSERT_TRUE(modMain::Main());
  windows.WorkBegin()->optOpenDocument.Value(true);
  windows.WorkBegin()->optCreateNewDocument.Value(true);
  windows.WorkBegin()->cmdOK.Value(true);
  EXPECT_EQ(openAtMain, (std::vector<bool>{false, true, true, false}));
}

TEST_F(StartRoad, ClosingAWindowByItsFrameOnlyUnloadsIt) {
  FreshSettings fresh;
  const std::filesystem::path sounds = std::filesystem::path(QM_BINARY_DIR) / "bin" / "Sounds";
  auto sound = [](std::u16string_view event, const std::filesystem::path& file) {
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, event, u"1");
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, std::u16string(event) + u"Path",
                                     vb::FromUtf8(file.string()));
  };
  sound(u"FormLoad", sounds / "FormLoad.wav");
  sound(u"FormUnload", sounds / "FormUnload.wav");
  Dialog(settings::dialogs::kWelcome, 1);
  Dialog(settings::dialogs::kWorkBegin, 1);
  ASSERT_TRUE(modMain::Main());
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8((sounds / "FormLoad.wav").string()));
  platform::testing::CloseByUser(windows.Welcome()->hWnd());
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8((sounds / "FormUnload.wav").string()));
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
  EXPECT_EQ(windows.WorkBegin(), nullptr);
  EXPECT_EQ(mainShown, 0);

  Dialog(settings::dialogs::kWelcome, 0);
  ASSERT_TRUE(modMain::Main());
  platform::testing::CloseByUser(windows.WorkBegin()->hWnd());
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
  EXPECT_EQ(mainShown, 0);
  EXPECT_EQ(Dialog(settings::dialogs::kWorkBegin), 1);
}

TEST_F(StartRoad, TheSplashHostIsSilentButAPressOnItsPicturePlaysTheClick) {
  const std::filesystem::path sounds = std::filesystem::path(QM_BINARY_DIR) / "bin" / "Sounds";
  const std::pair<const char*, const char*> events[] = {
      {"FormLoad", "FormLoad.wav"}, {"FormUnload", "FormUnload.wav"}, {"ButtonMouseClick", "ButtonClick.wav"}};
  for (const auto& [event, file] : events) {
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, vb::FromUtf8(event), u"1");
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, vb::FromUtf8(event) + u"Path",
                                     vb::FromUtf8((sounds / file).string()));
  }
  // Another sound of the program plays before: the host's load and unload do not replace it.
  const std::u16string other = vb::FromUtf8((sounds / "KeyDown.wav").string());
  win::sndPlaySoundA(other, win::SND_ASYNC | win::SND_NODEFAULT);
  ASSERT_EQ(platform::testing::CurrentSound(), other);
  Dialog(settings::dialogs::kSplash, 1);
  ASSERT_TRUE(modMain::Main());
  EXPECT_EQ(platform::testing::CurrentSound(), other);
  ASSERT_TRUE(platform::testing::PressOnSplash());
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8((sounds / "ButtonClick.wav").string()));
  win::sndPlaySoundA(other, win::SND_ASYNC | win::SND_NODEFAULT);
  TickSplash();
  EXPECT_EQ(platform::testing::CurrentSound(), other);
  EXPECT_EQ(mainShown, 1);
}

TEST_F(StartRoad, ASplashPictureThatCannotBeShownIsSkippedAndTheTimerStillLeadsOn) {
  TempDir dir;
  WriteBytes(dir.path() / "garbage.spl", std::string("\x89PNG\r\n\x1a\nnot really a picture", 28));
  WriteBytes(dir.path() / "empty.spl", std::string());
  for (const char* name : {"missing.spl", "garbage.spl", "empty.spl", ""}) {
    SCOPED_TRACE(name);
    const int before = mainShown;
    const std::u16string path = *name ? vb::FromUtf8((dir.path() / name).string()) : std::u16string();
    windows.ShowSplash(path);
    EXPECT_TRUE(windows.Splash()->IsLoaded());
    EXPECT_FALSE(windows.Splash()->Splash.Showing());
    EXPECT_FALSE(platform::testing::SaveSplashPicture(vb::FromUtf8((dir.path() / "shot.png").string())));
    EXPECT_TRUE(platform::testing::TimerExists(windows.Splash()->Timer.hWnd(), 1));
    TickSplash();
    EXPECT_FALSE(windows.Splash()->IsLoaded());
    EXPECT_EQ(mainShown, before + 1);
  }
  // A path written with "\" separators, as the start-up routine builds it, finds the picture.
  const std::string beside = (std::filesystem::path(QM_BINARY_DIR) / "bin").string();
  std::u16string backslashed = vb::FromUtf8(beside);
  for (auto& c : backslashed) {
    if (c == u'/') c = u'\\';
  }
  windows.ShowSplash(u"/" + backslashed.substr(1) + u"\\Splash.spl");
  EXPECT_TRUE(windows.Splash()->Splash.Showing());
  TickSplash();
  EXPECT_FALSE(windows.Splash()->Splash.Showing());
}

// Pictures of the three windows; the welcome and getting-started windows are checked for their
// titles, their texts wrapped into lines, their unticked boxes, the option chosen, and their
// buttons' captions.
TEST_F(StartRoad, PicturesOfTheThreeWindows) {
  Dialog(settings::dialogs::kSplash, 1);
  Dialog(settings::dialogs::kWelcome, 1);
  Dialog(settings::dialogs::kWorkBegin, 1);
  ASSERT_TRUE(modMain::Main());
  vb::DoEvents();
  EXPECT_TRUE(platform::testing::SaveSplashPicture(vb::FromUtf8(QM_BINARY_DIR "/start_splash.png")));
  TickSplash();
  vb::DoEvents();
  frmWelcome& welcome = *windows.Welcome();
  const platform::testing::Picture hello = vb::testing::WindowPicture(welcome.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(hello, vb::FromUtf8(QM_BINARY_DIR "/start_welcome.png")));
  const auto in = [](vb::Form& f, vb::Control& c) { return qmtest::RectIn(c.hWnd(), f.hWnd()); };
  const auto inked = [](const platform::testing::Picture& p, const win::RECT& r) { return p.Count(r, qmtest::DarkInk) > 0; };
  EXPECT_TRUE(inked(hello, in(welcome, welcome.lblTitle)));
  EXPECT_GE(hello.RowBands(in(welcome, welcome.lblWelcome), qmtest::DarkInk).size(), 8u);
  EXPECT_FALSE(qmtest::ShowsTick(hello, in(welcome, welcome.chkDoNotShowThisDialog)));
  EXPECT_TRUE(inked(hello, in(welcome, welcome.cmdContinue)));

  welcome.cmdContinue.Value(true);
  frmWorkBegin& begin = *windows.WorkBegin();
  begin.optOpenDocument.Value(true);
  vb::DoEvents();
  const platform::testing::Picture work = vb::testing::WindowPicture(begin.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(work, vb::FromUtf8(QM_BINARY_DIR "/start_work_begin.png")));
  EXPECT_TRUE(inked(work, in(begin, begin.lblTitle)));
  EXPECT_GE(work.RowBands(in(begin, begin.Label4), qmtest::DarkInk).size(), 2u);
  const win::RECT frame = in(begin, begin.Frame1);
  EXPECT_TRUE(inked(work, win::RECT{frame.left, frame.top, frame.right, frame.top + 12})) << "the frame's caption";
  EXPECT_FALSE(qmtest::ShowsTick(work, in(begin, begin.optCreateNewDocument)));
  EXPECT_TRUE(qmtest::ShowsTick(work, in(begin, begin.optOpenDocument))) << "the option chosen";
  for (vb::Label* l : {&begin.Label1, &begin.Label3}) EXPECT_TRUE(inked(work, in(begin, *l)));
  EXPECT_FALSE(qmtest::ShowsTick(work, in(begin, begin.chkDoNotShowThisDialog)));
  EXPECT_TRUE(inked(work, in(begin, begin.cmdOK)));
  EXPECT_TRUE(inked(work, in(begin, begin.cmdClose)));
  begin.cmdOK.Value(true);
  EXPECT_EQ(mainShown, 1);
}
