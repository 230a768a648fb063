// A benchmark's work beside its floor, the least work its operation needs, measured in the same
// run: the two take turns, each going first every other time, after one of each that is not counted
// (so that neither meets memory the process has not touched while the other finds it ready). The
// counters are medians: `run_ms`, `floor_ms` and `ratio`, the run's median against the floor's.
// Each iteration's time is the run's.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// `run` and `floor` each return the milliseconds they took.
inline void RunAndFloor(benchmark::State& state, const std::function<double()>& run, const std::function<double()>& floor) {
  run();
  floor();
  std::vector<double> runs;
  std::vector<double> floors;
  for (auto _ : state) {
    if (runs.size() % 2 == 0) {
      runs.push_back(run());
      floors.push_back(floor());
    } else {
      floors.push_back(floor());
      runs.push_back(run());
    }
    state.SetIterationTime(runs.back() / 1000);
  }
  state.counters["run_ms"] = Median(runs);
  state.counters["floor_ms"] = Median(floors);
  state.counters["ratio"] = Median(runs) / std::max(Median(floors), 1e-6);
}
