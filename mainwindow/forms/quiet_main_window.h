// Keeps the main window and the windows it owns (find, replace, go to, time and date: they act on
// the main editor) from input while another window holds the document or its work (the full-screen
// view, the progress of a long open). The main window loses its Close too: closing it then would end
// the program in the middle of that work. Waking gives back exactly what quieting took.
#pragma once

#include "platform/win/types.h"

class frmMain;

namespace mainwindow {

// `except`: the window that keeps its input (it may be one the main window owns).
void QuietMainWindow(frmMain& main, win::HWND except);
void WakeMainWindow(frmMain& main);

}  // namespace mainwindow
