// Inside the layer only: the program's own modules, shared libraries beside its executable that hold
// what a start may never need: printing (Qt Print Support and the print scheduler's library, with
// the encryption and login libraries they bring) and the audio device (Qt Multimedia, the sound
// server's client and its codecs). The layer loads a module the first time it needs what it holds,
// so a start that prints nothing and plays no sound loads neither, nor what they bring.
//
// A module finds nothing of the program (the executable exports no symbols): it is given what it
// needs through the interface it implements, and its one entry returns an object of it.
#pragma once

#include "platform/layer_only.h"

namespace platform::detail {

// The address of `entry` in the module `file` beside the running executable, loaded on the first
// call and kept; null when the module or the entry cannot be found (the loader's reason goes to the
// error output, once). Any thread may ask.
void* ProgramModuleEntry(const char* file, const char* entry);

}  // namespace platform::detail
