// Hooks for tests of the real (unscripted) file and folder dialogs.
#pragma once

#include <string>

namespace platform::testing {

// The next file or folder dialog chooses `path` and is accepted as soon as it is up; its window
// title is read into *seenTitle and the folder it started in into *seenStart. An empty path
// cancels it instead.
void ChooseInNextFileDialog(const std::u16string& path, std::u16string* seenTitle, std::u16string* seenStart);

}  // namespace platform::testing
