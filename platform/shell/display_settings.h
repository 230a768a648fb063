// The desktop's display settings: there is no one program for them on this system, so the
// program of the running desktop is started when it is installed, else a desktop-neutral one.
#pragma once

namespace platform::shell {

// Tries, in order, the display settings programs of the desktop named in XDG_CURRENT_DESKTOP
// (GNOME "gnome-control-center display", KDE "kcmshell5 kcm_kscreen", Xfce
// "xfce4-display-settings", MATE "mate-display-properties", Cinnamon "cinnamon-settings display",
// LXQt "lxqt-config-monitor"), then the ones that work on any desktop ("lxrandr", "arandr"), and
// starts the first that is installed. A desktop's own program is never tried on another desktop,
// where it may refuse to run. False when none started.
bool StartDisplaySettings();

}  // namespace platform::shell
