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

TEST_F(ConversionCommands, StartRunsOnlyAnExactStoredDirection) {
  editor().Text(kText);
  SetPref(prefs::kDefaultCode, u"7");
  mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 2, 5));  // Windows 1251 -> MAC Apple
  EXPECT_EQ(w().Combo1.ListIndex(), 1);
  EXPECT_EQ(w().Combo2.ListIndex(), 4);
  const std::u16string after = editor().Text();
  for (std::u16string_view bad : {u"07", u" 7", u"7 ", u"20", u"-1", u"x", u""}) {
    SetPref(prefs::kDefaultCode, bad);
    mainwindow::RouteButtonClick(u"TOOLBAR2:START", w());
    EXPECT_EQ(editor().Text(), after) << vb::ToUtf8(std::u16string(bad));
  }
  EXPECT_TRUE(Prompts().empty());
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

TEST_F(ConversionCommands, DirectionListConvertsOnlyWithTheOptionAndText) {
  SetPref(prefs::kDefaultCode, u"3");
  editor().Text(kText);
  w().cmbDecode.ListIndex(11);  // option off: nothing stored, nothing converted
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"3");
  EXPECT_EQ(editor().Text(), kText);

  SetPref(prefs::kDecodeAtCodeChange, u"1");
  w().cmbDecode.ListIndex(12);
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"12");
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(kText, 4, 1));  // ISO 8859-5 -> DOS 866

  editor().Text(u"");
  w().cmbDecode.ListIndex(5);  // empty editor: nothing stored, no box
  EXPECT_EQ(Pref(prefs::kDefaultCode), u"12");
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
  frmMain::ProgramFolder = [&folder] { return vb::FromUtf8(folder.string()); };
  w().CmdDecodeWizard();  // a message box here would fail the test: none is expected
  frmMain::ProgramFolder = [] { return vb::App.Path(); };
  EXPECT_TRUE(Prompts().empty());
  // The program runs in a process of its own: waited for, up to ten seconds.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(folder / "started") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(std::filesystem::exists(folder / "started"));
}

TEST_F(ConversionCommands, WizardThatIsNotThereIsToldAndTheProgramGoesOn) {
  TempDir empty;
  frmMain::ProgramFolder = [&empty] { return vb::FromUtf8(empty.path().string()); };
  AnswerBox(vb::vbOK);
  w().CmdDecodeWizard();
  ASSERT_EQ(Prompts().size(), 1u);
  EXPECT_NE(Prompts()[0].find(u"Произошла ошибка № "), std::u16string::npos);
  EXPECT_NE(Prompts()[0].find(u"Wizard"), std::u16string::npos);
  EXPECT_NE(Prompts()[0].find(vb::FromUtf8(empty.path().string())), std::u16string::npos);
  EXPECT_EQ(ends, 0);
  frmMain::ProgramFolder = [] { return vb::App.Path(); };
}

}  // namespace
