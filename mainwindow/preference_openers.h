// The windows of the preferences room that the main window's commands open: the settings dialog,
// the toolbar customisation dialog, the program lock, the about and agreement windows. That room
// stands above the main window, so it implements this interface and the program hands it over at
// start (SetPreferenceWindows); without one, as in tests of the main window alone, those commands
// open nothing and the print command reads empty printing boxes.
#pragma once

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

class PreferenceWindowServices {
 public:
  virtual ~PreferenceWindowServices() = default;
  // The settings dialog, modal, owned by the main window.
  virtual void ShowSettings() = 0;
  // The settings dialog, modeless, at tab 3 (view), 5 (font) or 6 (printing).
  virtual void ShowSettingsAtPage(int page) = 0;
  // The printing boxes of the settings dialog, loading it hidden when it is not loaded.
  virtual PrintBoxes SettingsPrintBoxes() = 0;
  // The toolbar customisation dialog, modal.
  virtual void ShowToolBarCustomize() = 0;
  // The program lock window, modal (the main window is hidden first by the caller).
  virtual void ShowLockProgram() = 0;
  // The about and agreement windows, modal.
  virtual void ShowAbout() = 0;
  virtual void ShowLicense() = 0;
};

// The preference windows handed over; null (the default, or handed over again) for none.
void SetPreferenceWindows(PreferenceWindowServices* windows);
PreferenceWindowServices* PreferenceWindowsIfSet();

}  // namespace mainwindow
