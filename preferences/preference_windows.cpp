#include "preferences/preference_windows.h"

#include "mainwindow/forms/main.h"
#include "mainwindow/preference_windows.h"
#include "preferences/forms/toolbar_customize.h"

namespace preferences {

void RegisterPreferenceWindows() {
  auto& windows = mainwindow::Preferences();
  // Each window of this room sets its opener here as it is built.
  windows.showToolBarCustomize = [] { ToolBarCustomizeDialog().ShowOver(MainWindow()); };
}

}  // namespace preferences
