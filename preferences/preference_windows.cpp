#include "preferences/preference_windows.h"

#include "mainwindow/forms/main.h"
#include "mainwindow/preference_windows.h"
#include "platform/vb/form.h"
#include "preferences/forms/lock_program.h"
#include "preferences/forms/toolbar_customize.h"

namespace preferences {

void RegisterPreferenceWindows() {
  auto& windows = mainwindow::Preferences();
  // Each window of this room sets its opener here as it is built.
  windows.showLockProgram = [] {
    // Made for each lock and gone once it is lifted.
    frmLockProgram lock([] { MainWindow().Show(); });
    lock.Show(vb::vbModal, &MainWindow());
  };
  windows.showToolBarCustomize = [] { ToolBarCustomizeDialog().ShowOver(MainWindow()); };
}

}  // namespace preferences
