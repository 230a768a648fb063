#include "platform/media/sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <memory>
#include <mutex>
#include <optional>

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

QAudioFormat::SampleFormat SampleFormatOf(media::SampleKind kind) {
  switch (kind) {
    case media::SampleKind::kUnsigned8: return QAudioFormat::UInt8;
    case media::SampleKind::kSigned16: return QAudioFormat::Int16;
    case media::SampleKind::kSigned32: return QAudioFormat::Int32;
    case media::SampleKind::kFloat32: return QAudioFormat::Float;
  }
  return QAudioFormat::Unknown;
}

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
    ++generation_;
    if (sink_ != nullptr) sink_->stop();  // may wait on the sound server: this thread waits
    sink_.reset();
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
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;  // no audio device: nothing plays
    QAudioFormat format;
    format.setSampleRate(sound.format.sampleRate);
    format.setChannelCount(sound.format.channels);
    format.setSampleFormat(SampleFormatOf(sound.format.kind));
    sink_ = std::make_unique<QAudioSink>(device, format);
    const int generation = generation_;
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this, generation](QAudio::State state) {
      // At the end of its samples (or on a failure) the sound lets the device go, unless another
      // sound has taken its place meanwhile.
      if (state != QAudio::IdleState && state != QAudio::StoppedState) return;
      QMetaObject::invokeMethod(this, [this, generation] {
        if (generation == generation_) Stop();
      }, Qt::QueuedConnection);
    });
    sink_->start(samples_.get());
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
  std::unique_ptr<QAudioSink> sink_;
  int generation_ = 0;
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
