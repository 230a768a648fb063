// The core's process-wide state that the main window shows in its commands (a document opened, one
// saved under a name, a conversion done, the edit history) tells the main window when it changes,
// so that the window learns of it without polling.
#pragma once

namespace core {

// The core's state changed: the main window is told (core/main_window.h), when there is one.
void StateChanged();

// A flag of that state: read and set as a plain Boolean; setting it to another value tells.
class StateFlag {
 public:
  StateFlag() = default;
  StateFlag(const StateFlag&) = delete;
  StateFlag& operator=(const StateFlag&) = delete;
  StateFlag& operator=(bool value) {
    if (value != value_) {
      value_ = value;
      StateChanged();
    }
    return *this;
  }
  operator bool() const { return value_; }

 private:
  bool value_ = false;
};

}  // namespace core
