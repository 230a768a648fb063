// Inside the layer only: whether the desktop has a program for files of a MIME type, by the
// freedesktop.org rules for associating types with programs: the mimeapps.list files of the
// user's and the system's configuration and data folders (the current desktop's own lists first),
// and the types the installed programs' desktop entries list (through each applications folder's
// mimeinfo.cache where it has one). The rules are read again at every question, so a program
// installed meanwhile counts at once.
#pragma once

#include "platform/layer_only.h"

#include <string>

namespace platform::shell {

// True when an installed program is associated with the type and not removed from it.
bool DesktopHasProgramFor(const std::u16string& mimeType);

}  // namespace platform::shell
