// This room's windows as the main window's commands open them (mainwindow/preference_openers.h).
// The program makes one at start and hands it over with mainwindow::SetPreferenceWindows before the
// first window shows. Each opening is modal over the main window unless said otherwise.
#pragma once

#include "mainwindow/preference_openers.h"

namespace preferences {

class PreferenceWindows : public mainwindow::PreferenceWindowServices {
 public:
  // The dialog modal over the main window, also when it is already open without blocking (at a page).
  void ShowSettings() override;
  // The dialog without blocking, at its tab `page`: the tab is selected, then its page box is shown
  // and the others hidden directly.
  void ShowSettingsAtPage(int page) override;
  // Reading a box of the dialog loads the dialog, unseen, when it is not loaded: its load fills the
  // boxes from the stored preferences. A loaded dialog, shown or hidden, gives what it holds now.
  mainwindow::PrintBoxes SettingsPrintBoxes() override;
  void ShowToolBarCustomize() override;
  // The lock window is made for each lock and gone once it is lifted.
  void ShowLockProgram() override;
  // Both start afresh at every opening: the agreement is read again each time.
  void ShowAbout() override;
  void ShowLicense() override;
};

}  // namespace preferences
