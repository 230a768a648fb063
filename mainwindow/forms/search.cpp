#include "mainwindow/forms/search.h"

#include "core/main_window.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/controls.h"
#include "platform/vb/msgbox.h"

namespace search {

void LoadWindow(vb::Form& window, vb::ComboBox& cboFind) {
  mainwindow::CentreOverMainWindow(window);
  chrome::ApplyTopMost(window.hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  const std::u16string selected = MainWindow().RichTextBox->SelText();
  cboFind.AddItem(selected);
  cboFind.Text(selected);
}

int Options(vb::CheckBox& wholeWord, vb::CheckBox& matchCase) {
  int options = 0;
  if (wholeWord.Value() == vb::vbChecked) options += vb::rtfWholeWord;
  if (matchCase.Value() == vb::vbChecked) options += vb::rtfMatchCase;
  return options;
}

bool Accepts(std::u16string_view text) {
  if (!text.empty()) return true;
  vb::MsgBox(kNoSearchText, vb::vbInformation, core::kProgramTitle);
  return false;
}

std::int32_t FindAfterSelection(vb::RichTextBox& editor, std::u16string_view text, int options) {
  const std::int64_t end = static_cast<std::int64_t>(editor.SelStart()) + editor.SelLength();
  return editor.Find(text, static_cast<std::int32_t>(end), -1, options);
}

void FindNextEnabled(bool enabled) {
  const commandbars::cButton item = MainWindow().cmdBar(0).Buttons().Item(u"MENU:FIND:FINDNEXT");
  item.Enabled(enabled);
}

Outcome Press(vb::CommandButton& cmdFind, const std::u16string& text, int options) {
  if (!Accepts(text)) return Outcome::Refused;
  vb::RichTextBox& editor = *MainWindow().RichTextBox;
  const bool onward = cmdFind.Caption() != kFresh;
  const std::int32_t found = onward ? FindAfterSelection(editor, text, options) : editor.Find(text, 0, -1, options);
  if (found != -1) {
    editor.SetFocus();
    if (!onward) cmdFind.Caption(kContinuing);
    FindNextEnabled(true);
    return onward ? Outcome::FoundOnward : Outcome::FoundFromStart;
  }
  cmdFind.Caption(kFresh);
  FindNextEnabled(false);
  vb::MsgBox(kSearchEnded, vb::vbInformation, core::kProgramTitle);
  return onward ? Outcome::MissedOnward : Outcome::MissedFromStart;
}

}  // namespace search
