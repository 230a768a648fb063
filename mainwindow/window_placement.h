// Where the main window's small modeless windows (find, replace, go to line) open: centred over the
// main window, so they come up beside the text they work on rather than in a corner of the screen.
#pragma once

namespace vb {
class Form;
}

namespace mainwindow {

// Moves `window` (keeping its size) so that its centre is the centre of `owner`.
void CentreOver(vb::Form& window, vb::Form& owner);

}  // namespace mainwindow
