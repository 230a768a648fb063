#include "preferences/preference_windows.h"

#include "mainwindow/forms/main.h"
#include "platform/vb/form.h"
#include "preferences/forms/about.h"
#include "preferences/forms/license.h"
#include "preferences/forms/lock_program.h"
#include "preferences/forms/toolbar_customize.h"
#include "preferences/settings/settings.h"

namespace preferences {

void PreferenceWindows::ShowSettings() { SettingsDialog().Open(vb::vbModal, MainWindow()); }

void PreferenceWindows::ShowSettingsAtPage(int page) {
  frmSettings& dialog = SettingsDialog();
  dialog.Open(vb::vbModeless, MainWindow());
  dialog.tabSettings.SelectTab(page);
  dialog.ShowPage(page);
}

mainwindow::PrintBoxes PreferenceWindows::SettingsPrintBoxes() {
  frmSettings& settings = SettingsDialog();
  mainwindow::PrintBoxes boxes;
  boxes.copies = settings.txtCopies.Text();
  boxes.left = settings.txtLeft.Text();
  boxes.top = settings.txtTop.Text();
  boxes.width = settings.txtWidth.Text();
  boxes.height = settings.txtHeight.Text();
  return boxes;
}

void PreferenceWindows::ShowToolBarCustomize() { ToolBarCustomizeDialog().ShowOver(MainWindow()); }

void PreferenceWindows::ShowLockProgram() {
  frmLockProgram lock([] { MainWindow().Show(); });
  lock.Show(vb::vbModal, &MainWindow());
}

void PreferenceWindows::ShowAbout() {
  frmAbout about;
  about.Show(vb::vbModal, &MainWindow());
}

void PreferenceWindows::ShowLicense() {
  frmLicense license;
  license.Show(vb::vbModal, &MainWindow());
}

}  // namespace preferences
