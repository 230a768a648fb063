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
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"

class frmReplace : public vb::Form {
 public:
  vb::Frame FrameFind{*this};
  vb::Label lblFind{FrameFind};
  vb::ComboBox cboFind{FrameFind, vb::vbComboDropdown};
  vb::Label lblReplace{FrameFind};
  vb::ComboBox cboReplace{FrameFind, vb::vbComboDropdown};
  vb::Frame Frame2{*this};
  vb::CheckBox chkWholeWord{Frame2};
  vb::CheckBox chkMatchCase{Frame2};
  vb::CommandButton cmdFind{*this};
  vb::CommandButton cmdReplace{*this};
  vb::CommandButton cmdReplaceAll{*this};
  vb::CommandButton cmdCancel{*this};

  frmReplace();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void cmdFind_Click();
  void cmdReplace_Click();
  void cmdReplaceAll_Click();
  // Both replace buttons at once.
  void ReplaceButtonsEnabled(bool enabled);
  // The end of the text reached by Replace: the fresh state and the warning.
  void ReplaceReachedTheEnd();
};

// The program's one replace window, made on first use.
frmReplace& ReplaceWindow();
