#include "platform/media/sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// The effect belongs to the application object, so it goes with it and never outlives it.
struct Player {
  QPointer<QSoundEffect> effect;
  std::u16string current;
  // A sound played from memory plays from a private copy in a file of its own.
  std::unique_ptr<QTemporaryFile> copy;
};

Player& player() {
  static Player p;
  return p;
}

}  // namespace

namespace win {

BOOL sndPlaySoundA(std::u16string_view path, UINT) {
  Player& p = player();
  if (p.effect != nullptr) {
    p.effect->stop();
    p.effect->deleteLater();
  }
  p.current.clear();
  QString file = QString::fromStdU16String(std::u16string(path));
  file.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile() || info.size() == 0) return FALSE;
  // A fresh effect for every sound: the one playing stops and goes, whatever state it is in.
  p.effect = new QSoundEffect(QCoreApplication::instance());
  p.effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
  p.effect->play();
  p.current = std::u16string(path);
  return TRUE;
}

BOOL sndPlaySoundA(const void* sound, UINT flags) {
  if ((flags & SND_MEMORY) == 0 || sound == nullptr) return FALSE;
  const auto* bytes = static_cast<const unsigned char*>(sound);
  if (std::memcmp(bytes, "RIFF", 4) != 0) return FALSE;
  std::uint32_t length = 0;
  std::memcpy(&length, bytes + 4, 4);  // little-endian, as the file keeps it
  auto copy = std::make_unique<QTemporaryFile>();
  if (!copy->open() || copy->write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(length) + 8) !=
                           static_cast<qint64>(length) + 8) {
    return FALSE;
  }
  copy->flush();
  const BOOL played = sndPlaySoundA(copy->fileName().toStdU16String(), flags & ~SND_MEMORY);
  player().copy = std::move(copy);
  return played;
}

}  // namespace win

namespace platform::testing {

std::u16string CurrentSound() { return player().current; }

}  // namespace platform::testing
