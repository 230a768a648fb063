// Playing wave files. One sound plays at a time: a new one replaces the one playing. A missing,
// empty or unplayable file, or a machine without an audio device, plays nothing and reports nothing
// beyond the return value; there is never a default sound.
//
// The calling thread never waits for a sound: the file's header is checked here (a folder, a pipe,
// a device, a file that is no wave file or holds no sample is refused on the spot, without reading
// more than its first bytes), and the sound is handed to the layer's player thread, which alone
// talks to the audio device.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/types.h"

namespace win {

constexpr UINT SND_SYNC = 0x0000;
constexpr UINT SND_ASYNC = 0x0001;
constexpr UINT SND_NODEFAULT = 0x0002;
constexpr UINT SND_MEMORY = 0x0004;

// Starts the file playing and returns at once (sounds always play asynchronously here). TRUE when
// the file is a playable wave file and was handed to the player, FALSE otherwise (the sound playing
// stops then too).
BOOL sndPlaySoundA(std::u16string_view path, UINT flags);
// With SND_MEMORY: plays a whole wave file held in memory (its RIFF header gives its length); the
// bytes are copied, so the caller may let them go. FALSE without SND_MEMORY, for null or a block
// that is not a RIFF file.
BOOL sndPlaySoundA(const void* sound, UINT flags);

}  // namespace win

namespace platform::testing {

// The file of the sound last handed to the player and not replaced since ("(memory)" for one
// played from memory), or "".
std::u16string CurrentSound();

}  // namespace platform::testing
