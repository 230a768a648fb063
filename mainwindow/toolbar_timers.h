// The main window's one-shot toolbar timers: after the toolbar customisation dialog or a toolbar
// command of the View menu has changed the toolbar preferences, they apply them on the next tick of
// the message loop (so the caller's own handler and dialog finish first), each once, and switch
// themselves off.
//
//   TimerCommandBars (enabled at design, so it runs once right after the load): tooltips off when
//     "ShowToolTips" is "0", full menus when "HideInfrequently" is "1", large or small toolbar icons
//     and the toolbars' heights by "UseLargeIcons".
//   TimerLoadToolBarButtons: the stored toolbar layout, item by item.
//   TimerUpdate: lays the window out again; frmMain's handler is its Form_Resize followed by
//     switching the timer off, so it needs nothing from here.
//
// What frmMain calls: TimerCommandBars_Timer(TimerCommandBars, cmdBar, its icon lists) and
// TimerLoadToolBarButtons_Timer(TimerLoadToolBarButtons, its CommandButtons) from the timers' ticks.
#pragma once

#include "commandbars/kest_command_bar.h"
#include "core/toolbar_visibility.h"
#include "mainwindow/command_icons.h"
#include "platform/vb/control_array.h"
#include "platform/vb/timer.h"

namespace mainwindow {

// The toolbars' heights in twips with small and with large icons.
inline constexpr float kSmallToolbarHeight = 375;
inline constexpr float kLargeToolbarHeight = 435;

void TimerCommandBars_Timer(vb::Timer& timer, vb::ControlArray<commandbars::kestCommandBar>& cmdBar,
                            const CommandImageLists& lists);
void TimerLoadToolBarButtons_Timer(vb::Timer& timer, CommandButtonServices& buttons);

}  // namespace mainwindow
