// The preferences room's windows handed to the main window while this object lives, as the program
// hands them over at start; afterwards the main window has none again.
#pragma once

#include "mainwindow/preference_openers.h"
#include "preferences/preference_windows.h"

namespace qmtest {

class HandedPreferenceWindows {
 public:
  HandedPreferenceWindows() { mainwindow::SetPreferenceWindows(&windows); }
  ~HandedPreferenceWindows() { mainwindow::SetPreferenceWindows(nullptr); }
  HandedPreferenceWindows(const HandedPreferenceWindows&) = delete;
  HandedPreferenceWindows& operator=(const HandedPreferenceWindows&) = delete;

  preferences::PreferenceWindows windows;
};

}  // namespace qmtest
