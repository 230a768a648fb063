#include "mainwindow/forms/replace.h"

#include <iterator>

#include "core/main_window.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/forms/search.h"
#include "mainwindow/replace_all.h"
#include "mainwindow/window_chrome.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"

frmReplace::frmReplace() {
  cmdReplace.Click = [this] { cmdReplace_Click(); };
  cmdReplaceAll.Click = [this] { cmdReplaceAll_Click(); };
  chrome::AddButtonSounds(cmdReplace);
  chrome::AddButtonSounds(cmdReplaceAll);
}

void frmReplace::Design() {
  DesignShared();
  Caption(u"Найти и заменить");
  Move(0, 0, 5925, 2985);
  FrameFind.Move(120, 60, 4095, 1095);
  FrameFind.Caption(u"Заменить:");
  lblFind.Move(120, 300, 1215, 255);
  cboFind.Move(1380, 270, 2595, 315);
  lblReplace.Move(120, 675, 1215, 255);
  lblReplace.Caption(u"Заменить на:");
  cboReplace.Move(1380, 645, 2595, 315);
  Frame2.Move(120, 1215, 4095, 1095);
  chkWholeWord.Move(120, 300, 3855, 315);
  chkMatchCase.Move(120, 660, 3855, 315);
  cmdFind.Move(4335, 150, 1395, 375);
  cmdReplace.Move(4335, 615, 1395, 375);
  cmdReplace.Caption(u"Заменить");
  cmdReplaceAll.Move(4335, 1080, 1395, 375);
  cmdReplaceAll.Caption(u"Заменить все");
  cmdCancel.Move(4335, 1935, 1395, 375);
  // The replace controls are made after the shared ones; the Tab order puts them where they stand.
  vb::Control* const tabOrder[] = {&cboFind, &cboReplace, &chkWholeWord,  &chkMatchCase,
                                   &cmdFind, &cmdReplace, &cmdReplaceAll, &cmdCancel};
  for (int i = 0; i < static_cast<int>(std::size(tabOrder)); ++i) tabOrder[i]->TabIndex(i);
}

void frmReplace::Form_Load() {
  SearchForm::Form_Load();
  ReplaceButtonsEnabled(false);
}

void frmReplace::ReplaceButtonsEnabled(bool enabled) {
  cmdReplace.Enabled(enabled);
  cmdReplaceAll.Enabled(enabled);
}

void frmReplace::cmdFind_Click() {
  switch (search::Press(cmdFind, cboFind.Text(), search::Options(chkWholeWord, chkMatchCase))) {
    case search::Outcome::FoundFromStart:
      ReplaceButtonsEnabled(true);
      break;
    case search::Outcome::MissedOnward:
      ReplaceButtonsEnabled(false);
      break;
    default:
      break;
  }
}

void frmReplace::ReplaceReachedTheEnd() {
  cmdFind.Caption(search::kFresh);
  ReplaceButtonsEnabled(false);
  vb::MsgBox(search::kSearchEnded, vb::vbExclamation, core::kProgramTitle);
}

void frmReplace::cmdReplace_Click() {
  const int options = search::Options(chkWholeWord, chkMatchCase);
  const std::u16string what = cboFind.Text();
  if (!search::Accepts(what)) return;
  vb::RichTextBox& editor = *MainWindow().RichTextBox;
  const std::int32_t start = editor.SelStart();
  const std::int32_t length = editor.SelLength();
  // Searching from the selection's start finds the selection itself exactly when it is a match;
  // otherwise that search is the one the user needs first, and nothing is replaced.
  const std::int32_t found = editor.Find(what, start, -1, options);
  if (found == -1) return ReplaceReachedTheEnd();
  if (found == start && length > 0 && editor.SelLength() == length) {
    editor.SelText(cboReplace.Text());
    if (search::FindAfterSelection(editor, what, options) == -1) return ReplaceReachedTheEnd();
  }
  editor.SetFocus();
}

void frmReplace::cmdReplaceAll_Click() {
  const int options = search::Options(chkWholeWord, chkMatchCase);
  const std::u16string what = cboFind.Text();
  if (!search::Accepts(what)) return;
  const std::u16string with = cboReplace.Text();
  const std::u16string question =
      u"Вы действительно хотите заменить ''" + what + u"'' на ''" + with + u"'' во всем документе?";
  if (vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion, core::kProgramTitle) != vb::vbYes) return;
  const std::int64_t count = mainwindow::ReplaceAll(*MainWindow().RichTextBox, what, with, options);
  if (count > 0) {
    vb::MsgBox(u"Поиск завершен! Было сделано " + vb::CStr(count) + u" замен(ы).", vb::vbInformation,
               core::kProgramTitle);
  }
  cmdFind.Caption(search::kFresh);
  ReplaceButtonsEnabled(false);
}

frmReplace& ReplaceWindow() {
  static frmReplace* window = new frmReplace;
  return *window;
}
