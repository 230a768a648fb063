// The application object: one per process, made first in main. It starts the user-interface
// toolkit, loads the Russian translations of the toolkit's own dialogs, reads the program's version
// facts into App and puts the window layer between the toolkit's events and the program's windows.
#pragma once

#include <memory>

namespace platform {

class Application {
 public:
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Runs the event loop until Quit; returns its exit code.
  int Run();
  static void Quit(int code = 0);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
