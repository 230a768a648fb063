#include "mainwindow/preference_openers.h"

namespace mainwindow {

PreferenceOpeners& Preferences() {
  static PreferenceOpeners openers;
  return openers;
}

}  // namespace mainwindow
