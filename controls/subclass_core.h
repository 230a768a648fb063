// The subclassing algorithm that the module MSubclass and the object GSubclass share: registering
// listeners in a window's properties (subclass_properties.h), giving the window its previous
// procedure back with its last registration or at its end, and handing a message to its listeners.
// The two services differ only in their Rules and in what each keeps of its own: the procedure it
// installs, its current-message cell and store flag, and (the object) the windows it subclassed.
#pragma once

#include <string>

#include "controls/subclass.h"
#include "platform/win/types.h"

class SubclassCore {
 public:
  // How the listeners of one message are called, and where the previous procedure runs.
  struct Rules {
    // The module calls the later-registered listeners first, the object the first-registered.
    bool firstRegisteredFirst;
    // The module reads a response as a value (2: the previous procedure runs before the listener in
    // slot 1, its answer discarded; 1: after them all, its answer returned; anything else: not at
    // all). The object reads it as bits (2 before, 1 after, both as 2), and the previous procedure's
    // answer before is the result until a listener answers.
    bool responseBits;
    // Who says whether the previous procedure runs after the listeners: for the module the last
    // listener called, for the object the listener in the highest slot.
    bool highestSlotDecides;
  };

  SubclassCore(Rules rules, win::WNDPROC procedure) : rules_(rules), procedure_(procedure) {}
  virtual ~SubclassCore() = default;
  SubclassCore(const SubclassCore&) = delete;
  SubclassCore& operator=(const SubclassCore&) = delete;

  // Registers iwp for message iMsg of window hwnd, installing the procedure on the window's first
  // registration. Raises MSubclass's codes (or'd with the object-error base, source
  // "<program>.WindowProc") or 5 when a property cannot be stored; a failed attachment leaves the
  // window as it was.
  void AttachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
  // Removes a registration; the window's own procedure comes back with its last one. Never raises.
  void DetachMessage(ISubclass* iwp, win::HWND hwnd, win::UINT iMsg);
  // Hands a message of a window this service subclassed to its listeners.
  win::LRESULT Dispatch(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam);
  // The message being dispatched to the listener now running.
  win::UINT CurrentMessage() const { return currentMessage_; }

  static bool IsWindowLocal(win::HWND hwnd);
  static win::LRESULT CallOldWindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam);

 protected:
  // The service has put its procedure on the window: false when what it keeps of its own could not
  // be stored, and the attachment is undone.
  virtual bool Installed(win::HWND) { return true; }
  // The window runs its previous procedure again.
  virtual void Released(win::HWND) {}
  // Writing 0 removes the property; whether the last write succeeded is kept in storeSucceeded_.
  void Set(win::HWND h, const std::string& name, win::LONG_PTR v);
  bool storeSucceeded_ = false;

 private:
  // Gives a window whose registrations are all gone its previous procedure back.
  void Restore(win::HWND h);
  // Gives a window that ends with nobody listening for its end its previous procedure back.
  void ReleaseAtEnd(win::HWND h, win::LONG_PTR previous);
  bool WantsPreviousBefore(std::int32_t response) const;
  bool WantsPreviousAfter(std::int32_t response) const;

  Rules rules_;
  win::WNDPROC procedure_;
  win::UINT currentMessage_ = 0;
};
