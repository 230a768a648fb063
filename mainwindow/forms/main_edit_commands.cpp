// The Edit menu's commands on the editor. Each changes only the selected stretch of the text, so
// they cost the same on a large document as on a small one.
#include "core/main_window.h"
#include "mainwindow/forms/main.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/msgbox.h"
#include "platform/win/messages.h"

void frmMain::ReplaceSelection(std::u16string_view text) {
  vb::RichTextBox& editor = *RichTextBox;
  editor.SelText(text);
  editor.SetFocus();
  RichTextBox_SelChange();
}

void frmMain::CmdEditClear() { RichTextBox->Text(u""); }

void frmMain::CmdEditCopy() {
  const std::u16string selected = RichTextBox->SelText();
  if (selected.empty()) {
    vb::MsgBox(u"Нет выделенного фрагмента текста!", vb::vbInformation, core::kProgramTitle);
    return;
  }
  vb::Clipboard.SetText(selected);
}

// With nothing selected there is nothing to cut, and the clipboard keeps what it holds.
void frmMain::CmdEditCut() {
  vb::RichTextBox& editor = *RichTextBox;
  if (editor.SelLength() == 0) return;
  vb::Clipboard.SetText(editor.SelText());
  editor.SelText(u"");
}

void frmMain::CmdEditDelete() { win::SendMessageA(RichTextBox->hWnd(), win::WM_CLEAR, 0, 0); }

// An empty clipboard pastes nothing and leaves the selection in place.
void frmMain::CmdEditPaste() {
  const std::u16string text = vb::Clipboard.GetText();
  if (text.empty()) return;
  ReplaceSelection(text);
}

void frmMain::CmdEditSelectAll() {
  vb::RichTextBox& editor = *RichTextBox;
  editor.SetFocus();
  editor.SelStart(0);
  editor.SelLength(editor.TextLength());
}
