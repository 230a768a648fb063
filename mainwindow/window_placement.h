// Where windows open: every window that belongs to the main window (find, replace, go to line,
// insert time and date, the conversion windows, printing, properties, settings, about, agreement,
// toolbar customisation) centred over the main window, so it comes up beside the text it works on;
// the windows that show before or without it in the middle of the screen, where it starts. Never in
// a corner of the screen.
#pragma once

namespace vb {
class Form;
}

namespace mainwindow {

// Moves `window` (keeping its size) so that its centre is the centre of `owner`; in the middle of
// the screen when the owner is not on the screen (not loaded, hidden or minimised). The owner is
// never loaded by it.
void CentreOver(vb::Form& window, vb::Form& owner);
// CentreOver the program's main window, or the middle of the screen when there is none.
void CentreOverMainWindow(vb::Form& window);
// Shows `window` modeless as the main window's own (when the main window is loaded): it stays above
// the main window, whatever is clicked there, and minimises and comes back with it. For the open
// progress window, which the main window (quieted while it shows) must never hide.
void ShowOwnedByMainWindow(vb::Form& window);
// Gives `window` the size `width` x `height` (twips) in the middle of the screen.
void CentreOnScreen(vb::Form& window, float width, float height);

}  // namespace mainwindow
