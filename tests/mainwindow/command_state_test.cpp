// The command-state refresh: the rule's cases and the main window's tick over a real editor,
// history and clipboard.
#include "commandbars/button.h"
#include "main_window_support.h"
#include "mainwindow/command_state.h"
#include "mainwindow/command_table.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/runtime.h"
#include "platform/win/focus.h"
#include "platform/win/keys.h"

using namespace qmtest;
using command_state::Inputs;

namespace {

bool StateOf(const Inputs& in, std::u16string_view key) {
  for (const auto& s : command_state::Compute(in)) {
    if (s.key == key) return s.enabled;
  }
  ADD_FAILURE() << "no such key";
  return false;
}

TEST(CommandStateRule, EmptyEditorDisablesTheTextCommandsButNotTheHistory) {
  Inputs in;
  in.undoCount = 5;
  in.redoCount = 2;
  in.clipboardHasText = true;
  const std::u16string_view textCommands[] = {u"MENU:FILE:PRINT", u"MENU:EDIT:SELECTALL", u"MENU:FIND:FINDNEXT",
                                              u"TOOLBAR2:START", u"TOOLBAR2:STOP", command_state::kDirectionList,
                                              u"MENU:FORMAT:ALLTEXTCASE:CASEL"};
  for (std::u16string_view key : textCommands) {
    EXPECT_FALSE(StateOf(in, key)) << vb::ToUtf8(std::u16string(key));
  }
  for (std::u16string_view key : {u"MENU:EDIT:PASTE", u"TOOLBAR:PASTE", u"MENU:EDIT:UNDO", u"MENU:EDIT:REDO",
                                  u"TOOLBAR:UNDO", u"TOOLBAR:REDO"}) {
    EXPECT_TRUE(StateOf(in, key)) << vb::ToUtf8(std::u16string(key));
  }
}

TEST(CommandStateRule, UndoNeedsTwoSnapshotsRedoOneAndTheSelectionItsOwnCommands) {
  Inputs in;
  in.hasText = true;
  in.undoCount = 1;
  EXPECT_FALSE(StateOf(in, u"MENU:EDIT:UNDO"));
  EXPECT_FALSE(StateOf(in, u"MENU:EDIT:CUT"));
  EXPECT_FALSE(StateOf(in, u"MENU:FORMAT:SELTEXTCASE:CASEU"));
  EXPECT_TRUE(StateOf(in, u"TOOLBAR2:STOP"));  // also while no conversion runs
  in.undoCount = 2;
  in.redoCount = 1;
  in.hasSelection = true;
  EXPECT_TRUE(StateOf(in, u"TOOLBAR:UNDO"));
  EXPECT_TRUE(StateOf(in, u"TOOLBAR:REDO"));
  EXPECT_TRUE(StateOf(in, u"TOOLBAR:DELETE"));
  in.documentDecoded = in.documentOpened = in.documentSavedAs = true;
  EXPECT_TRUE(StateOf(in, u"TOOLBAR2:UNDO"));
  EXPECT_TRUE(StateOf(in, u"TOOLBAR:REOPEN"));
  EXPECT_TRUE(StateOf(in, u"MENU:FILE:SAVE"));
  EXPECT_EQ(command_state::Compute(in).size(), 36u);
}

class CommandStateTick : public MainWindowTest {
 protected:
  // A key as the user presses it in the editor, after the refresh has looked at the editor.
  void Press(int vk, int modifiers = 0, const std::u16string& text = {}) {
    w().TimerEdit_Timer();
    platform::testing::KeyClick(editor().hWnd(), vk, modifiers, text);
  }
};

TEST_F(CommandStateTick, AnUndoThatEmptiesTheEditorIsRedoneByF4) {
  platform::testing::ShowAndWait(w().hWnd());
  editor().SetFocus();
  editor().Text(u"прежний документ");
  w().CmdEditClear();
  vb::Clipboard.SetText(u"вставка");
  Press('V', win::MK_CONTROL);
  ASSERT_EQ(editor().Text(), u"вставка");
  Press('Z', win::MK_CONTROL);
  ASSERT_EQ(editor().Text(), u"");
  Press(win::VK_F4);
  EXPECT_EQ(editor().Text(), u"вставка");

  // The first letter typed into an emptied document, undone and redone.
  w().CmdEditClear();
  Press('A', 0, u"ф");
  ASSERT_EQ(editor().Text(), u"ф");
  Press('Z', win::MK_CONTROL);
  ASSERT_EQ(editor().Text(), u"");
  Press(win::VK_F4);
  EXPECT_EQ(editor().Text(), u"ф");
  w().TimerEdit_Timer();
  EXPECT_TRUE(w().CommandStates().at(u"MENU:EDIT:UNDO"));
}

TEST_F(CommandStateTick, TickFollowsTheEditorHistoryAndClipboard) {
  vb::Clipboard.Clear();
  w().TimerEdit_Timer();
  EXPECT_FALSE(w().CommandStates().at(u"MENU:EDIT:PASTE"));
  EXPECT_FALSE(w().cmbDecode.Enabled());
  editor().Text(u"текст");
  editor().Text(u"текст два");
  vb::Clipboard.SetText(u"x");
  w().TimerEdit_Timer();
  EXPECT_TRUE(w().CommandStates().at(u"MENU:EDIT:PASTE"));
  EXPECT_TRUE(w().CommandStates().at(u"MENU:EDIT:UNDO"));
  EXPECT_FALSE(w().CommandStates().at(u"MENU:EDIT:COPY"));
  EXPECT_TRUE(w().cmbDecode.Enabled());
  editor().SelStart(0);
  editor().SelLength(3);
  vb::Clipboard.Clear();
  w().TimerEdit_Timer();
  EXPECT_TRUE(w().CommandStates().at(u"MENU:EDIT:COPY"));
  EXPECT_FALSE(w().CommandStates().at(u"TOOLBAR:PASTE"));
  EXPECT_FALSE(w().CommandStates().at(u"MENU:DECODE:UNDO"));
  w().ConvertDirection(0);
  w().TimerEdit_Timer();
  EXPECT_TRUE(w().CommandStates().at(u"MENU:DECODE:UNDO"));
}

// Every command the rule covers is set on its own button (the panel's rule on the direction list),
// and no other button is touched: a rule on a key the bars do not have, or a button left out, shows
// here.
TEST_F(CommandStateTick, EveryRuledCommandIsSetOnItsButtonAndNoOther) {
  const commandbars::cButtons buttons = w().cmdBar(0).Buttons();
  for (const mainwindow::CommandRow& row : mainwindow::CommandTable()) buttons.Item(row.key).Enabled(false);
  w().cmbDecode.Enabled(false);
  editor().Text(u"один");
  editor().Text(u"один два");
  editor().Text(u"один два три");
  modDocument::UndoEdit();
  editor().SelStart(0);
  editor().SelLength(4);
  vb::Clipboard.SetText(u"вставка");
  const auto flags = [](bool on) {
    modDecode::DocumentDecoded = on;
    modDocument::DocumentOpened = on;
    modDocument::DocumentSavedAs = on;
  };
  flags(true);
  w().TimerEdit_Timer();
  flags(false);
  int ruled = 0;
  for (const mainwindow::CommandRow& row : mainwindow::CommandTable()) {
    const bool expected = row.enable != mainwindow::EnableRule::Always && row.key != command_state::kDirectionList;
    ruled += row.enable != mainwindow::EnableRule::Always;
    EXPECT_EQ(buttons.Item(row.key).Enabled(), expected) << vb::ToUtf8(std::u16string(row.key));
    if (expected) {
      EXPECT_TRUE(w().CommandStates().find(row.key)->second) << vb::ToUtf8(std::u16string(row.key));
    }
  }
  EXPECT_TRUE(w().cmbDecode.Enabled());
  EXPECT_EQ(ruled, 36);
  EXPECT_EQ(w().CommandStates().size(), 35u);
}

// A tick with nothing changed sets no button; a state another command changed in between is set
// back at the next tick all the same, and so is the direction list.
TEST_F(CommandStateTick, AnIdleTickSetsNothingYetAStateChangedElsewhereIsSetBack) {
  editor().Text(u"текст");
  w().TimerEdit_Timer();
  const std::uint64_t writes = commandbars::EnabledWrites();
  w().TimerEdit_Timer();
  EXPECT_EQ(commandbars::EnabledWrites(), writes);

  commandbars::cButton findNext = w().cmdBar(0).Buttons().Item(u"MENU:FIND:FINDNEXT");
  findNext.Enabled(false);
  w().TimerEdit_Timer();
  EXPECT_TRUE(findNext.Enabled());
  w().cmbDecode.Enabled(false);
  w().TimerEdit_Timer();
  EXPECT_TRUE(w().cmbDecode.Enabled());
}

// The refresh does not poll: it sleeps while nothing it reads changes, each kind of change wakes it
// for one tick (due at its 1 ms interval, the next beat), and that tick sets the states the rule
// gives for what changed.
class CommandStateWake : public MainWindowTest {
 protected:
  win::HWND Timer() { return w().TimerEdit.hWnd(); }
  bool Armed() { return platform::testing::TimerExists(Timer(), 1); }
  // The tick the change woke; the refresh sleeps again after it.
  void Tick() {
    ASSERT_TRUE(Armed());
    platform::testing::FireTimer(Timer(), 1);
    EXPECT_FALSE(Armed());
  }
  bool State(std::u16string_view key) { return w().CommandStates().find(key)->second; }
};

TEST_F(CommandStateWake, OneTickAfterTheLoadThenNoneUntilSomethingChanges) {
  vb::Clipboard.Clear();
  Tick();  // the states as loaded
  EXPECT_FALSE(State(u"MENU:FIND:FIND"));
  EXPECT_FALSE(State(u"MENU:EDIT:PASTE"));
  EXPECT_TRUE(w().TimerEdit.Enabled());
  vb::DoEvents();
  EXPECT_FALSE(Armed());
  // Nothing new: setting a flag to the value it has, the same text again.
  modDocument::DocumentSavedAs = false;
  editor().Text(u"");
  EXPECT_FALSE(Armed());
}

TEST_F(CommandStateWake, EditsAndSelectionsWakeIt) {
  Tick();
  editor().Text(u"текст");
  Tick();
  EXPECT_TRUE(State(u"MENU:FIND:FIND"));
  EXPECT_TRUE(w().cmbDecode.Enabled());
  EXPECT_FALSE(State(u"MENU:EDIT:UNDO"));  // one snapshot
  editor().SelStart(5);
  editor().SelText(u" два");
  Tick();
  EXPECT_TRUE(State(u"TOOLBAR:UNDO"));
  EXPECT_FALSE(State(u"MENU:EDIT:COPY"));
  editor().SelStart(0);  // the caret alone
  Tick();
  editor().SelLength(3);
  Tick();
  EXPECT_TRUE(State(u"MENU:EDIT:COPY"));
  EXPECT_TRUE(State(u"MENU:FORMAT:SELTEXTCASE:CASEU"));
  modDocument::UndoEdit();
  Tick();
  EXPECT_TRUE(State(u"MENU:EDIT:REDO"));
  editor().Text(u"");
  Tick();
  EXPECT_FALSE(State(u"MENU:FIND:FIND"));
  EXPECT_FALSE(State(u"MENU:EDIT:REDO"));
  EXPECT_FALSE(w().cmbDecode.Enabled());
}

TEST_F(CommandStateWake, TheClipboardWakesIt) {
  vb::Clipboard.Clear();
  Tick();
  EXPECT_FALSE(State(u"TOOLBAR:PASTE"));
  vb::Clipboard.SetText(u"вставка");
  Tick();
  EXPECT_TRUE(State(u"MENU:EDIT:PASTE"));
  EXPECT_TRUE(State(u"TOOLBAR:PASTE"));
  vb::Clipboard.Clear();
  Tick();
  EXPECT_FALSE(State(u"MENU:EDIT:PASTE"));
}

TEST_F(CommandStateWake, TheCoreFlagsWakeIt) {
  Tick();
  modDocument::DocumentSavedAs = true;
  Tick();
  EXPECT_TRUE(State(u"MENU:FILE:SAVE"));
  modDocument::DocumentOpened = true;
  Tick();
  EXPECT_TRUE(State(u"MENU:FILE:REOPEN"));
  EXPECT_TRUE(State(u"TOOLBAR:REOPEN"));
  modDecode::DocumentDecoded = true;
  Tick();
  EXPECT_TRUE(State(u"MENU:DECODE:UNDO"));
  EXPECT_TRUE(State(u"TOOLBAR2:UNDO"));
  modDocument::DocumentSavedAs = false;
  modDocument::DocumentOpened = false;
  modDecode::DocumentDecoded = false;
  Tick();
  EXPECT_FALSE(State(u"MENU:FILE:SAVE"));
  EXPECT_FALSE(State(u"TOOLBAR:REOPEN"));
  EXPECT_FALSE(State(u"TOOLBAR2:UNDO"));
}

TEST_F(CommandStateWake, AStateSetElsewhereWakesItAndIsSetBack) {
  editor().Text(u"текст");
  Tick();
  // A search that finds nothing more switches Find Next off.
  commandbars::cButton findNext = w().cmdBar(0).Buttons().Item(u"MENU:FIND:FINDNEXT");
  findNext.Enabled(false);
  Tick();
  EXPECT_TRUE(findNext.Enabled());
  // Its own writes did not wake it again.
  EXPECT_FALSE(Armed());
}

TEST_F(CommandStateWake, AWindowsActivationWakesIt) {
  // Activation arrives through the event loop, where a woken refresh may tick at once: a wake is a
  // tick due or a tick run.
  int ticks = 0;
  const std::function<void()> tick = w().TimerEdit.Tick;
  w().TimerEdit.Tick = [&] {
    ++ticks;
    tick();
  };
  auto wokeSince = [&](int before) { return Armed() || ticks > before; };
  w().Show();
  vb::DoEvents();
  if (Armed()) Tick();
  struct frmOther : vb::Form {
    void Design() override { Move(0, 0, 3000, 2000); }
  } other;
  int before = ticks;
  other.Show();
  vb::DoEvents();
  EXPECT_TRUE(wokeSince(before)) << "the main window lost activation";
  if (Armed()) Tick();
  before = ticks;
  win::SetForegroundWindow(w().hWnd());
  vb::DoEvents();
  EXPECT_TRUE(wokeSince(before)) << "the main window got activation back";
  other.Terminate();
}

}  // namespace
