// Inside the layer only: the thread of the layer's own that plays the program's sounds. The
// user-interface thread only hands a checked sound over and returns at once; opening the audio
// device, feeding it and letting it go (which can wait on the sound server for as long as it likes)
// all happen on the player thread. Requests that arrive while the thread is busy replace one
// another: only the newest is played, as a new sound replaces the one playing anyway.
#pragma once

#include "platform/layer_only.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

#include "platform/media/wave_file.h"

class QIODevice;

namespace platform::detail {

// A sound found playable: its samples lie in `file` (offset and length from the wave layout) or,
// for a sound played from memory, in `samples`.
struct SoundToPlay {
  media::WaveFormat format;
  QString file;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  QByteArray samples;
};

// The player stops the sound playing and starts this one.
void PlayOnPlayerThread(SoundToPlay sound);
// The player stops the sound playing.
void StopOnPlayerThread();

// What the player does with a sound instead of handing it to the audio device (tests): it gets the
// sound and its samples open for reading. An empty output restores the audio device.
using SoundOutput = std::function<void(const SoundToPlay& sound, QIODevice& samples)>;
void SetSoundOutput(SoundOutput output);
// Returns once the player thread has taken every sound handed to it so far (at once, and without
// starting it, when no sound was ever handed over).
void WaitForPlayerThread();

}  // namespace platform::detail
