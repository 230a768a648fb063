// The command-state rule of the main window: which of its 35 document-dependent commands, and the
// direction list, are enabled for a given editor, clipboard and history. The main window applies it
// at every tick of its refresh timer; commands outside this list are never disabled by it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

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
inline constexpr std::u16string_view kDirectionList = u"cmbDecode";

struct State {
  std::u16string_view key;
  bool enabled;
};

inline constexpr std::size_t kStateCount = 36;

// The states in the order they are set: selection, text (ending with the direction list),
// clipboard, conversion undo, reopen, save.
std::array<State, kStateCount> Compute(const Inputs& in);

}  // namespace command_state
