// The decorative pictures of the preference windows: icons of the program's own "Data\icons"
// folder beside the executable. A missing or unreadable icon leaves the picture empty.
#pragma once

#include <string_view>

#include "platform/vb/stdole.h"

// `relative` is the path below the program's folder, as "Data\icons\menu\Locked.ico".
vb::Picture ProgramPicture(std::u16string_view relative);
