#include "platform/testing/shell.h"

#include "platform/shell/start_hook.h"

namespace platform::testing {

void SetProgramStarter(platform::shell::ProgramStarter starter) {
  platform::shell::detail::StartHook() = std::move(starter);
}

}  // namespace platform::testing
