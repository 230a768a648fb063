// How the settings dialog reads a stored value into a control: the value is taken as the control
// can hold it, and a value it cannot hold (not a number, out of range, a third state) gives the
// control's default instead of an error, so a settings file edited by hand never stops the dialog.
// Numbers in the text are read strictly, by core/number_text.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stored_values {

// A check box's value from a flag ("1" ticked; "0", nothing or anything else unticked).
int FlagCheck(std::u16string_view text);
// A check box's value from a 32-bit switch (1 ticked, anything else unticked).
int SwitchCheck(int value);
// The text when it is a whole number in [low, high], else the empty text.
std::u16string WholeInRange(std::u16string_view text, int low, int high);
// The text when it is a number in [low, high], else the empty text.
std::u16string DecimalInRange(std::u16string_view text, double low, double high);
// A font size in points the editor and the sample can take (1 to 1638), or nothing.
std::optional<float> FontPoints(std::u16string_view text);

}  // namespace stored_values
