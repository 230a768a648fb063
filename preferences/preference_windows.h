// Fills in the main window's openers of this room's windows (mainwindow/preference_openers.h).
// The program calls it once at start, before the first window shows.
#pragma once

namespace preferences {

void RegisterPreferenceWindows();

}  // namespace preferences
