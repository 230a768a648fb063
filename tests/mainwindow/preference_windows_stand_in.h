// A stand-in for the preferences room's windows, handed to the main window while it lives: it
// counts the settings dialog's openings (whole and at a page) and gives the printing boxes the test
// set; the other windows open nothing.
#pragma once

#include <vector>

#include "mainwindow/preference_openers.h"

namespace qmtest {

class PreferenceWindowsStandIn : public mainwindow::PreferenceWindowServices {
 public:
  PreferenceWindowsStandIn() { mainwindow::SetPreferenceWindows(this); }
  ~PreferenceWindowsStandIn() override { mainwindow::SetPreferenceWindows(nullptr); }
  PreferenceWindowsStandIn(const PreferenceWindowsStandIn&) = delete;
  PreferenceWindowsStandIn& operator=(const PreferenceWindowsStandIn&) = delete;

  void ShowSettings() override { ++settingsOpenings; }
  void ShowSettingsAtPage(int page) override { pages.push_back(page); }
  mainwindow::PrintBoxes SettingsPrintBoxes() override {
    ++boxReads;
    return boxes;
  }
  void ShowToolBarCustomize() override {}
  void ShowLockProgram() override {}
  void ShowAbout() override {}
  void ShowLicense() override {}

  int settingsOpenings = 0;
  std::vector<int> pages;
  mainwindow::PrintBoxes boxes;
  int boxReads = 0;
};

}  // namespace qmtest
