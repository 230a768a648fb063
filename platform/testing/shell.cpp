#include "platform/testing/shell.h"

namespace platform::testing {

void SetProgramStarter(platform::shell::detail::ProgramStarter starter) {
  platform::shell::detail::StartHook() = std::move(starter);
}

}  // namespace platform::testing
