#include "platform/testing/picture.h"

#include <QString>

#include "platform/gdi/gdi.h"
#include "platform/testing/picture_image.h"

namespace platform::testing {

namespace detail {

Picture PictureOf(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  Picture p;
  p.width = rgb.width();
  p.height = rgb.height();
  p.pixels.reserve(static_cast<std::size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < p.width; ++x) p.pixels.push_back(win::RGB(qRed(line[x]), qGreen(line[x]), qBlue(line[x])));
  }
  return p;
}

}  // namespace detail

bool SavePicture(const Picture& picture, const std::u16string& path) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const win::COLORREF c = picture.at(x, y);
      image.setPixel(x, y, qRgb(win::GetRValue(c), win::GetGValue(c), win::GetBValue(c)));
    }
  return !image.isNull() && image.save(QString::fromStdU16String(path), "PNG");
}

}  // namespace platform::testing
