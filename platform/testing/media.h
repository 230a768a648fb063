// Hooks for tests of the sound player: the audio device replaced by a recorder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::testing {

// A sound as the player thread would have handed it to the audio device.
struct PlayedSound {
  std::u16string file;  // the wave file; empty for a sound played from memory
  int channels = 0;
  int sampleRate = 0;
  int bytesPerFrame = 0;
  std::uint64_t bytes = 0;  // the samples read, to their end
};

// While it lives, the player records the sounds it starts instead of playing them; the audio
// device comes back when it goes.
class RecordedSounds {
 public:
  RecordedSounds();
  ~RecordedSounds();
  RecordedSounds(const RecordedSounds&) = delete;
  RecordedSounds& operator=(const RecordedSounds&) = delete;
  // Waits until the player has taken every sound handed to it, then gives the sounds it started
  // since the last call, in order.
  std::vector<PlayedSound> Take();
};

// Returns once the player thread has taken every sound handed to it so far: it has started them,
// and with that it has read the environment (the sound server's address) it reads to play them.
void WaitForSoundPlayer();

}  // namespace platform::testing
