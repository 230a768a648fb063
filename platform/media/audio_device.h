// Inside the layer only: the audio device the player thread plays through, which lives in the
// program's sound module (program_module.h), loaded when the first sound is played: a start that
// plays none loads no part of Qt Multimedia, the sound server's client or the codecs they bring.
#pragma once

#include "platform/layer_only.h"

#include <functional>
#include <memory>

#include "platform/media/wave_file.h"

class QIODevice;

namespace platform::detail {

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // Starts playing `samples` (kept open by the caller until Stop) in `format` on the default audio
  // output, and calls `ended` on this thread, from its event loop, once they have played or the
  // device failed. False when there is no audio output.
  virtual bool Start(const media::WaveFormat& format, QIODevice& samples, std::function<void()> ended) = 0;
  // Stops the sound and lets the device go (which may wait on the sound server).
  virtual void Stop() = 0;
};

// A new audio device, for the calling thread; null when the sound module cannot be loaded.
std::unique_ptr<AudioDevice> OpenAudioDevice();

// The sound module's entry: `extern "C" AudioDevice* QuillmarkNewAudioDevice()`.
inline constexpr char kSoundModule[] = "quillmark-sound.so";
inline constexpr char kSoundModuleEntry[] = "QuillmarkNewAudioDevice";

}  // namespace platform::detail
