// Message-sequence recording for the menus, in the manner of a window system's own test suites: a
// test gives a list of input steps (keys as the X server reports them, with the modifiers held and
// the keyboard group in force, clicks, and calls of its own) and compares what happened with the
// expected sequence:
//
//   "enter", "leave"          menu mode entered or left
//   "hot MENU:FILE"           the item of the menu-mode control that became hot (its button key)
//   "show FILE", "hide FILE"  a popup showing that bar appeared or went
//   "pass Alt"                a key went down and reached the window that has the keyboard
//   "swallow Alt"             it did not; "swallow Alt up": its release did not (a release that
//                             reaches the window is not listed)
//   "click FILE:OPEN"         ButtonClick reached the host (noted by the host's handler)
//   "pass click"              a click outside the menus reached the window that has the keyboard;
//                             "pass right click" a right click; "swallow click": it did not
//
// The host hands its events to Note, and the keys and mouse presses its editor receives to
// KeyReached and MouseReached. Only tests link this; the program never does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/types.h"

namespace commandbars::testing {

struct Step {
  enum Kind { kPress, kRelease, kLayoutSwitched, kHeldElsewhere, kClick, kRightClick, kCall };
  Kind kind = kPress;
  std::string key;           // X key name ("Alt_L", "Shift_L", "f", ...) or button key to click
  bool groupSwitch = false;  // a layout option makes the key XKB's group switch
  std::function<void()> call;
};

// A key pressed or released. SwitchPress and SwitchRelease: the key of a layout-switch chord (the
// Shift of Alt+Shift under grp:alt_shift_toggle), which the X server turns into ISO_Next_Group and
// whose press moves to the next keyboard group. LayoutSwitched: the desktop switches the layout
// without a key the program sees; the next keys report the new group.
Step Press(const std::string& key);
Step Release(const std::string& key);
Step SwitchPress(const std::string& key);
Step SwitchRelease(const std::string& key);
Step LayoutSwitched();
// A modifier key ("Control_L") pressed while another window had the keyboard: the program never
// sees the press, and the keys that follow come with it held (until its Release).
Step HeldElsewhere(const std::string& key);
// A left click on the centre of the shown item with this button key (a popup's before a bar's), or
// with "" near the bottom right corner of the window that has the keyboard (outside every menu).
Step ClickOn(const std::string& buttonKey);
// A right click near the top left corner of the window that has the keyboard (where a context menu
// it opens does not reach the corner ClickOn("") clicks).
Step RightClickIn();
// Anything else the test does at this point (a context menu shown, a bar changed, ...).
Step Call(std::function<void()> f);

class MenuSequence {
 public:
  // Keys are typed into `keyboardWindow`, the window with the keyboard (an editor).
  explicit MenuSequence(win::HWND keyboardWindow);
  ~MenuSequence();
  MenuSequence(const MenuSequence&) = delete;
  MenuSequence& operator=(const MenuSequence&) = delete;

  void Run(const std::vector<Step>& steps);
  // What happened so far.
  const std::vector<std::string>& Seen() const { return seen_; }

  // The host's handlers: an event (noted after what changed before it), and a key that reached the
  // keyboard window.
  void Note(const std::string& what);
  void KeyReached(bool up);
  void MouseReached();

 private:
  struct State {
    bool menuMode = false;
    std::vector<std::string> popups;  // bar keys of the shown popups
    std::string hot;                  // button key of the menu-mode control's hot item
  };
  static State Look();
  void NoteChanges();
  void RunStep(const Step& s);
  void Key(const Step& s, bool press);
  void ClickOutside(int button);
  int Modifiers() const;

  win::HWND keyboardWindow_;
  State last_;
  std::vector<std::string> seen_;
  std::vector<std::string> held_;  // keys held as modifiers
  int group_ = 0;
  bool reached_ = false;
  bool mouseReached_ = false;
};

}  // namespace commandbars::testing
