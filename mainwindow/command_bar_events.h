// The main window's answers to two events of its command-bar controls: the toolkit's request for
// one more control to host a popup menu, and a right click on a bar, which on either toolbar pops
// up the toolbars menu ("MENU:VIEW:TOOLBARS") at the pointer.
//
// What frmMain calls: from cmdBar_RequestNewInstance, ctl = &LoadPopupHost(cmdBar); from
// cmdBar_RightClick, ShowToolbarsMenu(cmdBar, cmdBar(Index), x, y).
#pragma once

#include <cstdint>

#include "commandbars/kest_command_bar.h"
#include "platform/vb/control_array.h"

namespace mainwindow {

// Loads the element one above the array's highest index (3 after the three designed ones, then 4,
// ...) and hands it back; the toolkit pools it as a popup host.
commandbars::kestCommandBar& LoadPopupHost(vb::ControlArray<commandbars::kestCommandBar>& cmdBar);

// x and y are client pixels of `raising`. When it shows "TOOLBAR" or "TOOLBAR2" they become screen
// pixels and element 0 shows the toolbars menu there; on any other bar nothing happens.
void ShowToolbarsMenu(vb::ControlArray<commandbars::kestCommandBar>& cmdBar, commandbars::kestCommandBar& raising,
                      std::int32_t x, std::int32_t y);

}  // namespace mainwindow
