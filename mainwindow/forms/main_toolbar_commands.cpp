// The View menu's toolbar customisation command.
#include "mainwindow/forms/main.h"
#include "mainwindow/preference_openers.h"

// The dialog is modal and owned by this window; it arms this window's toolbar timers when it applies.
void frmMain::CmdViewToolbarsCustomize() {
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowToolBarCustomize();
}
