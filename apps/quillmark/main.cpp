// Quillmark: the editor. The start-up routine chooses the first window; closing the main window ends
// the program. The start-up windows the profile may ask for (splash, welcome, getting started) are
// not part of the program yet: it then goes straight to the main window.
#include <cstdio>
#include <cstdlib>

#include "core/start.h"
#include "mainwindow/forms/main.h"
#include "platform/application.h"

namespace {

class StartWindows : public StartWindowServices {
 public:
  void ShowSplash(const std::u16string&) override { ShowMain(); }
  void ShowWelcome() override { ShowMain(); }
  void ShowWorkBegin() override { ShowMain(); }
  void ShowMain() override { MainWindow().Show(); }
};

}  // namespace

int main(int argc, char** argv) {
  platform::Application app(argc, argv);
  StartWindows windows;
  modMain::SetStartWindows(&windows);
  // The close sequence has stored what it keeps; nothing else runs after it.
  frmMain::EndProgram = [] {
    std::fflush(nullptr);
    std::_Exit(0);
  };
  if (!modMain::Main()) return 0;
  return app.Run();
}
