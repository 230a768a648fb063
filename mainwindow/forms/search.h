// The search the find and replace windows share. Each window's search button carries its state in
// its caption: "Найти" (fresh) makes the next press search from the start of the text, any other
// caption (the windows only ever set "Найти далее") makes it go on from the end of the editor's
// selection. A search runs to the end of the text and never wraps round; a match is selected in
// the main window's editor, which then gets the focus, and the main menu's Find Next item is enabled
// at a match and disabled at a miss.
//
// An empty search text is never searched: the user is told to give one, and nothing else happens.
#pragma once

#include <string>
#include <string_view>

namespace vb {
class CheckBox;
class ComboBox;
class CommandButton;
class Form;
}  // namespace vb

namespace search {

inline constexpr char16_t kFresh[] = u"Найти";
inline constexpr char16_t kContinuing[] = u"Найти далее";
// The end of a search of the windows and of Find Next.
inline constexpr char16_t kSearchEnded[] = u"Поиск завершен!";
// What an empty search text is refused with.
inline constexpr char16_t kNoSearchText[] = u"Не задан текст для поиска!";

// What both windows do as they load: centred over the main window, kept on top as the preference
// says, the load sound, and the editor's selection of the moment (an empty one too) added to the
// search list and shown in its box.
void LoadWindow(vb::Form& window, vb::ComboBox& cboFind);

// The editor's Find options from the windows' two check boxes: 2 whole word, 4 match case.
int Options(vb::CheckBox& wholeWord, vb::CheckBox& matchCase);

// True when `text` may be searched; an empty text is refused with an information box.
bool Accepts(std::u16string_view text);

// Enables or disables the main menu's "MENU:FIND:FINDNEXT".
void FindNextEnabled(bool enabled);

enum class Outcome {
  Refused,          // an empty search text: nothing searched, nothing changed
  FoundFromStart,   // the caption is now "Найти далее"
  FoundOnward,      // the caption stays
  MissedFromStart,  // the caption is "Найти"; the end message was shown
  MissedOnward,     // the caption is now "Найти"; the end message was shown
};

// One press of a window's search button `cmdFind` with the text and options: searches from the
// start or on, as the caption says, and sets the caption, the Find Next item and the focus.
Outcome Press(vb::CommandButton& cmdFind, const std::u16string& text, int options);

}  // namespace search
