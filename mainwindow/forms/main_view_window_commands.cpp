// The main window's commands that open the time-and-date window and the full-screen view, both
// modeless and owned by the main window.
#include "mainwindow/forms/full_screen.h"
#include "mainwindow/forms/insert_time_and_date.h"
#include "mainwindow/forms/main.h"

void frmMain::CmdInsertTimeAndDate() { InsertTimeAndDateWindow().Show(vb::vbModeless, this); }

void frmMain::CmdViewFullScreen() { FullScreenWindow().Show(vb::vbModeless, this); }
