// Where the windows of the main window open: centred over it, wherever it stands, modeless and
// modal alike, through the one placement routine.
#include "handed_preference_windows.h"
#include "mainwindow/forms/document_properties.h"
#include "mainwindow/forms/find.h"
#include "mainwindow/forms/go_to.h"
#include "mainwindow/forms/insert_time_and_date.h"
#include "mainwindow/forms/printing.h"
#include "mainwindow/forms/replace.h"
#include "mainwindow/main_window_support.h"
#include "mainwindow/program_windows.h"
#include "platform/testing/vb.h"
#include "platform/vb/screen.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"
#include "preferences/settings/settings.h"

using namespace qmtest;

namespace {

class WindowPlacement : public MainWindowTest {
 protected:
  ~WindowPlacement() override {
    for (vb::Form* f : {static_cast<vb::Form*>(&SettingsDialog()), static_cast<vb::Form*>(&InsertTimeAndDateWindow()),
                        static_cast<vb::Form*>(&FindWindow()), static_cast<vb::Form*>(&ReplaceWindow()),
                        static_cast<vb::Form*>(&GoToWindow())}) {
      if (f->IsLoaded()) f->Terminate();
    }
  }
  // The main window shown away from the middle of the screen, so that centred over it and centred
  // on the screen differ.
  void ShowMainInTheCorner() {
    editor().Text(u"Текст документа");
    w().Show();
    w().Move(150, 150, 10500, 7500);
  }
  // The window's centre is the main window's (to a pixel of rounding).
  void ExpectCentredOverMain(win::HWND h, const char* name) {
    win::RECT r{}, m{};
    ASSERT_TRUE(win::GetWindowRect(h, &r)) << name;
    ASSERT_TRUE(win::GetWindowRect(w().hWnd(), &m));
    EXPECT_NEAR(r.left + r.right, m.left + m.right, 2) << name;
    EXPECT_NEAR(r.top + r.bottom, m.top + m.bottom, 2) << name;
  }
  // The modal window the command shows, looked at while it is shown and then closed.
  void ExpectModalCentred(const std::function<void()>& command, const char* name) {
    bool seen = false;
    vb::testing::QueueModalAction([&] {
      const win::HWND shown = program_windows::Shown().front();
      ExpectCentredOverMain(shown, name);
      seen = true;
      win::SendMessageA(shown, win::WM_CLOSE, 0, 0);
    });
    command();
    EXPECT_TRUE(seen) << name;
  }

  HandedPreferenceWindows preferenceWindows_;
};

}  // namespace

TEST_F(WindowPlacement, ModelessWindowsOpenCentredOverTheMainWindow) {
  ShowMainInTheCorner();
  w().CmdFilePrintSettings();
  ExpectCentredOverMain(SettingsDialog().hWnd(), "settings");
  w().CmdInsertTimeAndDate();
  ExpectCentredOverMain(InsertTimeAndDateWindow().hWnd(), "time and date");
  w().CmdFindFind();
  ExpectCentredOverMain(FindWindow().hWnd(), "find");
  w().CmdFindReplace();
  ExpectCentredOverMain(ReplaceWindow().hWnd(), "replace");
  w().CmdFindGoTo();
  ExpectCentredOverMain(GoToWindow().hWnd(), "go to");
}

TEST_F(WindowPlacement, ModalWindowsOpenCentredOverTheMainWindow) {
  ShowMainInTheCorner();
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting, 1);
  ExpectModalCentred([&] { w().CmdFilePrint(); }, "print confirmation");
  ExpectModalCentred([&] { w().CmdFileProperties(); }, "properties");
  ExpectModalCentred([&] { w().CmdServiceSettings(); }, "settings");
  ExpectModalCentred([&] { w().CmdDecodeDialog(); }, "conversion");
  ExpectModalCentred([&] { w().CmdHelpAbout(); }, "about");
  ExpectModalCentred([&] { w().CmdHelpLicense(); }, "agreement");
  // The progress window of a conversion.
  modDecode::DecodeDocument();
  ASSERT_TRUE(DecodingWindow().IsLoaded());
  ExpectCentredOverMain(DecodingWindow().hWnd(), "progress");
}

TEST_F(WindowPlacement, WithoutAMainWindowOnTheScreenTheyOpenInTheMiddleOfTheScreen) {
  w().CmdInsertTimeAndDate();  // the main window is loaded but not shown
  win::RECT r{};
  ASSERT_TRUE(win::GetWindowRect(InsertTimeAndDateWindow().hWnd(), &r));
  const float screenWidth = vb::Screen.Width() / vb::Screen.TwipsPerPixelX();
  const float screenHeight = vb::Screen.Height() / vb::Screen.TwipsPerPixelY();
  EXPECT_NEAR(r.left + r.right, screenWidth, 2);
  EXPECT_NEAR(r.top + r.bottom, screenHeight, 2);
}
