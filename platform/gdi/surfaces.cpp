#include "platform/gdi/objects.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/win/window_record.h"

namespace platform::gdi {

std::uint32_t Canvas::pixelOf(win::COLORREF c) const {
  if (mono) return Luma3(ToPixel(c)) >= 384 ? 0x00FFFFFFu : 0u;
  return ToPixel(c, opaque ? 0xFF : 0);
}

Canvas CanvasOf(Bitmap& b) {
  Canvas c;
  c.base = reinterpret_cast<std::uint32_t*>(b.image.bits());
  c.width = b.image.width();
  c.height = b.image.height();
  c.stride = b.image.bytesPerLine() / 4;
  c.bottomUp = b.bottomUp;
  c.mono = b.mono;
  return c;
}

QImage* SurfaceOf(win::HWND h) {
  detail::WindowRecord* r = detail::FindRecord(h);
  if (r == nullptr || r->widget.isNull()) return nullptr;
  const QSize size = r->widget->contentsRect().size();  // the client area
  if (size.isEmpty()) return nullptr;
  if (r->surface.size() != size) {
    QImage fresh(size, r->surface.isNull() ? QImage::Format_RGB32 : r->surface.format());
    const QWidget* w = r->widget.data();
    fresh.fill(r->ownsWidget ? QColor(0xFF000000u | ToPixel(win::GetSysColor(win::COLOR_BTNFACE)))
                             : w->palette().color(w->backgroundRole()));
    if (!r->surface.isNull()) {
      QPainter p(&fresh);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, r->surface);
    }
    r->surface = std::move(fresh);
  }
  return &r->surface;
}

void ShowSurface(win::HWND h) {
  if (QWidget* w = detail::WidgetOf(h)) w->update();
}

std::optional<Canvas> CanvasOf(win::HDC hdc) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return std::nullopt;
  if (dc->kind == DcKind::Memory) {
    Bitmap* b = Get<Bitmap>(dc->bitmap);
    if (b == nullptr) return std::nullopt;
    return CanvasOf(*b);
  }
  if (dc->kind == DcKind::Window) {
    QImage* s = SurfaceOf(dc->hwnd);
    if (s == nullptr) return std::nullopt;
    Canvas c;
    c.base = reinterpret_cast<std::uint32_t*>(s->bits());
    c.width = s->width();
    c.height = s->height();
    c.stride = s->bytesPerLine() / 4;
    c.opaque = s->format() == QImage::Format_RGB32;
    return c;
  }
  return std::nullopt;
}

win::RECT DrawableRect(const DC& dc, const Canvas& canvas) {
  win::RECT r{0, 0, canvas.width, canvas.height};
  if (dc.clip) {
    r.left = std::max(r.left, dc.clip->left);
    r.top = std::max(r.top, dc.clip->top);
    r.right = std::min(r.right, dc.clip->right);
    r.bottom = std::min(r.bottom, dc.clip->bottom);
  }
  return r;
}

void Drawn(const DC& dc) {
  if (dc.kind != DcKind::Window || PaintingWindows().count(dc.hwnd) != 0) return;
  const detail::WindowRecord* r = detail::FindRecord(dc.hwnd);
  if (r != nullptr && !r->painting) ShowSurface(dc.hwnd);
}

}  // namespace platform::gdi
