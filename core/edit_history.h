// Undo and redo of the user's edits in the main window's editor. The editor's change event records
// a snapshot after every change while UndoRecording is set; undo and redo put back the places of the
// text in which two neighbouring snapshots differ, as one change of the editor.
//
// A snapshot does not keep the whole text: it keeps the places the change replaced (where they
// are, and what the neighbouring snapshot held there), so a change costs memory in proportion to
// what it changed and a large document keeps a long history.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/richedit/text_change.h"

namespace vb {
class RichTextBox;
}

// The editor right after one change.
class clsUndoRedo {
 public:
  std::int32_t SelStart = 0;  // the caret (characters before it)
  std::int32_t TextLen = 0;
  // The text itself is not kept; its length is.
  struct Length {
    std::size_t length = 0;
    std::size_t size() const { return length; }
  } Text;

  // The places where this snapshot and its neighbour differ (one for an edit, one for each match of
  // a Replace All), left to right: each place's position and `inserted` length are counted in this
  // snapshot's text, its `removed` length is that of the neighbour's text there; Other holds the
  // neighbour's texts of the places, one after another. On the undo stack the neighbour is the
  // snapshot before (the oldest snapshot keeps no places); on the redo stack it is the snapshot undo
  // went back to.
  std::vector<vb::TextPlace> Places;
  std::u16string Other;
  // The editor's change count when it held this snapshot, or 0 when that is not known.
  std::uint64_t Revision = 0;
};

namespace modDocument {

// Oldest first. The newest undo snapshot describes the editor as it is; the one before it the
// editor before the last change. The redo stack holds what undo took off, the latest last.
inline std::deque<clsUndoRedo> UndoStack;
inline std::deque<clsUndoRedo> RedoStack;
inline bool UndoRecording = false;

// The memory the history may hold, counted in characters (two bytes each): each snapshot costs its
// record and the stretch it keeps. The oldest snapshots go first, but the two newest undo snapshots
// always stay.
inline std::size_t UndoHistoryLimit = 64u * 1024u * 1024u;

// The editor's change event: empties the redo stack and appends a snapshot of the editor after its
// latest change.
void RecordChange(const vb::RichTextBox& editor);
void UndoEdit();
void RedoEdit();
// The characters by which the longer of a and b exceeds the shorter, taken from the longer just
// before the 1-based position.
std::u16string GetChangedText(const std::u16string& a, const std::u16string& b, std::int32_t position);

}  // namespace modDocument
