// Routes chosen messages of any window of the process to listener objects.
//
// A listener registers for one message of one window. On a window's first registration its
// procedure is replaced by MSubclass::WindowProc, which hands each registered message to its
// listeners (the later-registered first) and runs the window's previous procedure before them, after
// them or not at all, as the first-registered listener's MsgResponse says. All bookkeeping lives in
// properties of the window itself, named from the decimal handle, message and slot number:
//   "1234"       the previous procedure          "C1234"      registrations on the window
//   "1234#78C"   listeners of message 78          "1234#78#1"  the first of them
#pragma once

#include <cstdint>

#include "platform/win/types.h"

// What a listener implements. The plain MsgResponse is a stored value and the plain WindowProc
// answers 0.
class ISubclass {
 public:
  ISubclass();
  virtual ~ISubclass();
  ISubclass(const ISubclass&) = delete;
  ISubclass& operator=(const ISubclass&) = delete;

  // 0: the previous procedure is not called; 1: it is called after all listeners and its result
  // returned; 2: it is called just before the first-registered listener and its result discarded.
  virtual std::int32_t MsgResponse() { return response_; }
  virtual void SetMsgResponse(std::int32_t response) { response_ = response; }
  virtual win::LRESULT WindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam) {
    return 0;
  }
  // Whether the listener at this address exists now (a slot may still hold one that went without
  // detaching).
  static bool IsAlive(const ISubclass* listener);

 private:
  std::int32_t response_ = 0;
};

namespace MSubclass {

constexpr std::int32_t kCantSubclass = 13081;
constexpr std::int32_t kAlreadyHandled = 13082;
constexpr std::int32_t kInvalidWindow = 13083;
constexpr std::int32_t kExternalWindow = 13084;

// Registers iwp for message iMsg of window hwnd. Raises the codes above (or'd with the object-error
// base, source "<program>.WindowProc") or 5 when a property cannot be stored; a failed attachment
// leaves the window as it was.
void AttachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
// Removes a registration; the window's own procedure comes back with its last one. Never raises.
void DetachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
win::LRESULT CallOldWindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam);
bool IsWindowLocal(win::HWND hwnd);
// The message being dispatched to the listener now running.
win::UINT CurrentMessage();
win::LRESULT WindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam);

}  // namespace MSubclass
