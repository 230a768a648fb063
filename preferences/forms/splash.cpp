#include "preferences/forms/splash.h"

#include "core/start.h"
#include "mainwindow/window_chrome.h"

frmSplash::frmSplash() {
  Timer.Tick = [this] { Timer_Timer(); };
  // The host itself is never shown: a press on the picture it has shown is a press on the window.
  Splash.MouseDown = [] { chrome::PlaySoundEvent(chrome::kButtonMouseClick); };
}

void frmSplash::Design() {
  BorderStyle(vb::vbBSNone);
  Timer.Interval(6000);
  Timer.Enabled(true);
}

// The host plays neither the load nor the unload sound.
void frmSplash::Form_Load() { chrome::ApplyTopMost(hWnd()); }

void frmSplash::Timer_Timer() {
  Timer.Enabled(false);
  Splash.Stop();
  Unload();
  modMain::ShowStartForm();
}
