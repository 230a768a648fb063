// The main window's command-state refresh: at every tick of TimerEdit the document-dependent
// commands and the direction list are enabled or disabled from the editor, the clipboard and the
// core's history and flags. The reads are cheap (the editor keeps its length and selection, the
// clipboard is read again only when its sequence number moved), and a state is written only where
// it differs. While the inputs are those last applied and no button's Enabled has been set since
// (by anyone), every state already stands as it would be set, and the tick ends there.
//
// The timer ticks only after something the refresh reads may have changed: an edit or a move of
// the selection (the editor's events), the clipboard (its change notice), a window's activation,
// the core's flags and history (their notice), and a button's Enabled set by another part of the
// program. Each of those wakes it, and it ticks at its interval after; in between the program
// sleeps.
#include "core/decode.h"
#include "core/document.h"
#include "core/edit_history.h"
#include "mainwindow/command_state.h"
#include "commandbars/button.h"
#include "mainwindow/forms/main.h"
#include "platform/vb/clipboard.h"

void frmMain::TimerEdit_Timer() {
  const std::uint32_t sequence = vb::Clipboard.SequenceNumber();
  if (!clipboardKnown_ || sequence != clipboardSequence_) {
    clipboardKnown_ = true;
    clipboardSequence_ = sequence;
    clipboardHasText_ = vb::Clipboard.GetFormat(vb::vbCFText) && !vb::Clipboard.GetText().empty();
  }
  const vb::RichTextBox& editor = *RichTextBox;
  command_state::Inputs in;
  in.hasSelection = editor.SelLength() > 0;
  in.hasText = editor.TextLength() > 0;
  in.clipboardHasText = clipboardHasText_;
  in.undoCount = modDocument::UndoStack.size();
  in.redoCount = modDocument::RedoStack.size();
  in.documentDecoded = modDecode::DocumentDecoded;
  in.documentOpened = modDocument::DocumentOpened;
  in.documentSavedAs = modDocument::DocumentSavedAs;
  if (appliedInputs_ == in && commandbars::EnabledWrites() == appliedWrites_ &&
      cmbDecode.Enabled() == in.hasText) {
    return;
  }
  applyingStates_ = true;
  for (const command_state::State& s : command_state::Compute(in)) {
    if (s.key == command_state::kDirectionList) {
      if (cmbDecode.Enabled() != s.enabled) cmbDecode.Enabled(s.enabled);
    } else {
      SetCommandEnabled(s.key, s.enabled);
    }
  }
  applyingStates_ = false;
  appliedInputs_ = in;
  appliedWrites_ = commandbars::EnabledWrites();
}

void frmMain::SetCommandEnabled(std::u16string_view key, bool enabled) {
  auto it = commandStates_.find(key);
  if (it == commandStates_.end()) {
    commandStates_.emplace(std::u16string(key), enabled);
  } else {
    it->second = enabled;
  }
  buttons_.ButtonEnabled(key, enabled);
}
