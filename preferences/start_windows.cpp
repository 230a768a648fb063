#include "preferences/start_windows.h"

#include "preferences/forms/splash.h"
#include "preferences/forms/welcome.h"
#include "preferences/forms/work_begin.h"

StartWindows::StartWindows(std::function<void()> showMain) : showMain_(std::move(showMain)) {}

StartWindows::~StartWindows() = default;

// A window is shown once on the road; one made before is unloaded by then, and goes when the next
// one of its kind is made. None of them makes another of its own kind, so none is destroyed while it
// handles an event.
void StartWindows::ShowSplash(const std::u16string& picturePath) {
  splash_ = std::make_unique<frmSplash>();
  splash_->Load();
  splash_->Splash.SetPictureFile(picturePath);
  splash_->Splash.Start();
}

void StartWindows::ShowWelcome() {
  welcome_ = std::make_unique<frmWelcome>();
  welcome_->Show(vb::vbModeless);
}

void StartWindows::ShowWorkBegin() {
  workBegin_ = std::make_unique<frmWorkBegin>();
  workBegin_->Show(vb::vbModeless);
}

void StartWindows::ShowMain() { showMain_(); }
