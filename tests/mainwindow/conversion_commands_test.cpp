// The conversion commands: the stored direction, the direction list, Start, Stop and Undo, the
// dialog command's refusal of an empty document and the Wizard command.
#include <chrono>
#include <thread>

#include "main_window_support.h"
#include "platform/testing/win.h"
#include "platform/vb/app.h"

using namespace qmtest;
namespace prefs = settings::preferences;
using platform::script::Kind;

namespace {

const std::u16string kText = u"Съешь же ещё этих мягких французских булок, да выпей чаю.";

class ConversionCommands : public MainWindowTest {};

// Start runs the direction the list shows: the stored one, the first direction when none (or none
// that names a direction) is stored, and one stored meanwhile by the settings dialog or another copy
// of the program.
TEST_F(ConversionCommands, StartRunsTheDirectionTheListShows) {
  editor().Text(kText);
  EXPECT_EQ(w().cmbDecode.ListIndex(), 0);
  mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 1, 2));  // DOS 866 -> Windows 1251
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"") << "a new profile keeps no value it was not given";

  SetPref(prefs::kDefaultCode, u"7");
  editor().Text(kText);
  mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
  EXPECT_EQ(w().cmbDecode.ListIndex(), 7);
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 2, 5));  // Windows 1251 -> MAC Apple
  EXPECT_EQ(w().Combo1.ListIndex(), 1);
  EXPECT_EQ(w().Combo2.ListIndex(), 4);
  for (std::u16string_view none : {u"20", u"-1", u"x", u""}) {
    SetPref(prefs::kDefaultCode, none);
    editor().Text(kText);
    mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
    EXPECT_EQ(w().cmbDecode.ListIndex(), 0) << vb::ToUtf8(std::u16string(none));
    EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 1, 2)) << vb::ToUtf8(std::u16string(none));
  }
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(ConversionCommands, TheListShowsTheStoredDirectionWhenTheWindowLoads) {
  SetPref(prefs::kDefaultCode, u"13");
  SetPref(prefs::kDecodeAtCodeChange, u"1");
  EXPECT_EQ(w().cmbDecode.ListIndex(), 13);
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"13");
  EXPECT_EQ(editor().Text(), u"");
}

TEST_F(ConversionCommands, EveryDirectionCommandSetsItsPairAndConverts) {
  for (int d = 0; d < modDecode::kDirectionCount; ++d) {
    editor().Text(kText);
    w().ConvertDirection(d);
    const auto pages = modDecode::DirectionCodePages(d);
    EXPECT_EQ(w().Combo1.ListIndex(), pages->sourceListIndex);
    EXPECT_EQ(w().Combo2.ListIndex(), pages->targetListIndex);
    EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, pages->sourceListIndex + 1, pages->targetListIndex + 1));
    EXPECT_EQ(modDecode::TextBeforeDecode, kText);
  }
  EXPECT_EQ(frmMain::DirectionCommandKey(0), u"MENU:DECODE:DOS:DW");
  EXPECT_EQ(frmMain::DirectionCommandKey(12), u"MENU:DECODE:ISO:ID");
  EXPECT_EQ(frmMain::DirectionCommandKey(19), u"MENU:DECODE:MAC:MI");
  EXPECT_TRUE(frmMain::DirectionCommandKey(20).empty());
}

// A KOI-8 and an ISO text, each with its own direction chosen in the list and then Start: each comes
// out readable, and the choice is the stored default. "DecodeAtCodeChange" decides only whether the
// choice converts at once.
TEST_F(ConversionCommands, ADirectionChosenInTheListIsStoredAndIsWhatStartRuns) {
  SetPref(prefs::kDefaultCode, u"0");
  const std::u16string readable = u"Съешь же этих мягких французских булок, да выпей чаю.";
  const std::u16string koi = modDecode::ConvertText(readable, 2, 3);  // the letters as KOI-8 bytes show
  editor().Text(koi);
  w().cmbDecode.ListIndex(9);  // "UNIX KOI-8 -> Windows 1251"
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"9");
  EXPECT_EQ(editor().Text(), koi) << "the option is off: the choice converts nothing yet";
  mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
  EXPECT_EQ(editor().Text(), readable);

  const std::u16string iso = modDecode::ConvertText(readable, 2, 4);
  editor().Text(iso);
  w().cmbDecode.ListIndex(13);  // "ISO 8859-5 -> Windows 1251"
  mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
  EXPECT_EQ(editor().Text(), readable);
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"13");

  SetPref(prefs::kDecodeAtCodeChange, u"1");
  w().cmbDecode.ListIndex(12);
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"12");
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(readable, 4, 1));  // ISO 8859-5 -> DOS 866 at once

  editor().Text(u"");
  w().cmbDecode.ListIndex(5);  // empty editor: stored, but nothing converted and no box
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"5");
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(ConversionCommands, EmptyDocumentGetsOneBoxAndTheSelectorsKeepThePair) {
  AnswerBox(vb::vbOK);
  w().ConvertDirection(9);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Нет текста для перекодирования !"});
  EXPECT_EQ(w().Combo1.ListIndex(), 2);
  EXPECT_EQ(w().Combo2.ListIndex(), 1);
  EXPECT_FALSE(modDecode::DocumentDecoded);

  AnswerBox(vb::vbOK);
  w().CmdDecodeDialog();
  EXPECT_EQ(Prompts().back(), u"Документ не содержит текста!");
  EXPECT_FALSE(DecodeDialog().IsLoaded());
}

