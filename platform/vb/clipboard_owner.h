// Inside the layer only: where no window system tells who owns the clipboard (tests without an X
// server), the copy just made stands for one made by another program until the content changes
// again.
#pragma once

#include "platform/layer_only.h"

namespace platform::detail {

void NoteAnotherProgramsCopy();

}  // namespace platform::detail
