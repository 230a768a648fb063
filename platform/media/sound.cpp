#include "platform/media/sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

// The effect belongs to the application object, so it goes with it and never outlives it.
struct Player {
  QPointer<QSoundEffect> effect;
  std::u16string current;
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

}  // namespace win

namespace platform::testing {

std::u16string CurrentSound() { return player().current; }

}  // namespace platform::testing
