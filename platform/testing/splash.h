// Hooks for tests of the splash component.
#pragma once

#include <string>

namespace platform::testing {

// Writes what the splash window on the screen shows to a PNG file; false when none is shown.
bool SaveSplashPicture(const std::u16string& path);
// The user presses the left mouse button on the splash picture; false when none is shown.
bool PressOnSplash();

}  // namespace platform::testing