TEST_F(ConversionCommands, StopWithoutARunIsForgottenAndUndoGoesBackToTheLastCompletedRun) {
  editor().Text(kText);
  mainwindow::RouteButtonClick(u"TOOLBAR2:STOP", w());
  EXPECT_TRUE(modDecode::DecodeCancelled);
  w().ConvertDirection(0);
  const std::u16string once = modDecode::ConvertText(kText, 1, 2);
  EXPECT_EQ(editor().Text(), once);

  // A second run, cancelled through Stop during its steps, changes nothing.
  DecodingWindow().Load();
  platform::testing::PostClick(DecodingWindow().cmdCancel.hWnd(), 3, 3);  // asks first: No
  AnswerBox(vb::vbNo);
  w().ConvertDirection(4);
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(once, 2, 1));  // No: the run completed
  const std::u16string twice = editor().Text();

  mainwindow::RouteButtonClick(u"MENU:DECODE:UNDO", w());
  EXPECT_EQ(editor().Text(), once);
  mainwindow::RouteButtonClick(u"MENU:DECODE:UNDO", w());
  EXPECT_EQ(editor().Text(), once);
  EXPECT_EQ(twice, modDecode::ConvertText(once, 2, 1));
}

// Stop, then another conversion command handled inside the same run (the run lets events through at
// each step): the Stop holds, the run ends without converting and the later command starts nothing.
TEST_F(ConversionCommands, AConversionCommandInsideARunDoesNotUndoAStop) {
  const std::u16string text(2000, u'ж');
  SetPref(prefs::kDecodeAtCodeChange, u"1");
  const std::function<void()> commands[] = {
      [this] { mainwindow::RouteButtonClick(u"MENU:DECODE:WIN:WD", w()); },
      [this] { w().cmbDecode.ListIndex(7); },
      [] { DecodeDialog().cmdDecode.Value(true); },
  };
  for (int i = 0; i < 3; ++i) {
    const auto& command = commands[i];
    editor().Text(text);
    platform::testing::PostAction([this, &command] {
      mainwindow::RouteButtonClick(u"TOOLBAR2:STOP", w());
      command();
    });
    w().ConvertDirection(0);
    EXPECT_EQ(editor().Text(), text) << "command " << i;
    EXPECT_FALSE(modDecode::DocumentDecoded) << "command " << i;
  }
}

// The progress window shows the busy pointer from the first step of every run, the first one and
// the one after a Stop included.
TEST_F(ConversionCommands, TheProgressWindowShowsTheBusyPointerWhileARunGoesOn) {
  editor().Text(std::u16string(2000, u'ж'));
  for (int run = 0; run < 2; ++run) {
    bool busy = false;
    // Looked at once the window is on the screen (events may run while it loads).
    std::function<void()> look = [&] {
      if (!modDecode::DecodeRunning()) return;
      if (!DecodingWindow().IsLoaded() || !DecodingWindow().Visible()) return platform::testing::PostAction(look);
      busy = platform::testing::ShowsBusyPointer(DecodingWindow().hWnd());
    };
    platform::testing::PostAction(look);
    w().ConvertDirection(0);
    EXPECT_TRUE(busy) << "run " << run;
    EXPECT_FALSE(platform::testing::ShowsBusyPointer(DecodingWindow().hWnd())) << "after run " << run;
    mainwindow::RouteButtonClick(u"TOOLBAR2:STOP", w());  // unloads the window
    ASSERT_FALSE(DecodingWindow().IsLoaded());
  }
}

TEST_F(ConversionCommands, TheWizardStartsFromAFolderWhoseNameHoldsABlank) {
  TempDir dir;
  const auto folder = dir.path() / "Program Files";
  std::filesystem::create_directories(folder);
  WriteBytes(folder / "Wizard", "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
  std::filesystem::permissions(folder / "Wizard", std::filesystem::perms::owner_all);
  w().StartWizard(vb::FromUtf8(folder.string()));  // a message box here would fail the test: none is expected
  EXPECT_TRUE(Prompts().empty());
  // The program runs in a process of its own: waited for, up to ten seconds.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(folder / "started") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(std::filesystem::exists(folder / "started"));
}

TEST_F(ConversionCommands, WizardThatIsNotThereIsToldAndTheProgramGoesOn) {
  TempDir empty;
  AnswerBox(vb::vbOK);
  w().StartWizard(vb::FromUtf8(empty.path().string()));
  ASSERT_EQ(Prompts().size(), 1u);
  EXPECT_NE(Prompts()[0].find(u"Произошла ошибка № "), std::u16string::npos);
  EXPECT_NE(Prompts()[0].find(u"Wizard"), std::u16string::npos);
  EXPECT_NE(Prompts()[0].find(vb::FromUtf8(empty.path().string())), std::u16string::npos);
  EXPECT_EQ(ends, 0);
}

}  // namespace
