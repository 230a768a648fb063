// The main of a benchmark program that drives the real main window: a private settings folder,
// the platform application on the offscreen platform unless another is asked for, `beforeLoad`
// (settings the figures are taken with), then the main window loaded and shown, reachable through
// `window` while the benchmarks run.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/run_benchmarks.h"
#include "mainwindow/forms/main.h"
#include "platform/application.h"
#include "platform/testing/win.h"

inline int RunOnMainWindow(int argc, char** argv, const std::string& name, frmMain*& window,
                           const std::function<void()>& beforeLoad) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const auto settings = std::filesystem::temp_directory_path() / ("qm-bench-" + name + "-settings");
  std::filesystem::remove_all(settings);
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  platform::Application app(argc, argv);
  beforeLoad();
  window = new frmMain;
  window->Load();
  window->Show();
  platform::testing::ShowAndWait(window->hWnd());
  RunBenchmarks(argc, argv);
  window->Terminate();
  std::filesystem::remove_all(settings);
  return 0;
}
