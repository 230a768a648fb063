// frmSplash: the hidden host of the splash picture. It is never shown; loading it starts its timer,
// and the start-up routine has its splash component show the picture. When the timer fires (once,
// 6 s after the load) the picture ends, the host unloads and the first window is chosen by the
// same switches as at a start without the splash. A picture that cannot be shown changes nothing
// of that: the timer still leads on.
#pragma once

#include "platform/media/splash.h"
#include "platform/vb/form.h"
#include "platform/vb/timer.h"

class frmSplash : public vb::Form {
 public:
  vb::Timer Timer{*this};
  platform::Splash Splash;

  frmSplash();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  void Timer_Timer();
};
