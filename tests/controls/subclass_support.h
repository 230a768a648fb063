// What the tests of the two subclassing services drive them with: a probe window whose own
// procedure writes what it sees into a trace, and listeners that do the same.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controls/subclass.h"
#include "platform/win/window.h"

namespace subclass_testing {

inline std::vector<std::string> trace;
constexpr win::LRESULT kOriginalResult = 100;

// The probe window's own procedure. At the window's end it notes whether it was given back before.
inline win::LRESULT Original(win::HWND h, win::UINT m, win::WPARAM, win::LPARAM) {
  trace.push_back("old:" + std::to_string(m));
  if (m == win::WM_DESTROY) {
    const bool restored = win::GetWindowLongA(h, win::GWL_WNDPROC) == reinterpret_cast<win::LONG_PTR>(&Original);
    trace.push_back(restored ? "restored" : "still-subclassed");
  }
  return kOriginalResult;
}

inline win::HWND MakeProbe() {
  static const bool registered = [] {
    win::WNDCLASSA wc;
    wc.lpszClassName = "SubclassProbe";
    wc.lpfnWndProc = &Original;
    return win::RegisterClassA(wc) != 0;
  }();
  (void)registered;
  return win::CreateWindowExA(0, "SubclassProbe", u"", win::WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
}

class Listener : public ISubclass {
 public:
  Listener(std::string name, std::int32_t response, win::LRESULT result) : name_(std::move(name)), result_(result) {
    SetMsgResponse(response);
  }
  win::LRESULT WindowProc(win::HWND, win::UINT m, win::WPARAM, win::LPARAM) override {
    trace.push_back(name_ + ":" + std::to_string(m));
    if (onCall) onCall();
    return result_;
  }
  std::function<void()> onCall;

 private:
  std::string name_;
  win::LRESULT result_;
};

// "who:message", as the trace notes a call.
inline std::string At(const std::string& who, win::UINT m) { return who + ":" + std::to_string(m); }

// A test with a fresh probe window and an empty trace.
class ProbeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    trace.clear();
    h = MakeProbe();
  }
  void TearDown() override {
    if (win::IsWindow(h)) win::DestroyWindow(h);
  }
  win::HWND h = 0;
};

}  // namespace subclass_testing
