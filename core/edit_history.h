// Undo and redo of the user's edits in the main window's editor. The editor's change event records
// a snapshot after every change while UndoRecording is set; undo and redo compare two snapshots (or
// a snapshot and the editor) and redo the difference in place.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

// The editor right after one change.
class clsUndoRedo {
 public:
  std::int32_t SelStart = 0;  // the caret (characters before it)
  std::int32_t TextLen = 0;
  std::u16string Text;
};

namespace modDocument {

// Oldest first. The newest undo snapshot describes the editor as it is; the one before it the
// editor before the last change. The redo stack holds what undo took off, the latest last.
inline std::deque<clsUndoRedo> UndoStack;
inline std::deque<clsUndoRedo> RedoStack;
inline bool UndoRecording = false;

// The history keeps at most this many characters of snapshot text; the oldest snapshots go first,
// but the two newest undo snapshots always stay.
inline std::size_t UndoHistoryLimit = 64u * 1024u * 1024u;

// The editor's change event: empties the redo stack and appends a snapshot of the editor.
void RecordChange(std::int32_t selStart, const std::u16string& text);
void UndoEdit();
void RedoEdit();
// The characters by which the longer of a and b exceeds the shorter, taken from the longer just
// before the 1-based position.
std::u16string GetChangedText(const std::u16string& a, const std::u16string& b, std::int32_t position);

}  // namespace modDocument
