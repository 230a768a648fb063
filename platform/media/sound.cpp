#include "platform/media/sound.h"

#include <QString>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/media/sound_player.h"
#include "platform/media/wave_file.h"
#include "platform/vb/file_system.h"

namespace {

// The file of the sound last handed to the player; "(memory)" for a sound played from memory.
std::u16string& current() {
  static std::u16string c;
  return c;
}

win::BOOL Refuse() {
  current().clear();
  platform::detail::StopOnPlayerThread();
  return win::FALSE;
}

}  // namespace

namespace win {

BOOL sndPlaySoundA(std::u16string_view path, UINT) {
  QString file = QString::fromStdU16String(std::u16string(path));
  file.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (file.isEmpty()) return Refuse();
  // Folders, pipes and devices give no bytes: they are refused without waiting for a writer or
  // reading a device that never ends.
  const vb::FileStart head = vb::ReadFileStart(path, platform::media::kWaveHeadLimit);
  const auto layout = platform::media::ReadWaveLayout(head.bytes, head.size);
  if (!layout) return Refuse();
  platform::detail::PlayOnPlayerThread({layout->format, file, layout->dataOffset, layout->dataLength, {}});
  current() = std::u16string(path);
  return TRUE;
}

BOOL sndPlaySoundA(const void* sound, UINT flags) {
  if ((flags & SND_MEMORY) == 0 || sound == nullptr) return FALSE;
  const auto* bytes = static_cast<const char*>(sound);
  if (std::memcmp(bytes, "RIFF", 4) != 0) return Refuse();
  std::uint32_t length = 0;
  std::memcpy(&length, bytes + 4, 4);  // little-endian, as the file keeps it
  const std::uint64_t whole = static_cast<std::uint64_t>(length) + 8;
  const std::string_view block(bytes, static_cast<std::size_t>(whole));
  const auto layout = platform::media::ReadWaveLayout(block.substr(0, platform::media::kWaveHeadLimit), whole);
  if (!layout) return Refuse();
  // The caller may let its bytes go at once: the player gets a copy of the samples.
  QByteArray samples(bytes + layout->dataOffset, static_cast<qsizetype>(layout->dataLength));
  platform::detail::PlayOnPlayerThread({layout->format, {}, 0, layout->dataLength, std::move(samples)});
  current() = u"(memory)";
  return TRUE;
}

}  // namespace win

namespace platform::testing {

std::u16string CurrentSound() { return current(); }

}  // namespace platform::testing
