// A benchmark's document put into an editor as an opened one is: the text set with the edit history
// off, the history emptied, and recording on again for what the benchmark then does.
#pragma once

#include <string>

#include "core/edit_history.h"
#include "platform/richedit/rich_text_box.h"

inline void OpenAsDocument(vb::RichTextBox& editor, const std::u16string& text) {
  modDocument::UndoRecording = false;
  editor.Text(text);
  modDocument::UndoStack.clear();
  modDocument::RedoStack.clear();
  modDocument::UndoRecording = true;
}
