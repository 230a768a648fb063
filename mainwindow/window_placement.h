// Where windows open: the main window's small modeless windows (find, replace, go to line) centred
// over the main window, so they come up beside the text they work on; the windows that show before
// or without it in the middle of the screen, where it starts. Never in a corner of the screen.
#pragma once

namespace vb {
class Form;
}

namespace mainwindow {

// Moves `window` (keeping its size) so that its centre is the centre of `owner`.
void CentreOver(vb::Form& window, vb::Form& owner);
// Gives `window` the size `width` x `height` (twips) in the middle of the screen.
void CentreOnScreen(vb::Form& window, float width, float height);

}  // namespace mainwindow
