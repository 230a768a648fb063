// The tab strips' keyboard filter: while a tab strip's tab window has the focus, Enter and the
// navigation keys (Page Up, Page Down, End, Home and the arrows) go straight to it, before any
// keyboard hook the program holds for its accelerators; every other key passes on to them.
#pragma once

class TabControl;

namespace modTabStrip {

// The strip's tab window got the focus: the filter serves it, and is put in front of the thread's
// other keyboard hooks.
void Activate(TabControl* strip);
// The strip goes: the filter no longer serves it (and is removed when it served it).
void Deactivate(TabControl* strip);
// Whether the filter is in place (for tests).
bool Active();

}  // namespace modTabStrip
