// What the bar and button records need of the toolkit above them: a command-bar control found from
// its window, told when a bar it shows has changed, and two flags of the menu state (mnemonic cues
// shown, infrequently used items shown).
//
// The control registry and menu mode install one ToolkitLinks object; until they do (and in tests
// that install a stand-in), no control is found, keyboard cues are off and every item is shown.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/types.h"

namespace commandbars {

class cButtonInt;
class cCommandBarInt;

// The part of a command-bar control that bars and buttons call.
class IBarControl {
 public:
  virtual ~IBarControl() = default;
  // The control is busy showing a bar (or hosting an open popup).
  virtual bool InUse() const = 0;
  // A bar the control may show changed: code 1 buttons added or removed, 3 title, 4 a button's
  // appearance or size, 5 Enabled or Locked, 6 Checked. btn is the button concerned, or nullptr.
  virtual void BarChanged(cCommandBarInt& bar, std::int32_t code, cButtonInt* btn) = 0;
};

class ToolkitLinks {
 public:
  virtual ~ToolkitLinks() = default;
  // The live control registered for the window, or nullptr when the window is gone or has none.
  virtual IBarControl* ControlFromHwnd(win::HWND hWnd) = 0;
  // Menus are driven from the keyboard (a disabled item may then be highlighted).
  virtual bool KeyboardCues() = 0;
  // False while infrequently used items are hidden and the menu is not expanded.
  virtual bool ShowInfrequentlyUsed() = 0;
};

// Installs the links (nullptr removes them); the caller keeps the object alive while installed.
void SetToolkitLinks(ToolkitLinks* links);
ToolkitLinks* CurrentToolkitLinks();

// The questions the records ask, answered by the installed links or by the defaults above.
IBarControl* FindBarControl(win::HWND hWnd);
bool KeyboardCuesOn();
bool InfrequentItemsShown();

// A window's key in the toolkit's collections: its handle in decimal followed by "H" ("1234H").
std::u16string HandleKey(win::HWND hWnd);

}  // namespace commandbars
