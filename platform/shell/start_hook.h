// Inside the layer only: where StartProgram finds what tests put in place of starting a program
// (platform/testing/shell.h).
#pragma once

#include "platform/layer_only.h"

#include "platform/shell/shell.h"

namespace platform::shell::detail {

// Empty: programs really start.
ProgramStarter& StartHook();

}  // namespace platform::shell::detail
