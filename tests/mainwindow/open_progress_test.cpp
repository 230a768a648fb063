// The Open command on a large document: its progress window shows, quiets the main window, and its
// close box or Cancel leaves the document, its marks and its history as they were; a completed
// open leaves the document unmarked as any open does. The window is pictured (open_progress.png in
// the build tree).
#include <filesystem>

#include "main_window_support.h"
#include "mainwindow/forms/opening.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

using namespace qmtest;
using platform::script::Kind;
namespace prefs = settings::preferences;

namespace {

class OpenProgressWindow : public MainWindowTest {
 protected:
  OpenProgressWindow() {
    modDocument::Reset();
    modDocument::OpenProgressDelayMs = 0;  // the window shows at the first step
    modDocument::StepwiseOpenFrom = 1'000'000;
    std::string bytes;
    for (int line = 0; bytes.size() < 1'400'000; ++line) bytes += "\xcf\xf0\xe8\xe2\xe5\xf2, line " + std::to_string(line) + "\r\n";
    large = dir.path() / "large.txt";
    WriteBytes(large, bytes);
  }
  ~OpenProgressWindow() override {
    modDocument::OpenProgressDelayMs = 500;
    modDocument::StepwiseOpenFrom = std::size_t{12} << 20;
    if (OpeningWindow().IsLoaded()) OpeningWindow().Terminate();
  }
  // Runs `action` once the progress window shows.
  void WhenShown(std::function<void()> action) {
    auto check = std::make_shared<std::function<void()>>();
    *check = [this, check, action, tries = 0]() mutable {
      if (!OpeningWindow().IsLoaded() || !OpeningWindow().Visible()) {
        if (++tries < 100000) platform::testing::PostAction(*check);
        return;
      }
      shown = true;
      mainEnabledWhileShown = w().Enabled();
      action();
      *check = nullptr;
    };
    platform::testing::PostAction(*check);
  }
  void Open() {
    Answer(Kind::OpenFile, 1, U(large));
    w().CmdFileOpen();
  }
  TempDir dir;
  std::filesystem::path large;
  bool shown = false;
  bool mainEnabledWhileShown = true;
};

bool HasClose(win::HWND h) {
  const win::HMENU menu = win::GetSystemMenu(h, win::FALSE);
  for (int i = 0; i < win::GetMenuItemCount(menu); ++i) {
    if (win::GetMenuItemID(menu, i) == win::SC_CLOSE) return true;
  }
  return false;
}

}  // namespace

TEST_F(OpenProgressWindow, ItsCloseBoxAndCancelLeaveTheDocumentAsItWas) {
  SetPref(prefs::kSaveChange, u"0");
  editor().Text(u"мой текст\r\nвторая строка");
  editor().SelStart(3);
  editor().SelLength(4);
  ASSERT_TRUE(w().DocumentModified);
  const std::u16string caption = w().Caption();
  const std::size_t history = modDocument::UndoStack.size();

  WhenShown([this] {
    // The main window's own: a click in the quieted main window never hides it.
    EXPECT_EQ(win::GetWindowLongA(OpeningWindow().hWnd(), win::GWL_HWNDPARENT), static_cast<win::LONG_PTR>(w().hWnd()));
    EXPECT_TRUE(vb::testing::SaveWindowPicture(OpeningWindow().hWnd(), vb::FromUtf8(QM_BINARY_DIR) + u"/open_progress.png"));
    EXPECT_EQ(OpeningWindow().txtPath.Text(), U(large));
    EXPECT_FALSE(HasClose(w().hWnd()));
    platform::testing::CloseByUser(OpeningWindow().hWnd());
  });
  Open();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(mainEnabledWhileShown);
  EXPECT_FALSE(OpeningWindow().Visible());
  EXPECT_TRUE(w().Enabled());
  EXPECT_TRUE(HasClose(w().hWnd()));
  EXPECT_EQ(U8(editor().Text()), U8(u"мой текст\r\nвторая строка"));
  EXPECT_EQ(editor().SelStart(), 3);
  EXPECT_EQ(editor().SelLength(), 4);
  EXPECT_FALSE(editor().Locked());
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_EQ(w().Caption(), caption);
  EXPECT_EQ(modDocument::UndoStack.size(), history);
  EXPECT_TRUE(modDocument::DocumentPath().empty());

  // Cancel does the same; the window can show again for the next open.
  shown = false;
  WhenShown([] { platform::testing::Click(OpeningWindow().cmdCancel.hWnd(), 5, 5); });
  Open();
  EXPECT_TRUE(shown);
  EXPECT_EQ(U8(editor().Text()), U8(u"мой текст\r\nвторая строка"));
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_TRUE(w().Enabled());
}

TEST_F(OpenProgressWindow, ACompletedOpenShowsTheFileUnmarked) {
  editor().Text(u"x");
  SetPref(prefs::kSaveChange, u"0");
  WhenShown([] {});
  Open();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(OpeningWindow().Visible());
  EXPECT_TRUE(w().Enabled());
  EXPECT_FALSE(w().DocumentModified);
  EXPECT_EQ(modDocument::DocumentPath(), U(large));
  EXPECT_EQ(editor().TextRange(0, 14), u"Привет, line 0");
  EXPECT_EQ(editor().SelStart(), 0);
}
