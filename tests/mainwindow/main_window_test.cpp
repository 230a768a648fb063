// The main window's load (selectors, direction list, caption, placement, timers, font), its layout
// table, and its close sequence with both questions in every order of answers, storing what it
// stores in one write.
#include "main_window_support.h"
#include "mainwindow/main_placement.h"
#include "platform/registry/store.h"
#include "platform/win/monitor.h"
#include "platform/media/sound.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/screen.h"

using namespace qmtest;
namespace prefs = settings::preferences;
using platform::script::Kind;

namespace {

class MainWindowLoad : public MainWindowTest {};

TEST_F(MainWindowLoad, FreshProfileGivesTheDesignStateCentredAndSilent) {
  frmMain& m = w();
  EXPECT_EQ(m.Caption(), u"Brannoch Quillmark 3.0");
  EXPECT_EQ(m.Combo1.ListCount(), 5);
  EXPECT_EQ(m.Combo1.Text(), u"DOS 866");
  EXPECT_EQ(m.Combo2.Text(), u"Windows 1251");
  ASSERT_EQ(m.cmbDecode.ListCount(), 20);
  EXPECT_EQ(m.cmbDecode.List(0), u"DOS 866 -> Windows 1251");
  EXPECT_EQ(m.cmbDecode.List(19), u"MAC Apple -> ISO 8859-5");
  EXPECT_EQ(m.cmbDecode.ListIndex(), 0);
  EXPECT_FALSE(m.TimerClipboardDetect.Enabled());
  EXPECT_TRUE(m.TimerEdit.Enabled());
  EXPECT_TRUE(modDocument::UndoRecording);
  EXPECT_NEAR(m.Left(), vb::Screen.Width() / 2 - m.Width() / 2, 15);
  EXPECT_NEAR(m.Top(), vb::Screen.Height() / 2 - m.Height() / 2, 15);
  EXPECT_FALSE(m.DocumentModified);
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(m.RichTextBox->FontName(), w().RichTextBox->FontName());
}

TEST_F(MainWindowLoad, StoredDirectionThatIsNoDirectionShowsTheFirst) {
  for (std::u16string_view stored : {u"13", u"25", u"-3", u"abc", u"4.5"}) {
    SetPref(prefs::kDefaultCode, stored);
    frmMain m;
    m.Load();
    EXPECT_EQ(m.cmbDecode.ListIndex(), stored == u"13" ? 13 : 0) << vb::ToUtf8(std::u16string(stored));
    m.Terminate();
  }
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(MainWindowLoad, CaptionFontAndWatchFollowThePreferences) {
  const std::pair<std::u16string_view, std::u16string_view> captions[] = {
      {u"1", u"Brannoch Quillmark 3.0 Preview - [Документ]"},
      {u"2", u"Brannoch Quillmark 3.0 Preview - [Документ не сохранен]"},
      {u"3", u"Brannoch Quillmark 3.0 Preview"},
      {u"4", u"Brannoch Quillmark 3.0"}};
  SetPref(prefs::kClipboardDetect, u"1");
  SetPref(prefs::kFontName, u"DejaVu Sans");
  SetPref(prefs::kFontSize, u"14");
  for (const auto& [mode, caption] : captions) {
    SetPref(prefs::kShowInCaption, mode);
    frmMain m;
    m.Load();
    EXPECT_EQ(m.Caption(), caption);
    EXPECT_TRUE(m.TimerClipboardDetect.Enabled());
    EXPECT_EQ(m.RichTextBox->FontName(), u"DejaVu Sans");
    EXPECT_EQ(m.RichTextBox->FontSize(), 14);
    m.Terminate();
  }
}

TEST_F(MainWindowLoad, StoredRectangleIsUsedOnlyWhenWholeAndOnAScreen) {
  SetPref(prefs::kSaveWindowPositionAndSize, u"1");
  auto place = [](std::u16string_view l, std::u16string_view t, std::u16string_view h, std::u16string_view wd) {
    SetPref(prefs::kMainLeft, l);
    SetPref(prefs::kMainTop, t);
    SetPref(prefs::kMainHeight, h);
    SetPref(prefs::kMainWidth, wd);
    frmMain m;
    m.Load();
    const float r[4] = {m.Left(), m.Top(), m.Height(), m.Width()};
    m.Terminate();
    return std::vector<float>(r, r + 4);
  };
  EXPECT_EQ(place(u"1500", u"1200", u"6000", u"9000"), (std::vector<float>{1500, 1200, 6000, 9000}));
  // Not positive, not a number, or far off every screen: centred at the design size.
  for (const auto& bad : {std::vector<std::u16string_view>{u"1500", u"1200", u"0", u"9000"},
                          std::vector<std::u16string_view>{u"1500", u"1200", u"6000", u"-10"},
                          std::vector<std::u16string_view>{u"x", u"y", u"z", u"w"},
                          std::vector<std::u16string_view>{u"9000000", u"9000000", u"6000", u"9000"}}) {
    const auto r = place(bad[0], bad[1], bad[2], bad[3]);
    EXPECT_NEAR(r[0], vb::Screen.Width() / 2 - r[3] / 2, 15);
    EXPECT_NEAR(r[1], vb::Screen.Height() / 2 - r[2] / 2, 15);
  }
}

// Stored placements a user can meet (a screen that was larger, a value edited by hand, a window
// closed while tiny): the window always opens whole on the screen, at least big enough to use.
TEST_F(MainWindowLoad, StoredPlacementsOffEveryEdgeOrOfNoUsableSizeOpenWholeOnTheScreen) {
  SetPref(prefs::kSaveWindowPositionAndSize, u"1");
  win::MONITORINFO screen;
  ASSERT_TRUE(win::GetMonitorInfoW(win::MonitorFromPoint(win::POINT{0, 0}, win::MONITOR_DEFAULTTOPRIMARY), &screen));
  const win::RECT& work = screen.rcWork;
  const float tw = vb::TwipsPerPixel;
  const std::vector<std::vector<std::u16string_view>> stored = {
      // left, top, height, width
      {u"-3000", u"1200", u"6000", u"9000"},   {u"1500", u"-3000", u"6000", u"9000"},
      {u"1500", u"1200", u"6000", u"800"},     {u"1500", u"1200", u"225", u"9000"},
      {u"1500", u"1200", u"6000", u"100000"},  {u"1500", u"1200", u"100000", u"9000"},
      {u"1500", u"1200", u"1e30", u"1e30"},    {u"0", u"0", u"0", u"0"},
      {u"-5", u"-5", u"-5", u"-5"},            {u"17000", u"14000", u"9000", u"12000"}};
  for (const auto& r : stored) {
    SetPref(prefs::kMainLeft, r[0]);
    SetPref(prefs::kMainTop, r[1]);
    SetPref(prefs::kMainHeight, r[2]);
    SetPref(prefs::kMainWidth, r[3]);
    for (const std::u16string_view state : {u"0", u"2"}) {
      SetPref(prefs::kWindowState, state);
      frmMain m;
      m.Load();
      const std::string what = vb::ToUtf8(std::u16string(state) + u": " + std::u16string(r[0]) + u" " + std::u16string(r[1]) + u" " +
                                          std::u16string(r[2]) + u" " + std::u16string(r[3]));
      if (state == u"2") {
        EXPECT_EQ(m.WindowState(), vb::vbMaximized) << what;
        m.Terminate();
        continue;
      }
      EXPECT_GE(m.Left(), work.left * tw) << what;
      EXPECT_GE(m.Top(), work.top * tw) << what;
      EXPECT_LE(m.Left() + m.Width(), work.right * tw + tw) << what;
      EXPECT_LE(m.Top() + m.Height(), work.bottom * tw + tw) << what;
      EXPECT_GE(m.Width(), std::min(mainwindow::kMinimumWidth, (work.right - work.left) * tw) - tw) << what;
      EXPECT_GE(m.Height(), std::min(mainwindow::kMinimumHeight, (work.bottom - work.top) * tw) - tw) << what;
      m.Terminate();
    }
  }
  EXPECT_TRUE(Prompts().empty());
}

// A font size that no font can have keeps the design size, without a word.
TEST_F(MainWindowLoad, AnUnusableFontSizeKeepsTheDesignFont) {
  const double design = w().RichTextBox->FontSize();
  main_->Terminate();
  delete main_;
  main_ = nullptr;
  SetPref(prefs::kWindowState, u"2");
  for (const std::u16string_view size : {u"0", u"-12", u"100000", u"abc", u"1e400"}) {
    SetPref(prefs::kFontSize, size);
    frmMain m;
    m.Load();
    EXPECT_EQ(m.RichTextBox->FontSize(), design) << vb::ToUtf8(std::u16string(size));
    m.Terminate();
  }
  EXPECT_TRUE(Prompts().empty());
}

// A stored font name longer than any font's is no name: the design font stays, whatever its length.
TEST_F(MainWindowLoad, AFontNameLongerThanAnyFontsKeepsTheDesignFont) {
  const std::u16string design = w().RichTextBox->FontName();
  main_->Terminate();
  delete main_;
  main_ = nullptr;
  const std::u16string longest(prefs::kLongestFontName, u'Ш');
  for (const std::u16string& name : {longest, longest + u'ш', std::u16string(4'000'000, u'x')}) {
    SetPref(prefs::kFontName, name);
    frmMain m;
    m.Load();
    EXPECT_EQ(m.RichTextBox->FontName(), name == longest ? name : design) << name.size();
    m.Terminate();
  }
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(MainWindowLoad, StartAtStartupConvertsTheClipboardAndAnEmptyOneIsReported) {
  SetPref(prefs::kStartAtStartup, u"1");
  SetPref(prefs::kDefaultCode, u"4");
  vb::Clipboard.SetText(u"Привет");
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(u"Привет", 2, 1));
  main_->Terminate();
  delete main_;
  main_ = nullptr;

  vb::Clipboard.Clear();
  AnswerBox(vb::vbOK);
  EXPECT_TRUE(editor().Text().empty());
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Нет текста для перекодирования !"});
}

class MainWindowLayout : public MainWindowTest {};

TEST_F(MainWindowLayout, HeightsFollowTheWindowAndStopAtZero) {
  frmMain& m = w();
  m.Move(0, 0, 9000, 7000);
  m.TimerUpdate.Enabled(true);
  m.TimerUpdate.Tick();
  EXPECT_FALSE(m.TimerUpdate.Enabled());
  // Sizes are whole pixels of 15 twips.
  EXPECT_NEAR(m.picEditor.Height(), 7000 - 870, 15);
  EXPECT_NEAR(m.ShapeRichTextBox.Height(), 7000 - 990, 15);
  EXPECT_NEAR(m.ShapeRichTextBox.Width(), 9000 - 240, 15);
  EXPECT_NEAR(m.RichTextBox.Height(), 7000 - 1050, 15);
  EXPECT_NEAR(m.RichTextBox.Width(), 9000 - 310, 15);
  m.Move(0, 0, 300, 600);
  m.TimerUpdate.Tick();
  EXPECT_EQ(m.picEditor.Height(), 0);
  EXPECT_EQ(m.RichTextBox.Width(), 0);
}

class MainWindowClose : public MainWindowTest {
 protected:
  void SetUpExit() {
    SetPref(prefs::kSaveChange, u"1");
    SetPref(prefs::kMessageOnExit, u"1");
    SetPref(prefs::kClearClipboard, u"1");
    SetPref(prefs::kSaveWindowPositionAndSize, u"1");
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey, settings::clipboard::kClipboardText,
                                     u"seen");
    vb::Clipboard.SetText(u"на буфере");
    editor().Text(u"Текст");
    ASSERT_TRUE(w().DocumentModified);
  }
  // Nothing the close sequence stores or clears has been touched.
  void ExpectUntouched() {
    EXPECT_EQ(vb::Clipboard.GetText(), u"на буфере");
    EXPECT_EQ(Pref(prefs::kMainLeft), u"");
    EXPECT_EQ(Pref(prefs::kWindowState), u"");
    EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey,
                                              settings::clipboard::kClipboardText),
              u"seen");
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(w().IsLoaded());
  }
};

