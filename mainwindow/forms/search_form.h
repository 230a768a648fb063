// SearchForm: the form the find and the replace window are built on. It holds the controls both
// have, the search box cboFind with its label in the frame FrameFind, the options chkWholeWord and
// chkMatchCase in Frame2, the search button cmdFind and cmdCancel, and does what both do alike: the
// shared controls' captions and roles, Cancel unloading the window, the button sounds, the load
// (mainwindow/forms/search.h's LoadWindow) and the unload sound. Each window places the controls,
// names its frame and gives cmdFind_Click its own work.
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"

class SearchForm : public vb::Form {
 public:
  vb::Frame FrameFind{*this};
  vb::Label lblFind{FrameFind};
  vb::ComboBox cboFind{FrameFind, vb::vbComboDropdown};
  vb::Frame Frame2{*this};
  vb::CheckBox chkWholeWord{Frame2};
  vb::CheckBox chkMatchCase{Frame2};
  vb::CommandButton cmdFind{*this};
  vb::CommandButton cmdCancel{*this};

 protected:
  SearchForm();
  // The fixed border and the shared controls' captions: "Найти:", "Параметры:", the two options,
  // cmdFind's fresh caption as the default button, "Отмена" as the cancel button. Each window's
  // Design calls it first.
  void DesignShared();
  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  // A press of cmdFind.
  virtual void cmdFind_Click() = 0;
};
