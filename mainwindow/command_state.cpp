#include "mainwindow/command_state.h"

namespace command_state {

using mainwindow::EnableRule;

bool Enabled(EnableRule rule, const Inputs& in) {
  switch (rule) {
    case EnableRule::Always:
      return true;
    case EnableRule::Selection:
      return in.hasSelection;
    case EnableRule::Text:
      return in.hasText;
    // Undo and Redo follow their stacks alone, also on an empty editor: an undo that empties it (of
    // a paste, of the first letter typed) can be redone, and a cleared text can be brought back.
    // Undo needs two snapshots, since it goes back from the newest to the one before.
    case EnableRule::Undo:
      return in.undoCount > 1;
    case EnableRule::Redo:
      return in.redoCount >= 1;
    case EnableRule::Clipboard:
      return in.clipboardHasText;
    case EnableRule::Decoded:
      return in.documentDecoded;
    case EnableRule::Opened:
      return in.documentOpened;
    case EnableRule::SavedAs:
      return in.documentSavedAs;
  }
  return true;
}

std::vector<State> Compute(const Inputs& in) {
  std::vector<State> states;
  for (const mainwindow::CommandRow& row : mainwindow::CommandTable())
    if (row.enable != EnableRule::Always) states.push_back({row.key, Enabled(row.enable, in)});
  return states;
}

}  // namespace command_state
