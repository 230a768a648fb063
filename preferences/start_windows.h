// The start-up windows as the core's start-up routine reaches them: the splash host, the welcome and
// the getting-started windows, each made afresh when it is shown, and the main window through the
// program's own way of showing it. The program hands one of these to modMain::SetStartWindows.
#pragma once

#include <functional>
#include <memory>

#include "core/start.h"

class frmSplash;
class frmWelcome;
class frmWorkBegin;

class StartWindows : public StartWindowServices {
 public:
  explicit StartWindows(std::function<void()> showMain);
  ~StartWindows() override;

  void ShowSplash(const std::u16string& picturePath) override;
  void ShowWelcome() override;
  void ShowWorkBegin() override;
  void ShowMain() override;

  // The windows last made, for tests (null before the first).
  frmSplash* Splash() const { return splash_.get(); }
  frmWelcome* Welcome() const { return welcome_.get(); }
  frmWorkBegin* WorkBegin() const { return workBegin_.get(); }

 private:
  std::function<void()> showMain_;
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<frmWelcome> welcome_;
  std::unique_ptr<frmWorkBegin> workBegin_;
};
