#include "mainwindow/command_state.h"

namespace command_state {

std::array<State, kStateCount> Compute(const Inputs& in) {
  const bool sel = in.hasSelection;
  const bool text = in.hasText;
  // Undo and Redo follow their stacks alone, also on an empty editor: an undo that empties it (of a
  // paste, of the first letter typed) can be redone, and a cleared text can be brought back. Undo
  // needs two snapshots, since it goes back from the newest to the one before.
  const bool undo = in.undoCount > 1;
  const bool redo = in.redoCount >= 1;
  const bool clip = in.clipboardHasText;
  return {{
      {u"MENU:EDIT:CUT", sel},
      {u"MENU:EDIT:COPY", sel},
      {u"MENU:EDIT:DELETE", sel},
      {u"MENU:FORMAT:SELTEXTCASE:CASEU", sel},
      {u"MENU:FORMAT:SELTEXTCASE:CASEL", sel},
      {u"TOOLBAR:CUT", sel},
      {u"TOOLBAR:COPY", sel},
      {u"TOOLBAR:DELETE", sel},
      {u"MENU:FILE:PRINT", text},
      {u"MENU:EDIT:UNDO", undo},
      {u"MENU:EDIT:REDO", redo},
      {u"MENU:EDIT:SELECTALL", text},
      {u"MENU:EDIT:CLEAR", text},
      {u"MENU:FIND:FIND", text},
      {u"MENU:FIND:FINDNEXT", text},
      {u"MENU:FIND:REPLACE", text},
      {u"MENU:FIND:GOTO", text},
      {u"MENU:FORMAT:ALLTEXTCASE:CASEU", text},
      {u"MENU:FORMAT:ALLTEXTCASE:CASEL", text},
      {u"TOOLBAR:UNDO", undo},
      {u"TOOLBAR:REDO", redo},
      {u"TOOLBAR:PRINT", text},
      {u"TOOLBAR:FIND", text},
      {u"TOOLBAR:REPLACE", text},
      {u"TOOLBAR:GOTO", text},
      {u"TOOLBAR:CLEAR", text},
      {u"TOOLBAR2:START", text},
      {u"TOOLBAR2:STOP", text},
      {kDirectionList, text},
      {u"MENU:EDIT:PASTE", clip},
      {u"TOOLBAR:PASTE", clip},
      {u"MENU:DECODE:UNDO", in.documentDecoded},
      {u"TOOLBAR2:UNDO", in.documentDecoded},
      {u"MENU:FILE:REOPEN", in.documentOpened},
      {u"TOOLBAR:REOPEN", in.documentOpened},
      {u"MENU:FILE:SAVE", in.documentSavedAs},
  }};
}

}  // namespace command_state
