#include "mainwindow/preference_windows.h"

namespace mainwindow {

PreferenceWindows& Preferences() {
  static PreferenceWindows windows;
  return windows;
}

}  // namespace mainwindow
