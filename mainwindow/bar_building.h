// Turns the command table into the toolkit's buttons and bars: every command becomes a button of the
// process-wide store, and the bars are made from the keys alone. A bar holds the direct children of
// its key (one word longer) in table order and carries that key as its key and title; the button of
// the parent key opens it. Keys without children get no bar. This gives 21 bars: "MENU" and its
// drop-downs and sub-menus, "TOOLBAR" (40 items) and "TOOLBAR2" (8).
//
// What frmMain calls in its load, right after filling its icon lists: CreateCommandButtons with
// cmdBar(0) and its direction list cmbDecode, then BuildCommandBars with cmdBar(0). The stores are
// process-wide, so the bars serve every element of cmdBar; frmMain then shows "MENU", "TOOLBAR" and
// "TOOLBAR2" in elements 0, 1 and 2.
#pragma once

#include <string>

#include "commandbars/kest_command_bar.h"
#include "commandbars/object_model.h"

namespace vb {
class Control;
}

namespace mainwindow {

// Adds the 150 buttons in table order; the menu-bar entries, Start and Stop show their captions on
// a toolbar, and the conversion toolbar's panel item hosts the direction list.
void CreateCommandButtons(commandbars::kestCommandBar& control, vb::Control& directionList);

// Builds the bars of "MENU", "TOOLBAR" and "TOOLBAR2" through the control: each key's direct
// children (one word longer) go on a bar of that key, made only when there is a child, which the
// parent's button opens.
void BuildCommandBars(commandbars::kestCommandBar& control);

}  // namespace mainwindow
