// The main window's search commands: the find, replace and go-to windows, and Find Next, which
// searches on without a window.
#include "core/main_window.h"
#include "mainwindow/forms/find.h"
#include "mainwindow/forms/go_to.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/forms/replace.h"
#include "mainwindow/forms/search.h"
#include "platform/vb/msgbox.h"

void frmMain::CmdFindFind() {
  if (RichTextBox->TextLength() == 0) {
    vb::MsgBox(u"Документ не содержит текста!", vb::vbInformation, core::kProgramTitle);
    return;
  }
  FindWindow().Show(vb::vbModeless, this);
}

void frmMain::CmdFindReplace() { ReplaceWindow().Show(vb::vbModeless, this); }

void frmMain::CmdFindGoTo() { GoToWindow().Show(vb::vbModeless, this); }

// A miss resets the find window to its fresh state, so its next search starts at the beginning.
void frmMain::CmdFindNext() {
  frmFind& find = FindWindow();
  const int options = search::Options(find.chkWholeWord, find.chkMatchCase);
  const std::u16string what = find.cboFind.Text();
  if (!search::Accepts(what)) return;
  vb::RichTextBox& editor = *RichTextBox;
  if (search::FindAfterSelection(editor, what, options) != -1) {
    editor.SetFocus();
    return;
  }
  vb::MsgBox(u"Текст не найден!", vb::vbInformation, core::kProgramTitle);
  find.cmdFind.Caption(search::kFresh);
  search::FindNextEnabled(false);
}
