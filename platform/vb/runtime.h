// The runtime's event-loop helpers.
#pragma once

namespace vb {

// Runs every pending event and posted message, then returns.
void DoEvents();

}  // namespace vb
