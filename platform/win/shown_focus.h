// Keeps the keyboard with the windows that are shown, as the platform the program was written for
// does: when the active window hides, the window that was active before it becomes active again.
// On X11 a window that is shown and hidden again quickly (a progress window of a short run) may
// still be handed the focus by the window manager after it has gone; Qt would then give every key
// the user types to a window nobody sees. Such a hand-over is passed on to the newest shown window.
// And a window the window manager gave the keyboard while a modal window still blocked it becomes
// active once the modal window has gone.
// Window managers hand the keyboard on neither from nor to a window typed as having no minimise or
// maximise button (ShowWithoutMinMaxButtons): such a window hidden while it has the keyboard, or
// one hidden so over such a window, gives it, from the X server, to the window active before it,
// as this desktop's message boxes do.
#pragma once

class QWindow;

namespace platform::detail {

// Installs the watch on the running application (once; on X11 only).
void KeepFocusOnShownWindows();

// The window activated in place of `gone` (hidden, or hiding): the newest one in the order windows
// were last active that is shown and is not a popup or tool tip; nullptr when there is none.
QWindow* SuccessorOf(const QWindow* gone);

// Notes that `w` became the focus window (what the watch does on every change).
void NoteFocusWindow(QWindow* w);

}  // namespace platform::detail
