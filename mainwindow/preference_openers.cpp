#include "mainwindow/preference_openers.h"

namespace mainwindow {
namespace {

PreferenceWindowServices* handed = nullptr;

}  // namespace

void SetPreferenceWindows(PreferenceWindowServices* windows) { handed = windows; }

PreferenceWindowServices* PreferenceWindowsIfSet() { return handed; }

}  // namespace mainwindow
