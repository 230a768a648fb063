// Hooks for tests of code that starts programs: nothing really starts.
#pragma once

#include "platform/shell/shell.h"

namespace platform::testing {

// Every program start goes to `starter` instead, which answers the process id (0: the program
// could not start, as for one that is not installed). An empty starter restores real starts.
void SetProgramStarter(platform::shell::ProgramStarter starter);

}  // namespace platform::testing
