#include "platform/media/sound_player.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/media/audio_device.h"
#include "platform/win/program_module.h"

namespace platform::detail {
namespace {

// The samples of a wave file: the stretch of the file between `begin` and `begin + length`, read
// as a device of its own, so what follows them in the file is never played.
class SampleRange : public QIODevice {
 public:
  SampleRange(const QString& path, qint64 begin, qint64 length) : file_(path), begin_(begin), length_(length) {}
  bool Open() { return file_.open(QIODevice::ReadOnly) && file_.seek(begin_) && open(QIODevice::ReadOnly); }
  qint64 size() const override { return length_; }
  bool seek(qint64 pos) override { return QIODevice::seek(pos) && file_.seek(begin_ + pos); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    const qint64 n = std::min(maxSize, length_ - pos());
    if (n <= 0) return -1;
    const qint64 got = file_.read(data, n);
    return got > 0 ? got : -1;  // a file that shrank ends the sound
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QFile file_;
  qint64 begin_;
  qint64 length_;
};

// What the user-interface thread has asked for and the player not yet taken.
struct Requests {
  std::mutex mutex;
  bool waiting = false;                // a request is there (a sound, or nothing: stop)
  std::optional<SoundToPlay> sound;
  SoundOutput output;
};

Requests& requests() {
  static Requests* r = new Requests;
  return *r;
}

// Lives on the player thread; every call below runs there.
class Player : public QObject {
 public:
  void TakeRequest() {
    std::optional<SoundToPlay> sound;
    SoundOutput output;
    {
      std::lock_guard lock(requests().mutex);
      if (!requests().waiting) return;
      requests().waiting = false;
      sound = std::move(requests().sound);
      output = requests().output;
    }
    Stop();
    if (sound) Start(*sound, output);
  }

  void Stop() {
    if (device_ != nullptr) device_->Stop();
    samples_.reset();
  }

 private:
  void Start(const SoundToPlay& sound, const SoundOutput& output) {
    if (!OpenSamples(sound)) return;
    if (output) {
      output(sound, *samples_);
      samples_.reset();
      return;
    }
    // The audio device's module is loaded with the first sound.
    if (device_ == nullptr) device_ = OpenAudioDevice();
    // At the end of its samples the sound lets the device go; a sound that takes its place meanwhile
    // is not ended by it.
    if (device_ == nullptr || !device_->Start(sound.format, *samples_, [this] { Stop(); })) samples_.reset();
  }

  bool OpenSamples(const SoundToPlay& sound) {
    if (sound.file.isEmpty()) {
      auto buffer = std::make_unique<QBuffer>();
      buffer->setData(sound.samples);
      if (!buffer->open(QIODevice::ReadOnly)) return false;
      samples_ = std::move(buffer);
      return true;
    }
    auto range = std::make_unique<SampleRange>(sound.file, static_cast<qint64>(sound.offset),
                                               static_cast<qint64>(sound.length));
    if (!range->Open()) return false;
    samples_ = std::move(range);
    return true;
  }

  std::unique_ptr<QIODevice> samples_;
  std::unique_ptr<AudioDevice> device_;
};

// Whether the player thread has been started (the user-interface thread's own).
bool playerStarted = false;

// The player and its thread live as long as the process: a sound server that never answers may
// keep the thread for ever, and the program must still be able to end.
Player& player() {
  static Player* p = [] {
    playerStarted = true;
    auto* thread = new QThread;
    thread->setObjectName(QStringLiteral("qm-sound-player"));
    auto* made = new Player;
    made->moveToThread(thread);
    thread->start();
    if (QCoreApplication* app = QCoreApplication::instance()) {
      // At the end of the event loop the player lets the device go; a thread still stuck in the
      // sound server after a second is left behind rather than waited for.
      QObject::connect(app, &QCoreApplication::aboutToQuit, thread, [made, thread] {
        QMetaObject::invokeMethod(made, [made] { made->Stop(); }, Qt::QueuedConnection);
        thread->quit();
        thread->wait(QDeadlineTimer(1000));
      }, Qt::DirectConnection);
    }
    return made;
  }();
  return *p;
}

void Request(std::optional<SoundToPlay> sound) {
  bool wake = false;
  {
    std::lock_guard lock(requests().mutex);
    wake = !requests().waiting;
    requests().waiting = true;
    requests().sound = std::move(sound);
  }
  if (!wake) return;  // the request already on its way takes this one
  Player* p = &player();
  QMetaObject::invokeMethod(p, [p] { p->TakeRequest(); }, Qt::QueuedConnection);
}

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice() {
  using Entry = AudioDevice* (*)();
  const auto entry = reinterpret_cast<Entry>(ProgramModuleEntry(kSoundModule, kSoundModuleEntry));
  return std::unique_ptr<AudioDevice>(entry != nullptr ? entry() : nullptr);
}

void PlayOnPlayerThread(SoundToPlay sound) { Request(std::move(sound)); }

void StopOnPlayerThread() { Request(std::nullopt); }

void SetSoundOutput(SoundOutput output) {
  std::lock_guard lock(requests().mutex);
  requests().output = std::move(output);
}

void WaitForPlayerThread() {
  if (!playerStarted) return;  // nothing was ever handed over
  Player* p = &player();
  QMetaObject::invokeMethod(p, [] {}, Qt::BlockingQueuedConnection);
}

}  // namespace platform::detail
