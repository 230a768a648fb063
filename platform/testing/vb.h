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
#include "platform/testing/picture.h"
#include "platform/vb/answering_wait.h"

namespace vb::testing {

// Another program copies the text to the clipboard, line breaks as given (vb::Clipboard.HoldsOwnCopy
// is false for it).
void CopyFromAnotherProgram(const std::u16string& text);

// Runs the action inside the next modal Show, once the form is shown.
void QueueModalAction(std::function<void()> action);
std::size_t PendingModalActions();

// A picture of the window as it paints itself (with its children), in its client coordinates; an
// empty one when the window does not exist. SaveWindowPicture writes it to a PNG file (false when
// the window does not exist or the file cannot be written).
platform::testing::Picture WindowPicture(win::HWND h);
bool SaveWindowPicture(win::HWND h, const std::u16string& path);
// The pixel at (x, y) of that picture as a COLORREF, or CLR_INVALID.
win::COLORREF WindowPicturePixel(win::HWND h, int x, int y);

// Has `step` run from the event loop, once, the next time events are handled (a wait's own turn).
void RunFromEventLoop(std::function<void()> step);

// Has waits for another program (vb::WaitAnswering) measure their bound by `clock` while the object
// lives, so a test decides when the bound has passed.
class WaitClockReplacement {
 public:
  explicit WaitClockReplacement(WaitClock clock);
  ~WaitClockReplacement();
  WaitClockReplacement(const WaitClockReplacement&) = delete;
  WaitClockReplacement& operator=(const WaitClockReplacement&) = delete;

 private:
  WaitClock before_;
};

}  // namespace vb::testing
