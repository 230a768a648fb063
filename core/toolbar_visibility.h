// The stored toolbar layout applied to the main window's toolbar buttons, and the search and print
// commands enabled again after the user types. The core reaches the buttons by their command keys
// through the small interface below, which the main window implements over its command bars.
//
// Layout: one 32-bit switch per toolbar item under "Preferences\ToolBars\Standart" (values "00" to
// "39", the standard toolbar's items by position) and "Preferences\ToolBars\Decode" ("00" to "07",
// the conversion toolbar's); non-zero shows the item, 0 hides it. Separators are items like the
// others. Only the toolbar customisation dialog writes these values. A toolbar with none of its
// values stored (a new profile) shows every item, as the dialog's "По умолчанию" stores them; once
// one is stored, the layout is kept as it is and an absent value hides its item.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the core sets on the main window's command buttons.
class CommandButtonServices {
 public:
  virtual ~CommandButtonServices() = default;
  virtual void ButtonVisible(std::u16string_view key, bool visible) = 0;
  virtual void ButtonEnabled(std::u16string_view key, bool enabled) = 0;
  // The conversion toolbar's direction list (cmbDecode), shown and hidden with the item hosting it.
  virtual void DirectionListVisible(bool visible) = 0;
};

namespace modGeneral {

// The toolbar items by position: 40 of "TOOLBAR", 8 of "TOOLBAR2".
std::span<const std::u16string_view> StandardToolbarKeys();
std::span<const std::u16string_view> DecodeToolbarKeys();
// The value name of a position: "00", "01", ... "39".
std::u16string ToolbarValueName(int position);

// Whether each of a toolbar's `count` items is shown, by the layout stored under `key`.
std::vector<bool> StoredToolbarLayout(std::u16string_view key, int count);

// Shows or hides every item of both toolbars from its stored switch, the standard toolbar first;
// the direction list follows the conversion toolbar's item "01".
void LoadToolBarButtonsVisibility(CommandButtonServices& buttons);

}  // namespace modGeneral

namespace modDocument {

// After a key press in the editor: Find, Replace, Go to and Print enabled, Find Next disabled.
void EnableSearchCommands(CommandButtonServices& buttons);

}  // namespace modDocument