TEST_F(MainWindowClose, CancelOrNoToTheExitQuestionChangesNothing) {
  SetUpExit();
  AnswerBox(vb::vbCancel);
  EXPECT_FALSE(w().Unload());
  ExpectUntouched();

  AnswerBox(vb::vbNo);  // do not save
  AnswerBox(vb::vbNo);  // do not end
  EXPECT_FALSE(w().Unload());
  ExpectUntouched();
  EXPECT_EQ(Prompts(), (std::vector<std::u16string>{
                           u"Документ был изменен. Вы хотите сохранить сделанные изменения?",
                           u"Документ был изменен. Вы хотите сохранить сделанные изменения?",
                           u"Вы действительно хотите завершить работу с программой?"}));
}

TEST_F(MainWindowClose, CancelledOrFailedSaveAsKeepsTheProgramAndTheDocument) {
  SetUpExit();
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 0);
  EXPECT_FALSE(w().Unload());
  ExpectUntouched();
  EXPECT_EQ(editor().Text(), u"Текст");
  EXPECT_TRUE(w().DocumentModified);

  TempDir dir;
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 1, vb::FromUtf8((dir.path() / "no-such-folder" / "a.txt").string()));
  AnswerBox(vb::vbOK);  // the error box
  EXPECT_FALSE(w().Unload());
  ExpectUntouched();
}

