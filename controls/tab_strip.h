// The tab strips' keyboard filter, one thread keyboard hook in place while any strip has its tab
// window. While a strip's tab window has the focus, Enter and the navigation keys (Page Up, Page
// Down, End, Home and the arrows) go straight to it, before any keyboard hook the program holds for
// its accelerators, and Esc goes to the strip's own window, where its window's cancel button takes
// it as from any control. Wherever the focus is on a window that holds a strip, the page keys of a
// tabbed dialog (Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down, Ctrl+Page Up) go to that strip's tab
// window, which selects the next or previous tab. Every other key passes on.
#pragma once

class TabControl;

namespace modTabStrip {

// The strip made its tab window: the filter is in place (and takes the strip's page keys).
void Register(TabControl* strip);
// The strip's tab window got the focus: the filter serves it, and is put in front of the thread's
// other keyboard hooks.
void Activate(TabControl* strip);
// The strip's tab window goes: the filter no longer serves it, and is removed with the last strip.
void Deactivate(TabControl* strip);
// Whether the filter is in place (for tests).
bool Active();

}  // namespace modTabStrip
