// Inside the layer only: what tests put in place of starting a program (platform/testing/shell.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::shell::detail {

// Gets the program, its arguments and its working folder; answers the process id, 0 when the
// program could not start.
using ProgramStarter = std::function<std::int64_t(const std::u16string& program,
                                                  const std::vector<std::u16string>& arguments,
                                                  const std::u16string& directory)>;
// Empty: programs really start.
ProgramStarter& StartHook();

}  // namespace platform::shell::detail
