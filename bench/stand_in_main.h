// The main of a benchmark program that drives the core through stand-in windows: a private settings
// folder, the platform application, modal dialogs scripted, the stand-in windows reachable through
// `windows` while the benchmarks run.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bench/run_benchmarks.h"
#include "controls/testing/stand_in.h"
#include "platform/application.h"
#include "platform/script/script.h"

inline int RunWithStandIns(int argc, char** argv, const std::string& name, qmtest::StandInServices*& windows) {
  const auto settings = std::filesystem::temp_directory_path() / ("qm-bench-" + name + "-settings");
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  platform::Application app(argc, argv);
  platform::script::SetActive(true);
  qmtest::StandInServices stand;
  windows = &stand;
  RunBenchmarks(argc, argv);
  windows = nullptr;
  std::filesystem::remove_all(settings);
  return 0;
}
