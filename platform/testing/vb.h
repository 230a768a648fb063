// Hooks for tests of windows: a modal form runs a nested event loop until it is hidden or
// unloaded, so a test queues what is to happen inside it. While modal dialogs are scripted, a form
// shown modally with no queued action fails the test (through the script's unscripted handler) and
// is hidden at once, so nothing waits for a person.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/gdi/types.h"

namespace vb::testing {

// Runs the action inside the next modal Show, once the form is shown.
void QueueModalAction(std::function<void()> action);
std::size_t PendingModalActions();

// Writes a picture of the window as it paints itself (with its children) to a PNG file; false when
// the window does not exist or the file cannot be written.
bool SaveWindowPicture(win::HWND h, const std::u16string& path);
// The pixel at (x, y) of that picture as a COLORREF, or CLR_INVALID.
win::COLORREF WindowPicturePixel(win::HWND h, int x, int y);

// Puts text on the clipboard as another program does, line breaks as given.
void SetForeignClipboardText(std::u16string_view text);

}  // namespace vb::testing
