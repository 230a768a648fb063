// Inside the layer only: where no window system tells who owns the clipboard (tests without an X
// server), the copy just made stands for one made by another program until the content changes
// again.
#pragma once

namespace platform::detail {

void NoteAnotherProgramsCopy();

}  // namespace platform::detail
