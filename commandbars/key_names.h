// Keys as menus show and match them: the name of a shortcut key ("Del", "PgUp", "F5", "S") from a
// fixed table, whatever the keyboard layout reports, and the key that types a mnemonic letter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace commandbars {

// The shown name of a virtual key: "Ins", "Del", "Home", "End", "PgUp", "PgDn", "Left", "Up",
// "Right", "Down", "F1" to "F24", letters, digits, the keypad ("Num 5"), a few named keys and the
// punctuation keys as their character; empty for a key without a name.
std::u16string ShortcutKeyName(std::int32_t vKey);

// The virtual key of the physical key that types ch, on the Latin or the Russian layout, without
// regard to letter case ('f' and 'F' give 'F'; 'ф' and 'Ф' give 'A', the key they share); 0 when no
// key types it.
std::int32_t KeyOfCharacter(char16_t ch);

// The mnemonic letter of a caption: the character after the first single "&" ("&&" stands for a
// literal "&"); 0 when there is none.
char16_t MnemonicOf(std::u16string_view caption);

}  // namespace commandbars