TEST_F(MainWindowClose, YesEverywhereSavesStoresClearsAndEnds) {
  SetUpExit();
  SetSound(u"FormUnload", u"1");
  SetSound(u"FormUnloadPath", u"/nonexistent/unload.wav");
  TempDir dir;
  const std::string file = (dir.path() / "a.txt").string();
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 1, vb::FromUtf8(file));
  AnswerBox(vb::vbYes);
  w().Move(1500, 1200, 9000, 6000);
  w().Unload();
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(modDocument::DocumentSavedAs);
  EXPECT_TRUE(vb::Clipboard.GetText().empty());
  EXPECT_EQ(Pref(prefs::kMainLeft), u"1500");
  EXPECT_EQ(Pref(prefs::kMainTop), u"1200");
  EXPECT_EQ(Pref(prefs::kMainHeight), u"6000");
  EXPECT_EQ(Pref(prefs::kMainWidth), u"9000");
  EXPECT_EQ(Pref(prefs::kWindowState), u"0");
  EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey,
                                            settings::clipboard::kClipboardText),
            u"");
}

// The placement, the window state and the forgotten clipboard text reach the settings file together.
TEST_F(MainWindowClose, WhatTheCloseStoresReachesTheFileInOneWrite) {
  SetPref(prefs::kSaveWindowPositionAndSize, u"1");
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey, settings::clipboard::kClipboardText,
                                   std::u16string(100'000, u'я'));
  w().Move(1500, 1200, 9000, 6000);
  FileReplacements replaced(platform::registry::FilePath());
  w().Unload();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(replaced.Count(), 1);
  EXPECT_EQ(Pref(prefs::kMainTop), u"1200");
  EXPECT_EQ(Pref(prefs::kWindowState), u"0");
  EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey,
                                            settings::clipboard::kClipboardText),
            u"");
}

TEST_F(MainWindowClose, WithoutTheFlagsNothingIsAskedAndTheStateIsStillStored) {
  editor().Text(u"Текст");
  platform::testing::CurrentSound();
  w().Unload();
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(Pref(prefs::kWindowState), u"0");
  EXPECT_EQ(Pref(prefs::kMainLeft), u"");
}

}  // namespace

namespace {

TEST_F(MainWindowLayout, ShownToolbarsStandUnderTheMenuBarAndTheEditorUnderThem) {
  SetPref(prefs::kToolBarStandart, u"1");
  SetPref(prefs::kToolBarDecode, u"1");
  frmMain& m = w();
  EXPECT_TRUE(m.cmdBar(1).Visible());
  EXPECT_TRUE(m.cmdBar(2).Visible());
  EXPECT_TRUE(m.cmdBar(0).Buttons().Item(u"MENU:VIEW:TOOLBARS:TBDECODE").Checked());
  EXPECT_LT(m.cmdBar(1).Top(), m.cmdBar(2).Top());
  EXPECT_LE(m.cmdBar(2).Top() + m.cmdBar(2).Height(), m.picEditor.Top());
  EXPECT_NEAR(m.cmdBar(1).Height(), 375, 15);
}

}  // namespace
