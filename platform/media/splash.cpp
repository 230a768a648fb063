#include "platform/media/splash.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScreen>

namespace platform {
namespace {

class SplashWindow : public QLabel {
 public:
  explicit SplashWindow(std::function<void()>* press)
      : QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), press_(press) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    if (*press_) (*press_)();
  }

 private:
  std::function<void()>* press_;
};

}  // namespace

struct Splash::Impl {
  QString file;
  QPointer<QLabel> window;
};

Splash::Splash() : d_(std::make_unique<Impl>()) {}

Splash::~Splash() { Stop(); }

void Splash::SetPictureFile(const std::u16string& path) {
  d_->file = QString::fromStdU16String(path);
  d_->file.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void Splash::Start() {
  if (d_->window != nullptr || d_->file.isEmpty()) return;
  // The reader looks at the content, not the name: "Splash.spl" is a PNG under another extension.
  QImageReader reader(d_->file);
  reader.setDecideFormatFromContent(true);
  const QImage picture = reader.read();
  if (picture.isNull()) return;
  auto* window = new SplashWindow(&MouseDown);
  window->setObjectName(QStringLiteral("qm-splash"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Closing the picture is no reason to end the program: the next window comes right after it.
  window->setAttribute(Qt::WA_QuitOnClose, false);
  window->setPixmap(QPixmap::fromImage(picture));
  window->setFixedSize(picture.size());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(picture.width() / 2, picture.height() / 2));
  }
  window->show();
  d_->window = window;
}

void Splash::Stop() {
  if (d_->window == nullptr) return;
  d_->window->close();
  d_->window = nullptr;
}

bool Splash::Showing() const { return d_->window != nullptr && d_->window->isVisible(); }

}  // namespace platform
