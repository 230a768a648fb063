// The folders that belong to the user running the program, as the desktop's base-directory rules
// name them: where its settings live and where it keeps state of its own between runs. Each is
// read from the environment as it is at the call; a relative or empty variable counts as unset.
#pragma once

#include <string>

namespace vb {

// "${XDG_CONFIG_HOME:-$HOME/.config}/quillmark" (HOME taken from the user database when unset).
std::string UserConfigFolder();
// "${XDG_STATE_HOME:-$HOME/.local/state}/quillmark".
std::string UserStateFolder();
// Makes `folder` and any missing folders above it, readable by their owner only; false when it
// cannot be made (errno tells why).
bool MakeOwnFolder(const std::string& folder);

}  // namespace vb
