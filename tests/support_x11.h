// For tests that need a real X server: whether the run has one (the xcb platform and a display;
// ./test.sh runs such tests under xvfb-run, elsewhere they skip), and a wait that pumps events
// until a condition holds, since the X server answers in its own time.
#pragma once

#include <chrono>
#include <cstdlib>
#include <string_view>

#include "platform/vb/runtime.h"

namespace qmtest {

inline bool OnX11() {
  const char* p = std::getenv("QT_QPA_PLATFORM");
  return p != nullptr && std::string_view(p) == "xcb" && std::getenv("DISPLAY") != nullptr;
}

// Pumps events until the condition holds; false when it still does not after a minute (the X
// server of a loaded machine may take its time).
template <class F>
bool Eventually(F&& condition) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < until) {
    vb::DoEvents();
    if (condition()) return true;
  }
  return false;
}

}  // namespace qmtest
