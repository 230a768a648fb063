// frmReplace: the find-and-replace window. Its search button works as the find window's does
// (mainwindow/forms/search.h); a match found from the start enables "Заменить" and "Заменить все",
// which stay enabled until a search or a replacement reaches the end of the text, or Replace All
// has run.
//
// "Заменить" replaces the selection only when it is a match of the search text with the window's
// options, and then selects the next match; any other selection is not touched: the search runs
// first, from the selection's start, and selects the match for the next press. "Заменить все" asks
// first, then replaces every match of the text as it stands (mainwindow/replace_all.h) as one step
// of the edit history, and reports the true number of replacements.
//
// It is the find window's form (mainwindow/forms/search_form.h) with a second label and combo box in
// FrameFind and the two replace buttons; the Tab key still goes through the controls in the order
// they stand: the two boxes, the options, then the buttons from the top.
#pragma once

#include "mainwindow/forms/search_form.h"

class frmReplace : public SearchForm {
 public:
  vb::Label lblReplace{FrameFind};
  vb::ComboBox cboReplace{FrameFind, vb::vbComboDropdown};
  vb::CommandButton cmdReplace{*this};
  vb::CommandButton cmdReplaceAll{*this};

  frmReplace();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  void cmdFind_Click() override;
  void cmdReplace_Click();
  void cmdReplaceAll_Click();
  // Both replace buttons at once.
  void ReplaceButtonsEnabled(bool enabled);
  // The end of the text reached by Replace: the fresh state and the warning.
  void ReplaceReachedTheEnd();
};

// The program's one replace window, made on first use.
frmReplace& ReplaceWindow();
