// The core's view of the main window's command buttons (core/toolbar_visibility.h), over the
// command-bar toolkit: a button is found by its key in the process-wide store through one of the
// window's command-bar controls, and the direction list is the window's own control.
//
// What frmMain does: keeps one CommandButtons over cmdBar(0) and cmbDecode, and hands it to
// LoadToolBarButtonsVisibility (its load, its toolbar timer) and EnableSearchCommands (key presses).
#pragma once

#include <string_view>

#include "commandbars/kest_command_bar.h"
#include "core/toolbar_visibility.h"

namespace vb {
class Control;
}

namespace mainwindow {

class CommandButtons : public CommandButtonServices {
 public:
  CommandButtons(commandbars::kestCommandBar& control, vb::Control& directionList)
      : control_(control), directionList_(directionList) {}
  void ButtonVisible(std::u16string_view key, bool visible) override;
  void ButtonEnabled(std::u16string_view key, bool enabled) override;
  void DirectionListVisible(bool visible) override;

 private:
  commandbars::kestCommandBar& control_;
  vb::Control& directionList_;
};

}  // namespace mainwindow
