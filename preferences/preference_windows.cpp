#include "preferences/preference_windows.h"

#include "mainwindow/forms/main.h"
#include "mainwindow/preference_openers.h"
#include "platform/vb/form.h"
#include "preferences/forms/about.h"
#include "preferences/forms/license.h"
#include "preferences/forms/lock_program.h"
#include "preferences/forms/toolbar_customize.h"
#include "preferences/settings/settings.h"

namespace preferences {
namespace {

// The dialog modal over the main window, also when it is already open without blocking (at a page).
void ShowSettings() { SettingsDialog().Open(vb::vbModal, MainWindow()); }

// The dialog without blocking, at tab 3 (view), 5 (font) or 6 (printing): the tab is selected,
// then its page box is shown and the others hidden directly.
void ShowSettingsAtPage(int page) {
  frmSettings& dialog = SettingsDialog();
  dialog.Open(vb::vbModeless, MainWindow());
  dialog.tabSettings.SelectTab(page);
  dialog.ShowPage(page);
}

// Reading a box of the dialog loads the dialog, unseen, when it is not loaded: its load fills the
// boxes from the stored preferences. A loaded dialog, shown or hidden, gives what it holds now.
mainwindow::PrintBoxes SettingsPrintBoxes() {
  frmSettings& settings = SettingsDialog();
  mainwindow::PrintBoxes boxes;
  boxes.copies = settings.txtCopies.Text();
  boxes.left = settings.txtLeft.Text();
  boxes.top = settings.txtTop.Text();
  boxes.width = settings.txtWidth.Text();
  boxes.height = settings.txtHeight.Text();
  return boxes;
}

}  // namespace

void RegisterPreferenceWindows() {
  auto& windows = mainwindow::Preferences();
  windows.showSettings = ShowSettings;
  windows.showSettingsAtPage = ShowSettingsAtPage;
  windows.showLockProgram = [] {
    // Made for each lock and gone once it is lifted.
    frmLockProgram lock([] { MainWindow().Show(); });
    lock.Show(vb::vbModal, &MainWindow());
  };
  // Both start afresh at every opening: the agreement is read again each time.
  windows.showAbout = [] {
    frmAbout about;
    about.Show(vb::vbModal, &MainWindow());
  };
  windows.showLicense = [] {
    frmLicense license;
    license.Show(vb::vbModal, &MainWindow());
  };
  windows.showToolBarCustomize = [] { ToolBarCustomizeDialog().ShowOver(MainWindow()); };
  windows.printBoxes = SettingsPrintBoxes;
}

}  // namespace preferences
