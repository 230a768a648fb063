// The windows of the preferences room that the main window's commands open: the settings dialog,
// the toolbar customisation dialog, the program lock, the about and agreement windows. That room
// stands above the main window, so it fills these openers in when the program starts
// (RegisterPreferenceWindows in preferences/preference_windows.h); an opener left empty, as in tests
// of the main window alone, does nothing.
#pragma once

#include <functional>
#include <string>

namespace mainwindow {

// The printing boxes of the settings dialog as the print command reads them: copies and the four
// margins in millimetres, as typed.
struct PrintBoxes {
  std::u16string copies;
  std::u16string left;
  std::u16string top;
  std::u16string width;
  std::u16string height;
};

struct PreferenceOpeners {
  // The settings dialog, modal, owned by the main window.
  std::function<void()> showSettings;
  // The settings dialog, modeless, at tab 3 (view), 5 (font) or 6 (printing).
  std::function<void(int page)> showSettingsAtPage;
  // The printing boxes of the settings dialog, loading it hidden when it is not loaded.
  std::function<PrintBoxes()> printBoxes;
  // The toolbar customisation dialog, modal.
  std::function<void()> showToolBarCustomize;
  // The program lock window, modal (the main window is hidden first by the caller).
  std::function<void()> showLockProgram;
  // The about and agreement windows, modal.
  std::function<void()> showAbout;
  std::function<void()> showLicense;
};

// The one set of openers of the program.
PreferenceOpeners& Preferences();

}  // namespace mainwindow
