// The command-state refresh: the rule's cases and the main window's tick over a real editor,
// history and clipboard.
#include "commandbars/button.h"
#include "main_window_support.h"
#include "mainwindow/command_state.h"
#include "platform/vb/clipboard.h"

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

TEST(CommandStateRule, EmptyEditorDisablesTheTextCommandsWhateverTheStacksHold) {
  Inputs in;
  in.undoCount = 5;
  in.redoCount = 2;
  in.clipboardHasText = true;
  for (std::u16string_view key : {u"MENU:FILE:PRINT", u"MENU:EDIT:UNDO", u"MENU:EDIT:REDO", u"MENU:EDIT:SELECTALL",
                                  u"MENU:FIND:FINDNEXT", u"TOOLBAR2:START", u"TOOLBAR2:STOP", u"cmbDecode",
                                  u"TOOLBAR:UNDO", u"MENU:FORMAT:ALLTEXTCASE:CASEL"}) {
    EXPECT_FALSE(StateOf(in, key)) << vb::ToUtf8(std::u16string(key));
  }
  EXPECT_TRUE(StateOf(in, u"MENU:EDIT:PASTE"));
  EXPECT_TRUE(StateOf(in, u"TOOLBAR:PASTE"));
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

class CommandStateTick : public MainWindowTest {};

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

}  // namespace
