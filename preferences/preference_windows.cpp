#include "preferences/preference_windows.h"

#include "mainwindow/preference_windows.h"

namespace preferences {

void RegisterPreferenceWindows() {
  [[maybe_unused]] auto& windows = mainwindow::Preferences();
  // Each window of this room sets its opener here as it is built.
}

}  // namespace preferences
