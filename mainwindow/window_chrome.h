// The chrome every window of the editor carries: keep-on-top from the "TopMost" preference, read at
// the window's load, and the five interface sounds, each played only when its flag is "1" and read
// afresh at every event, so a change in the settings is heard at the very next event.
#pragma once

#include <string_view>

#include "platform/win/types.h"

namespace vb {
class CommandButton;
}

namespace chrome {

// The sound events: the flag's value name under "Preferences\Sounds"; its file is the value of the
// same name followed by "Path".
inline constexpr std::u16string_view kButtonMouseMove = u"ButtonMouseMove";
inline constexpr std::u16string_view kButtonMouseClick = u"ButtonMouseClick";
inline constexpr std::u16string_view kFormLoad = u"FormLoad";
inline constexpr std::u16string_view kFormUnload = u"FormUnload";
inline constexpr std::u16string_view kKeyDown = u"KeyDown";

// Puts the window above all others, or takes it out of that layer; its place and size stay.
void SetTopMost(win::HWND window, bool top);
// Puts the window above all others when "TopMost" is exactly "1", else takes it out of that layer.
void ApplyTopMost(win::HWND window);
// Plays the event's file asynchronously when its flag is exactly "1"; the path is read only then.
// A missing or unplayable file plays nothing and says nothing.
void PlaySoundEvent(std::u16string_view event);
// Gives a command button its press sound (any mouse button going down) and hover sound (every
// mouse move over it). Keys that press the button play nothing.
void AddButtonSounds(vb::CommandButton& button);

}  // namespace chrome
