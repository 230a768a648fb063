// Running a benchmark program's benchmarks: those the command line names (all by default) run and
// report, inside the platform application where they need one.
#pragma once

#include <benchmark/benchmark.h>

#include "platform/application.h"

// The benchmarks the command line names run, and their figures are reported.
inline void RunBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}

// The main of a benchmark program whose benchmarks need nothing but the platform application.
inline int RunInApplication(int argc, char** argv) {
  platform::Application app(argc, argv);
  RunBenchmarks(argc, argv);
  return 0;
}
