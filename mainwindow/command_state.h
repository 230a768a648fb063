// The command-state rule of the main window: which of its 35 document-dependent commands, and the
// direction list, are enabled for a given editor, clipboard and history. Each command's rule is in
// its row of the command table (mainwindow/command_table.h); the direction list's is the rule of
// the panel that hosts it. The main window applies the states at every tick of its refresh timer;
// commands outside this list are never disabled by it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "mainwindow/command_table.h"

namespace command_state {

struct Inputs {
  bool hasSelection = false;
  bool hasText = false;
  bool clipboardHasText = false;
  std::size_t undoCount = 0;
  std::size_t redoCount = 0;
  bool documentDecoded = false;
  bool documentOpened = false;
  bool documentSavedAs = false;
  bool operator==(const Inputs&) const = default;
};

// The entry that stands for the direction list cmbDecode, which is a combo box, not a button.
inline constexpr std::u16string_view kDirectionList = mainwindow::kDirectionPanelKey;

struct State {
  std::u16string_view key;
  bool enabled;
};

// Whether a rule enables its commands for these inputs (Always: true).
bool Enabled(mainwindow::EnableRule rule, const Inputs& in);

// The states of the table's rows that have a rule, in the table's order.
std::vector<State> Compute(const Inputs& in);

}  // namespace command_state
