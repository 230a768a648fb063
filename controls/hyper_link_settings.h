// Settings: the page that edits seven properties of a hyperlink label at once (the two texts and
// five switches), as a form designer shows it for the controls selected on a window. The program
// itself never shows it; it is the same page without a designer around it: the host sets
// SelectedControls, calls PropertyPage_SelectionChanged to fill the page, reads Changed to offer
// Apply, and calls PropertyPage_ApplyChanges to write the page back. Only the first selected control
// is read and written.
#pragma once

#include <vector>

#include "controls/hyper_link.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"

class Settings : public vb::Form {
 public:
  Settings();

  vb::Frame Frame1{*this};
  vb::CheckBox chkMOUnderline{Frame1};
  vb::CheckBox chkMOPointer{Frame1};
  vb::CheckBox chkAutoToolTip{Frame1};
  vb::CheckBox chkAutoSize{Frame1};
  vb::Label lblCaption{Frame1};
  vb::TextBox txtCaption{Frame1};
  vb::Label lblHyperLink{Frame1};
  vb::TextBox txtHyperLink{Frame1};
  vb::CheckBox chkEnabled{Frame1};

  // The controls the page edits; held, not owned.
  std::vector<HyperLink*> SelectedControls;
  // Whether the page holds edits not applied yet.
  bool Changed = false;

  // Fills the page from the first selected control; the page is unchanged afterwards.
  void PropertyPage_SelectionChanged();
  // Writes the page to the first selected control.
  void PropertyPage_ApplyChanges();

 protected:
  void Design() override;
};
