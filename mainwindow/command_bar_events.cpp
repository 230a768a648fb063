#include "mainwindow/command_bar_events.h"

namespace mainwindow {

using commandbars::cCommandBar;
using commandbars::kestCommandBar;

kestCommandBar& LoadPopupHost(vb::ControlArray<kestCommandBar>& cmdBar) { return cmdBar.Load(cmdBar.UBound() + 1); }

void ShowToolbarsMenu(vb::ControlArray<kestCommandBar>& cmdBar, kestCommandBar& raising, std::int32_t x,
                      std::int32_t y) {
  const cCommandBar shown = raising.Toolbar();
  if (shown.Key() != u"TOOLBAR2" && shown.Key() != u"TOOLBAR") return;
  raising.ClientCoordinatesToScreen(x, y, raising.hwnd());
  const cCommandBar menu = cmdBar(0).CommandBars().Item(u"MENU:VIEW:TOOLBARS");
  cmdBar(0).ShowPopupMenu(x, y, &menu);
}

}  // namespace mainwindow
