#include "platform/gdi/objects.h"

#include <QImage>
#include <QString>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/win/window_record.h"

namespace platform::testing {

void SetDisplayBitsPerPixel(int bits) { gdi::DisplaySettings().bits = bits; }
void SetLogPixels(int dpi) { gdi::DisplaySettings().dpi = dpi; }

bool SaveSurfacePng(win::HDC hdc, const std::string& path) {
  auto c = gdi::CanvasOf(hdc);
  if (!c) return false;
  QImage out(c->width, c->height, QImage::Format_RGB32);
  for (int y = 0; y < c->height; ++y) {
    auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    const std::uint32_t* src = c->row(y);
    for (int x = 0; x < c->width; ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return out.save(QString::fromStdString(path), "PNG");
}

win::COLORREF SurfacePixel(win::HWND h, int x, int y) {
  detail::WindowRecord* r = detail::FindRecord(h);
  if (r == nullptr || !r->surface.valid(x, y)) return win::CLR_INVALID;
  return gdi::ToColour(reinterpret_cast<const std::uint32_t*>(r->surface.constScanLine(y))[x]);
}

int SurfaceAlpha(win::HWND h, int x, int y) {
  detail::WindowRecord* r = detail::FindRecord(h);
  if (r == nullptr || !r->surface.valid(x, y)) return -1;
  if (!r->surface.hasAlphaChannel()) return 255;
  return static_cast<int>(reinterpret_cast<const std::uint32_t*>(r->surface.constScanLine(y))[x] >> 24);
}

void SetSysColor(int index, win::COLORREF colour) { gdi::SetSysColorEntry(index, colour); }

void ResetSysColors() { gdi::ResetSysColorTable(); }

void SetTheme(bool active, std::u16string colourScheme) { gdi::SetThemeService(active, std::move(colourScheme)); }

}  // namespace platform::testing
