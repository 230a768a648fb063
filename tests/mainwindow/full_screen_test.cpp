// The full-screen view: the text's round trip (out, edited, back as one step of the edit history),
// the main window kept from input meanwhile, the ways out, the bar's remembered place and its
// return onto a screen, and the clipboard watch waiting while the view holds the document.
#include "main_window_support.h"
#include "mainwindow/forms/full_screen.h"
#include "mainwindow/forms/insert_time_and_date.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/runtime.h"
#include "platform/win/monitor.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

using namespace qmtest;
namespace prefs = settings::preferences;

namespace {

class FullScreen : public MainWindowTest {
 protected:
  FullScreen() {
    platform::testing::SetMonitorProvider([] {
      return std::vector<platform::testing::Monitor>{
          {win::RECT{0, 0, 1280, 1024}, win::RECT{0, 30, 1280, 1024}, true, u"one"},
          {win::RECT{1280, 0, 2560, 1024}, win::RECT{1280, 0, 2560, 1024}, false, u"two"}};
    });
  }
  ~FullScreen() override {
    if (FullScreenBar().IsLoaded()) FullScreenBar().Terminate();
    if (FullScreenWindow().IsLoaded()) FullScreenWindow().Terminate();
    platform::testing::SetMonitorProvider(nullptr);
  }
  frmFScreen& view() { return FullScreenWindow(); }
  frmFScreenB& bar() { return FullScreenBar(); }
  vb::RichTextBox& fsrtb() { return *view().FSRTB; }
  void Leave() { bar().cmdExit.Value(true); }
  // Where the bar stands, in pixels.
  std::pair<int, int> BarAt() {
    return {static_cast<int>(bar().Left() / vb::TwipsPerPixel), static_cast<int>(bar().Top() / vb::TwipsPerPixel)};
  }
};

TEST_F(FullScreen, TheTextGoesOutIsEditedAndComesBackAsOneUndoStep) {
  editor().Text(u"Первая строка\r\nВторая строка");
  editor().SelStart(5);
  w().CmdViewFullScreen();
  ASSERT_TRUE(view().Visible());
  ASSERT_TRUE(bar().Visible());
  EXPECT_EQ(fsrtb().Text(), u"Первая строка\r\nВторая строка");
  EXPECT_EQ(fsrtb().SelStart(), 0);
  EXPECT_EQ(bar().Caption(), u"     Полноэкранный режим");
  EXPECT_EQ(bar().cmdExit.Caption(), u"Вернуть обычный режим");
  EXPECT_EQ(fsrtb().FontName(), u"Tahoma");
  // The bar stays above every window whatever the keep-on-top preference says (none is stored here).
  EXPECT_NE(win::GetWindowLongA(bar().hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, 0u);

  // The main window takes no input; its editor stays as it was.
  EXPECT_FALSE(w().Enabled());
  platform::testing::KeyClick(editor().hWnd(), 'X', 0, u"ж");
  EXPECT_EQ(editor().Text(), u"Первая строка\r\nВторая строка");

  fsrtb().SelStart(fsrtb().TextLength());
  fsrtb().SelText(u"\r\nТретья");
  fsrtb().SelStart(0);
  fsrtb().SelLength(6);
  fsrtb().SelText(u"Новая");
  const std::size_t steps = modDocument::UndoStack.size();
  Leave();
  EXPECT_FALSE(view().IsLoaded());
  EXPECT_FALSE(bar().IsLoaded());
  EXPECT_TRUE(w().Enabled());
  EXPECT_EQ(editor().Text(), u"Новая строка\r\nВторая строка\r\nТретья");
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_EQ(modDocument::UndoStack.size(), steps + 1);
  modDocument::UndoEdit();
  EXPECT_EQ(editor().Text(), u"Первая строка\r\nВторая строка");
  modDocument::RedoEdit();
  EXPECT_EQ(editor().Text(), u"Новая строка\r\nВторая строка\r\nТретья");
}

TEST_F(FullScreen, AnEmptyOrUntouchedDocumentComesBackWithoutAStep) {
  w();
  const std::size_t steps = modDocument::UndoStack.size();
  w().CmdViewFullScreen();
  EXPECT_EQ(fsrtb().Text(), u"");
  Leave();
  EXPECT_EQ(editor().Text(), u"");
  editor().Text(u"Как было");
  w().CmdViewFullScreen();
  Leave();
  EXPECT_EQ(editor().Text(), u"Как было");
  EXPECT_EQ(modDocument::UndoStack.size(), steps + 1);  // only the typed text
}

TEST_F(FullScreen, TheWindowFillsTheScreenAndItsEditorTheWindow) {
  w().CmdViewFullScreen();
  vb::DoEvents();
  EXPECT_EQ(view().WindowState(), vb::vbMaximized);
  EXPECT_GT(view().ScaleWidth(), 4800) << "a fixed border does not keep the window at its design size";
  // Sizes are whole pixels: within one pixel of the inner size less the margins.
  EXPECT_EQ(view().FSRTB.Left(), 150);
  EXPECT_NEAR(view().FSRTB.Width(), view().ScaleWidth() - 330, vb::TwipsPerPixel);
  EXPECT_NEAR(view().FSRTB.Height(), view().ScaleHeight() - 330, vb::TwipsPerPixel);
  EXPECT_NEAR(view().ShapeRichTextBox.Height(), view().ScaleHeight() - 290, vb::TwipsPerPixel);
  EXPECT_NEAR(fsrtb().RightMargin(), view().FSRTB.Width() - 400, vb::TwipsPerPixel);
}

TEST_F(FullScreen, TheViewsOwnCloseBoxAlsoBringsTheTextBackButTheBarCannotBeClosed) {
  editor().Text(u"До");
  w().CmdViewFullScreen();
  fsrtb().Text(u"После");
  // The bar's window menu has lost Close, and only Close: the user cannot close the bar.
  const win::HMENU menu = win::GetSystemMenu(bar().hWnd(), win::FALSE);
  ASSERT_EQ(win::GetMenuItemCount(menu), 6);
  EXPECT_EQ(win::GetMenuItemID(menu, 5), 0u);
  platform::testing::CloseByUser(bar().hWnd());
  EXPECT_TRUE(bar().IsLoaded());
  EXPECT_TRUE(view().IsLoaded());
  EXPECT_EQ(editor().Text(), u"До");
  platform::testing::CloseByUser(view().hWnd());
  EXPECT_FALSE(view().IsLoaded());
  EXPECT_FALSE(bar().IsLoaded());
  EXPECT_TRUE(w().Enabled());
  EXPECT_EQ(editor().Text(), u"После");
}

// The bar's title bar writes its caption whole: the bar is at least as wide as its caption needs
// (and its designed width), and its one button fills it within the margins.
TEST_F(FullScreen, TheBarIsWideEnoughForItsCaptionAndItsButtonFillsIt) {
  w().CmdViewFullScreen();
  vb::DoEvents();
  EXPECT_GE(bar().ScaleWidth(), bar().CaptionClientWidth() - vb::TwipsPerPixel);
  EXPECT_GE(bar().ScaleWidth(), frmFScreenB::kClientWidth - vb::TwipsPerPixel);
  EXPECT_NEAR(bar().cmdExit.Width(), bar().ScaleWidth() - 120, vb::TwipsPerPixel);
  EXPECT_EQ(bar().cmdExit.Left(), 60);
}

TEST_F(FullScreen, TheBarStartsAtTheTopLeftAndComesBackWhereItWasLeft) {
  w().CmdViewFullScreen();
  EXPECT_EQ(BarAt(), (std::pair<int, int>{0, 30}));  // the work area's corner of the first screen
  bar().Move(1500 * vb::TwipsPerPixel, 200 * vb::TwipsPerPixel);
  Leave();
  EXPECT_EQ(Pref(prefs::kFullScreenLeft), u"22500");
  EXPECT_EQ(Pref(prefs::kFullScreenTop), u"3000");
  w().CmdViewFullScreen();
  EXPECT_EQ(BarAt(), (std::pair<int, int>{1500, 200}));
}

// A bar pushed against a screen's right or bottom edge stands inside it; its frame, unknown
// before the window system draws it, may reach a few pixels further.
TEST_F(FullScreen, AStoredPlaceOffEveryScreenOrNoNumberIsBroughtOntoTheNearestScreen) {
  constexpr int kFar = -1;
  struct Case {
    std::u16string left, top;
    std::pair<int, int> at;  // kFar: against the right or bottom edge of the second screen
  };
  w();
  const Case cases[] = {
      {u"-30000", u"-30000", {0, 30}},
      {u"999999", u"99999", {kFar, kFar}},
      {u"1e40", u"nonsense", {kFar, 0}},  // nearest to the far right: the second screen
      {u"19500", u"7500", {1300, 500}},   // on the second screen: left where it is
  };
  for (const Case& c : cases) {
    SetPref(prefs::kFullScreenLeft, c.left);
    SetPref(prefs::kFullScreenTop, c.top);
    w().CmdViewFullScreen();
    const auto [x, y] = BarAt();
    const int inner[] = {static_cast<int>(bar().ScaleWidth() / vb::TwipsPerPixel),
                         static_cast<int>(bar().ScaleHeight() / vb::TwipsPerPixel)};
    const int got[] = {x, y};
    const int want[] = {c.at.first, c.at.second};
    const int edge[] = {2560, 1024};
    for (int i = 0; i < 2; ++i) {
      if (want[i] != kFar) {
        EXPECT_EQ(got[i], want[i]) << vb::ToUtf8(c.left) << " " << vb::ToUtf8(c.top);
      } else {
        EXPECT_LE(got[i] + inner[i], edge[i]) << vb::ToUtf8(c.left) << " " << vb::ToUtf8(c.top);
        EXPECT_GE(got[i] + inner[i], edge[i] - 40) << vb::ToUtf8(c.left) << " " << vb::ToUtf8(c.top);
      }
    }
    Leave();
  }
}

TEST_F(FullScreen, TheClipboardWatchWaitsWhileTheViewHoldsTheDocument) {
  SetPref(prefs::kClipboardText, u"1");
  editor().Text(u"Документ");
  w().CmdViewFullScreen();
  fsrtb().SelStart(fsrtb().TextLength());
  fsrtb().SelText(u" в полный экран");
  vb::testing::CopyFromAnotherProgram(u"С буфера");
  w().TimerClipboard.Enabled(true);
  w().TimerClipboard_Timer();
  EXPECT_EQ(editor().Text(), u"Документ");
  EXPECT_TRUE(w().TimerClipboard.Enabled());
  Leave();
  w().TimerClipboard_Timer();
  EXPECT_EQ(editor().Text(), u"Документ в полный экран\r\nС буфера");
  EXPECT_FALSE(w().TimerClipboard.Enabled());
}

}  // namespace

namespace {

// The windows the main window owns act on its editor: they take no input while the view is open,
// and afterwards only those that took it before take it again.
TEST_F(FullScreen, TheMainWindowsOwnWindowsWaitForTheViewToo) {
  editor().Text(u"Текст");
  w().CmdInsertTimeAndDate();
  frmInsertTimeAndDate& dates = InsertTimeAndDateWindow();
  frmDecode& other = DecodeDialog();
  other.Show(vb::vbModeless, &w());
  win::EnableWindow(other.hWnd(), win::FALSE);
  w().CmdViewFullScreen();
  EXPECT_FALSE(win::IsWindowEnabled(dates.hWnd()));
  EXPECT_TRUE(win::IsWindowEnabled(bar().hWnd()));
  EXPECT_TRUE(win::IsWindowEnabled(view().hWnd()));
  dates.lstDates.ListIndex(0);
  platform::testing::Click(dates.cmdInsert.hWnd(), 5, 5);
  EXPECT_TRUE(dates.IsLoaded());
  Leave();
  EXPECT_EQ(editor().Text(), u"Текст");
  EXPECT_TRUE(win::IsWindowEnabled(dates.hWnd()));
  EXPECT_FALSE(win::IsWindowEnabled(other.hWnd()));
  dates.Terminate();
}

}  // namespace

namespace {

// Closing the program's main window would end the program with the document's latest text only in
// the view: while the view is open the main window cannot be closed by the user.
TEST_F(FullScreen, TheMainWindowCannotBeClosedWhileTheViewHoldsTheDocument) {
  editor().Text(u"Начало");
  w().CmdViewFullScreen();
  fsrtb().Text(u"Начало и продолжение");
  platform::testing::CloseByUser(w().hWnd());
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(view().IsLoaded());
  Leave();
  EXPECT_EQ(editor().Text(), u"Начало и продолжение");
  platform::testing::CloseByUser(w().hWnd());
  EXPECT_EQ(ends, 1);
}

}  // namespace
