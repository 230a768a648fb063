// frmFind: the find window. The user types or picks a text, may ask for whole words and a
// case-sensitive comparison, and "Найти" selects the first match in the main window's editor; the
// button then reads "Найти далее" and each press selects the next match, until the end of the text
// is reported and the search starts afresh (see mainwindow/forms/search.h). The window is modeless
// and owned by the main window, so the user edits on while it is open. The main window's Find Next
// command reads its text and options, loading the window unseen when it is not loaded.
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"

class frmFind : public vb::Form {
 public:
  vb::Frame FrameFind{*this};
  vb::Label lblFind{FrameFind};
  vb::ComboBox cboFind{FrameFind, vb::vbComboDropdown};
  vb::Frame Frame2{*this};
  vb::CheckBox chkWholeWord{Frame2};
  vb::CheckBox chkMatchCase{Frame2};
  vb::CommandButton cmdFind{*this};
  vb::CommandButton cmdCancel{*this};

  frmFind();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void cmdFind_Click();
};

// The program's one find window, made on first use.
frmFind& FindWindow();
