// Windows destroyed from outside the program: another client of the X server (the window manager,
// a tool such as `xdotool windowclose`) may destroy a top-level window the program still shows.
// The program hears of it as its close box: the window is asked to close (a form runs its
// QueryUnload and Unload with the close box's mode, a message box or dialog of the toolkit is
// cancelled), so a modal loop waiting on it ends as a Cancel. A window that stays (one without Close
// in its window menu, such as the program lock, or a form that refuses to close) is made anew on the
// screen, so nothing the program still shows is lost and nothing it guards is opened.
#pragma once

namespace platform::detail {

// Installs the watch on the running application (once; on X11 only).
void WatchWindowsDestroyedFromOutside();

}  // namespace platform::detail
