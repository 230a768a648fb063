#include "platform/gdi/objects.h"

#include <QWidget>

#include "platform/gdi/gdi.h"
#include "platform/win/window_record.h"

namespace win {

using namespace platform::gdi;

BOOL UpdateLayeredWindow(HWND h, HDC, const POINT* pos, const SIZE* size, HDC src, const POINT* srcPos, COLORREF,
                         const BLENDFUNCTION* blend, DWORD) {
  platform::detail::WindowRecord* r = platform::detail::FindRecord(h);
  if (r == nullptr || r->widget.isNull() || (r->exStyle & WS_EX_LAYERED) == 0) return FALSE;
  QWidget* w = r->widget.data();
  if (pos != nullptr) w->move(pos->x, pos->y);
  if (size != nullptr) w->resize(size->cx, size->cy);
  auto canvas = CanvasOf(src);
  if (!canvas) return FALSE;
  const int k = blend != nullptr ? blend->SourceConstantAlpha : 255;
  const int sx = srcPos != nullptr ? srcPos->x : 0;
  const int sy = srcPos != nullptr ? srcPos->y : 0;
  const QSize shown = size != nullptr ? QSize(size->cx, size->cy) : w->size();
  QImage out(shown, QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return FALSE;
  out.fill(0);
  for (int y = 0; y < shown.height(); ++y) {
    auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if (!canvas->contains(sx + x, sy + y)) continue;
      const std::uint32_t p = canvas->row(sy + y)[sx + x];
      std::uint32_t q = 0;
      for (int shift = 0; shift < 32; shift += 8)
        q |= Div255(((p >> shift) & 0xFF) * static_cast<std::uint32_t>(k)) << shift;
      dst[x] = q;
    }
  }
  r->surface = std::move(out);
  w->update();
  return TRUE;
}

}  // namespace win

