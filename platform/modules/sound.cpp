// The program's sound module (quillmark-sound.so): the audio device over Qt Multimedia. Loaded by
// the layer when the first sound plays (platform/media/audio_device.h); it uses nothing of the
// program but that header's types.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QObject>
#include <memory>

#include "platform/media/audio_device.h"

namespace platform::detail {
namespace {

QAudioFormat::SampleFormat SampleFormatOf(media::SampleKind kind) {
  switch (kind) {
    case media::SampleKind::kUnsigned8: return QAudioFormat::UInt8;
    case media::SampleKind::kSigned16: return QAudioFormat::Int16;
    case media::SampleKind::kSigned32: return QAudioFormat::Int32;
    case media::SampleKind::kFloat32: return QAudioFormat::Float;
  }
  return QAudioFormat::Unknown;
}

class QtAudioDevice : public AudioDevice, public QObject {
 public:
  bool Start(const media::WaveFormat& wave, QIODevice& samples, std::function<void()> ended) override {
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(SampleFormatOf(wave.kind));
    sink_ = std::make_unique<QAudioSink>(device, format);
    const int generation = generation_;
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this, generation, ended](QAudio::State state) {
      // At the end of its samples (or on a failure) the sound is over, unless another took its place.
      if (state != QAudio::IdleState && state != QAudio::StoppedState) return;
      QMetaObject::invokeMethod(this, [this, generation, ended] {
        if (generation == generation_) ended();
      }, Qt::QueuedConnection);
    });
    sink_->start(&samples);
    return true;
  }

  void Stop() override {
    ++generation_;
    if (sink_ != nullptr) sink_->stop();  // may wait on the sound server: this thread waits
    sink_.reset();
  }

 private:
  std::unique_ptr<QAudioSink> sink_;
  int generation_ = 0;
};

}  // namespace
}  // namespace platform::detail

extern "C" __attribute__((visibility("default"))) platform::detail::AudioDevice* QuillmarkNewAudioDevice() {
  return new platform::detail::QtAudioDevice;
}
