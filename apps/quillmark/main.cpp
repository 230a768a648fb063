// Quillmark: the editor. The start-up routine chooses the first window (splash, welcome, getting
// started or the main window, by the profile's switches); closing the main window ends the program.
#include "core/start.h"
#include "mainwindow/forms/main.h"
#include "platform/application.h"
#include "preferences/preference_windows.h"
#include "preferences/start_windows.h"

int main(int argc, char** argv) {
  platform::Application app(argc, argv);
  preferences::PreferenceWindows preferenceWindows;
  mainwindow::SetPreferenceWindows(&preferenceWindows);
  StartWindows windows([] { MainWindow().Show(); });
  modMain::SetStartWindows(&windows);
  if (!modMain::Main()) return 0;
  return app.Run();
}
