#include "platform/media/sound.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "platform/media/sound_player.h"
#include "platform/media/wave_file.h"

namespace {

// The file of the sound last handed to the player; "(memory)" for a sound played from memory.
std::u16string& current() {
  static std::u16string c;
  return c;
}

// The first bytes of a regular file, read without ever waiting: folders, pipes and devices are
// refused on their kind before they are opened (opening a pipe waits for its writer, and a device
// such as /dev/zero never ends).
std::optional<std::string> ReadHead(const QByteArray& path, std::uint64_t& size) {
  struct stat st {};
  if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string head(platform::media::kWaveHeadLimit, '\0');
  std::size_t got = 0;
  while (got < head.size()) {
    const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (::fstat(fd, &st) != 0) st.st_size = 0;
  ::close(fd);
  head.resize(got);
  size = static_cast<std::uint64_t>(st.st_size);
  return head;
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
  const QByteArray local = QFile::encodeName(file);
  std::uint64_t size = 0;
  const auto head = ReadHead(local, size);
  if (!head) return Refuse();
  const auto layout = platform::media::ReadWaveLayout(*head, size);
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
