// The window subclassing service as an object: each GSubclass has a window procedure of its own,
// its own current-message cell and its own store flag, and keeps the very window properties that
// MSubclass keeps (a window may be served by both; they share one set of properties and one
// algorithm, subclass_core.h).
//
// Unlike MSubclass, the listeners of one message run first-registered first; responses are read as
// bits (2: the previous procedure runs before the first listener; 1: after them all, its result
// returned; both: as 2), and the response that decides "after" is that of the listener in the
// highest slot. Every listener's return value replaces the result.
//
// Every object installs one shared compiled procedure, which finds the object that subclassed the
// window through a window property of its own; no code is generated at run time, and any number of
// objects may live at once. When the object goes it detaches every registration made through it (a
// window whose last registration that was gets its previous procedure back); a window that other
// listeners keep subclassed goes on being served through the same properties.
#pragma once

#include <set>
#include <tuple>

#include "controls/subclass_core.h"
#include "platform/win/types.h"

class GSubclass : private SubclassCore {
 public:
  GSubclass();
  ~GSubclass() override;
  GSubclass(const GSubclass&) = delete;
  GSubclass& operator=(const GSubclass&) = delete;

  // As MSubclass::AttachMessage, with the same errors and source; installs this object's procedure
  // when the window is not subclassed yet.
  void AttachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
  // As MSubclass::DetachMessage; never raises.
  void DetachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
  bool IsWindowLocal(win::HWND hwnd) { return SubclassCore::IsWindowLocal(hwnd); }
  // The message this object's procedure last handed to a listener.
  using SubclassCore::CurrentMessage;
  win::LRESULT CallOldWindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam) {
    return SubclassCore::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
  }
  // Whether the program runs inside a development environment: never, here.
  bool InIDE() const { return false; }

  // The procedure every object installs on the windows it subclasses.
  static win::WNDPROC Procedure();

  // Inside the class: the object's procedure.
  win::LRESULT WindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam) {
    return Dispatch(hwnd, iMsg, wParam, lParam);
  }

 private:
  // The window names this object as the one whose procedure it runs.
  bool Installed(win::HWND h) override;
  // The window runs its previous procedure again: it no longer names an object.
  void Released(win::HWND h) override;

  // What was attached through this object and not detached since.
  std::set<std::tuple<win::HWND, win::UINT, ISubclass*>> registrations_;
  // The windows this object put the procedure on, and may still name it.
  std::set<win::HWND> subclassed_;
};
