#include "preferences/forms/splash.h"

#include "core/start.h"
#include "mainwindow/window_chrome.h"

frmSplash::frmSplash() { Timer.Tick = [this] { Timer_Timer(); }; }

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
