#include "platform/testing/media.h"

#include <QIODevice>
#include <mutex>

#include "platform/media/sound_player.h"

namespace platform::testing {
namespace {

std::mutex recordedMutex;
std::vector<PlayedSound> recorded;

}  // namespace

RecordedSounds::RecordedSounds() {
  detail::WaitForPlayerThread();  // what was handed over before is the device's
  detail::SetSoundOutput([](const detail::SoundToPlay& sound, QIODevice& samples) {
    PlayedSound played{sound.file.toStdU16String(), sound.format.channels, sound.format.sampleRate,
                       sound.format.bytesPerFrame, 0};
    char buffer[1 << 16];
    for (qint64 n; (n = samples.read(buffer, sizeof buffer)) > 0;) played.bytes += static_cast<std::uint64_t>(n);
    std::lock_guard lock(recordedMutex);
    recorded.push_back(std::move(played));
  });
}

RecordedSounds::~RecordedSounds() {
  detail::WaitForPlayerThread();
  detail::SetSoundOutput(nullptr);
  std::lock_guard lock(recordedMutex);
  recorded.clear();
}

std::vector<PlayedSound> RecordedSounds::Take() {
  detail::WaitForPlayerThread();
  std::lock_guard lock(recordedMutex);
  return std::exchange(recorded, {});
}

void WaitForSoundPlayer() { detail::WaitForPlayerThread(); }

}  // namespace platform::testing
