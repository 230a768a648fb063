#include "platform/vb/image.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

vb::Picture LoadPicture(const std::u16string& path) {
  if (path.empty()) return nullptr;
  QString p = Q(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!QFile::exists(p)) Raise(err::kFileNotFound);
  const std::string file = p.toStdString();
  const bool cursor = p.endsWith(QLatin1String(".cur"), Qt::CaseInsensitive);
  if (cursor || p.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive)) {
    const win::HANDLE icon = win::LoadImageA(0, file, cursor ? win::IMAGE_CURSOR : win::IMAGE_ICON, 0, 0, win::LR_LOADFROMFILE);
    if (icon != 0) return std::make_shared<StdPicture>(vbPicTypeIcon, icon);
  }
  QImage image;
  if (!image.load(p)) Raise(err::kInvalidPicture);
  return std::make_shared<StdPicture>(vbPicTypeBitmap, platform::gdi::BitmapFromImage(image));
}

namespace {
class ImageWidget : public QWidget {
 public:
  using QWidget::QWidget;
  vb::Picture picture;
  bool stretch = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture == nullptr) return;
    QPainter p(this);
    const QImage img = platform::gdi::ImageOfHandle(picture->Handle());
    if (stretch) {
      p.drawImage(rect(), img);
    } else {
      p.drawImage(0, 0, img);
    }
  }
};
}  // namespace

void Image::CreateControlWindow() {
  auto* w = new ImageWidget(ContainerWidget(*this));
  core().passiveClick = true;
  Adopt(*this, w, "ThunderImage");
}
vb::Picture Image::Picture() {
  EnsureWindow();
  return static_cast<ImageWidget&>(*core().widget).picture;
}
void Image::Picture(const vb::Picture& v) {
  EnsureWindow();
  auto& w = static_cast<ImageWidget&>(*core().widget);
  w.picture = v;
  // Without Stretch the image takes the picture's size.
  if (!w.stretch && v != nullptr) w.resize(v->WidthPixels(), v->HeightPixels());
  w.update();
}
bool Image::Stretch() {
  EnsureWindow();
  return static_cast<ImageWidget&>(*core().widget).stretch;
}
void Image::Stretch(bool v) {
  EnsureWindow();
  static_cast<ImageWidget&>(*core().widget).stretch = v;
  core().widget->update();
}

}  // namespace vb
