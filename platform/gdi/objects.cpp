#include "platform/gdi/objects.h"
#include "platform/vb/printer_device.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/gdi/gdi.h"
#include "platform/gdi/testing.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::gdi {
namespace {

struct Table {
  std::unordered_map<win::HANDLE, Object> objects;
  std::unordered_set<win::HANDLE> stock;
  win::HANDLE next = 0x10000;
};

Table& table() {
  static Table t;
  return t;
}

struct Display {
  int bits = 32;
  int dpi = 96;
};

Display& display() {
  static Display d;
  return d;
}

// Windows whose WM_PAINT is being handled between BeginPaint and EndPaint.
std::unordered_set<win::HWND>& painting() {
  static std::unordered_set<win::HWND> s;
  return s;
}

win::HBITMAP StockMonoBitmap() {
  static const win::HBITMAP h = [] {
    Bitmap b;
    b.image = QImage(1, 1, QImage::Format_ARGB32);
    b.image.fill(0);
    b.mono = true;
    return Add(std::move(b), true);
  }();
  return h;
}

win::HANDLE NewDC(DcKind kind, win::HWND hwnd) {
  DC dc;
  dc.kind = kind;
  dc.hwnd = hwnd;
  dc.pen = win::GetStockObject(win::BLACK_PEN);
  dc.brush = win::GetStockObject(win::WHITE_BRUSH);
  dc.font = win::GetStockObject(win::SYSTEM_FONT);
  if (kind == DcKind::Memory) dc.bitmap = StockMonoBitmap();
  return Add(std::move(dc));
}

int Luma3(std::uint32_t p) { return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)); }

int StrideBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

}  // namespace

bool IconImage::hasAlpha() const {
  return std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
}

IconImage IconImage::scaled(int w, int h) const {
  if (w == width && h == height) return *this;
  IconImage out;
  out.width = w;
  out.height = h;
  out.colour.resize(static_cast<size_t>(w) * h);
  out.mask.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = static_cast<int>(static_cast<long long>(x) * width / w);
      const int sy = static_cast<int>(static_cast<long long>(y) * height / h);
      out.colour[static_cast<size_t>(y) * w + x] = at(sx, sy);
      out.mask[static_cast<size_t>(y) * w + x] = clear(sx, sy) ? 1 : 0;
    }
  return out;
}

template <typename T>
T* Get(win::HANDLE h) {
  auto& o = table().objects;
  auto it = o.find(h);
  if (it == o.end()) return nullptr;
  return std::get_if<T>(&it->second);
}
template Bitmap* Get<Bitmap>(win::HANDLE);
template Pen* Get<Pen>(win::HANDLE);
template Brush* Get<Brush>(win::HANDLE);
template Font* Get<Font>(win::HANDLE);
template Region* Get<Region>(win::HANDLE);
template Icon* Get<Icon>(win::HANDLE);
template ImageList* Get<ImageList>(win::HANDLE);
template DC* Get<DC>(win::HANDLE);

win::HANDLE Add(Object obj, bool stock) {
  Table& t = table();
  const win::HANDLE h = t.next++;
  t.objects.emplace(h, std::move(obj));
  if (stock) t.stock.insert(h);
  return h;
}

bool IsStock(win::HANDLE h) { return table().stock.count(h) != 0; }

bool Remove(win::HANDLE h) {
  if (IsStock(h)) return false;
  return table().objects.erase(h) != 0;
}

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
  if (dc.kind != DcKind::Window || painting().count(dc.hwnd) != 0) return;
  const detail::WindowRecord* r = detail::FindRecord(dc.hwnd);
  if (r != nullptr && !r->painting) ShowSurface(dc.hwnd);
}

QFont DefaultFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

win::HBITMAP BitmapFromImage(const QImage& image) {
  Bitmap b;
  b.image = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < b.image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(b.image.scanLine(y));
    for (int x = 0; x < b.image.width(); ++x) row[x] &= 0x00FFFFFFu;
  }
  return Add(std::move(b));
}

QImage ImageOfHandle(win::HANDLE h) {
  if (const Bitmap* b = Get<Bitmap>(h)) {
    // The fourth byte is not alpha here: the picture is opaque.
    QImage out(b->image.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
      const auto* src = reinterpret_cast<const std::uint32_t*>(b->image.constScanLine(b->bottomUp ? out.height() - 1 - y : y));
      auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
      for (int x = 0; x < out.width(); ++x) dst[x] = src[x] | 0xFF000000u;
    }
    return out;
  }
  const Icon* icon = Get<Icon>(h);
  if (icon == nullptr) return QImage();
  const IconImage& img = icon->image;
  const bool alpha = img.hasAlpha();
  QImage out(img.width, img.height, QImage::Format_ARGB32);
  for (int y = 0; y < img.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < img.width; ++x)
      row[x] = alpha ? img.at(x, y) : img.clear(x, y) ? 0u : (img.at(x, y) | 0xFF000000u);
  }
  return out;
}

}  // namespace platform::gdi

namespace platform::testing {

void SetDisplayBitsPerPixel(int bits) { gdi::display().bits = bits; }
void SetLogPixels(int dpi) { gdi::display().dpi = dpi; }

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

}  // namespace platform::testing

namespace win {

using namespace platform::gdi;

HDC CreateDC(std::string_view driver, std::string_view, std::string_view, const void*) {
  std::string d(driver);
  std::transform(d.begin(), d.end(), d.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (d != "DISPLAY") return 0;
  return NewDC(DcKind::Display, 0);
}

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != 0 && Get<DC>(hdc) == nullptr) return 0;
  return NewDC(DcKind::Memory, 0);
}

BOOL DeleteDC(HDC hdc) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return FALSE;
  if (Bitmap* b = Get<Bitmap>(dc->bitmap); b != nullptr && !IsStock(dc->bitmap)) --b->selections;
  if (dc->kind == DcKind::Window) {
    if (dc->paint) painting().erase(dc->hwnd);
    Drawn(*dc);
  }
  Remove(hdc);
  return TRUE;
}

HWND GetDesktopWindow() { return 0; }

HDC GetDC(HWND h) {
  if (h == 0) return NewDC(DcKind::Display, 0);
  if (!IsWindow(h)) return 0;
  return NewDC(DcKind::Window, h);
}

int ReleaseDC(HWND, HDC hdc) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || dc->kind == DcKind::Memory) return 0;
  DeleteDC(hdc);
  return 1;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
  if (!IsWindow(h) || ps == nullptr) return 0;
  const HDC hdc = NewDC(DcKind::Window, h);
  Get<DC>(hdc)->paint = true;
  painting().insert(h);
  ps->hdc = hdc;
  ps->fErase = FALSE;
  GetClientRect(h, &ps->rcPaint);
  return hdc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (ps == nullptr) return FALSE;
  painting().erase(h);
  DC* dc = Get<DC>(ps->hdc);
  if (dc == nullptr) return FALSE;
  dc->paint = false;
  Remove(ps->hdc);
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  // The printer's device context belongs to the printer object, which answers for it.
  if (int value = 0; platform::detail::PrinterDeviceCaps(hdc, index, &value)) return value;
  if (Get<DC>(hdc) == nullptr) return 0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case BITSPIXEL:
      return display().bits;
    case PLANES:
      return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return display().dpi;
    case HORZRES:
      return screen != nullptr ? screen->geometry().width() : 0;
    case VERTRES:
      return screen != nullptr ? screen->geometry().height() : 0;
    default:
      return 0;
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return 0;
  if (Bitmap* b = Get<Bitmap>(obj)) {
    if (dc->kind != DcKind::Memory) return 0;
    if (obj == dc->bitmap) return obj;
    if (b->selections > 0 && !IsStock(obj)) return 0;
    if (Bitmap* old = Get<Bitmap>(dc->bitmap); old != nullptr && !IsStock(dc->bitmap)) --old->selections;
    if (!IsStock(obj)) ++b->selections;
    return std::exchange(dc->bitmap, obj);
  }
  if (Get<Pen>(obj) != nullptr) return std::exchange(dc->pen, obj);
  if (Get<Brush>(obj) != nullptr) return std::exchange(dc->brush, obj);
  if (Get<Font>(obj) != nullptr) return std::exchange(dc->font, obj);
  if (Get<Region>(obj) != nullptr) return SelectClipRgn(hdc, obj);
  return 0;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (IsStock(obj)) return TRUE;
  if (Bitmap* b = Get<Bitmap>(obj); b != nullptr && b->selections > 0) return FALSE;
  if (Get<DC>(obj) != nullptr || Get<Icon>(obj) != nullptr || Get<ImageList>(obj) != nullptr) return FALSE;
  return Remove(obj) ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int index) {
  static std::unordered_map<int, HGDIOBJ> made;
  auto it = made.find(index);
  if (it != made.end()) return it->second;
  HGDIOBJ h = 0;
  switch (index) {
    case WHITE_BRUSH: h = Add(Brush{RGB(255, 255, 255), false}, true); break;
    case LTGRAY_BRUSH: h = Add(Brush{RGB(192, 192, 192), false}, true); break;
    case GRAY_BRUSH: h = Add(Brush{RGB(128, 128, 128), false}, true); break;
    case DKGRAY_BRUSH: h = Add(Brush{RGB(64, 64, 64), false}, true); break;
    case BLACK_BRUSH: h = Add(Brush{0, false}, true); break;
    case NULL_BRUSH: h = Add(Brush{0, true}, true); break;
    case WHITE_PEN: h = Add(Pen{PS_SOLID, 1, RGB(255, 255, 255)}, true); break;
    case BLACK_PEN: h = Add(Pen{PS_SOLID, 1, 0}, true); break;
    case NULL_PEN: h = Add(Pen{PS_NULL, 1, 0}, true); break;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: {
      LOGFONTA lf;
      lf.lfHeight = -11;
      lf.lfWeight = FW_NORMAL;
      lf.lfCharSet = 204;
      std::strcpy(lf.lfFaceName, "MS Sans Serif");
      h = CreateFontIndirectA(&lf);
      table().stock.insert(h);
      break;
    }
    default: return 0;
  }
  made[index] = h;
  return h;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return 0;
  switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return 0;
  }
}

DWORD GetObjectType(HGDIOBJ obj) {
  if (Get<Pen>(obj)) return OBJ_PEN;
  if (Get<Brush>(obj)) return OBJ_BRUSH;
  if (Get<Font>(obj)) return OBJ_FONT;
  if (Get<Bitmap>(obj)) return OBJ_BITMAP;
  if (Get<Region>(obj)) return OBJ_REGION;
  if (DC* dc = Get<DC>(obj)) return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
  return 0;
}

int GetObjectA(HGDIOBJ obj, int size, void* out) {
  if (Bitmap* b = Get<Bitmap>(obj)) {
    if (out == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm;
    bm.bmWidth = b->image.width();
    bm.bmHeight = b->image.height();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = b->mono ? 1 : 32;
    bm.bmWidthBytes = b->mono ? ((bm.bmWidth + 15) / 16) * 2 : bm.bmWidth * 4;
    bm.bmBits = b->dibSection ? b->image.bits() : nullptr;
    std::memcpy(out, &bm, sizeof bm);
    return sizeof(BITMAP);
  }
  if (Font* f = Get<Font>(obj)) {
    if (out == nullptr) return sizeof(LOGFONTA);
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    std::memcpy(out, &f->lf, sizeof(LOGFONTA));
    return sizeof(LOGFONTA);
  }
  return 0;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  return Add(Pen{style, std::max(1, width), colour & 0xFFFFFF});
}

HBRUSH CreateSolidBrush(COLORREF colour) { return Add(Brush{colour & 0xFFFFFF, false}); }

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return Add(Region{RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)}});
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return 0;
  if (rgn == 0) {
    dc->clip.reset();
    return 2;
  }
  Region* r = Get<Region>(rgn);
  if (r == nullptr) return 0;
  dc->clip = r->rect;
  return r->rect.left < r->rect.right && r->rect.top < r->rect.bottom ? 2 : 1;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return 0;
  RECT r{left + dc->org.x, top + dc->org.y, right + dc->org.x, bottom + dc->org.y};
  if (dc->clip) {
    r.left = std::max(r.left, dc->clip->left);
    r.top = std::max(r.top, dc->clip->top);
    r.right = std::min(r.right, dc->clip->right);
    r.bottom = std::min(r.bottom, dc->clip->bottom);
  }
  dc->clip = r;
  return r.left < r.right && r.top < r.bottom ? 2 : 1;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? std::exchange(dc->text, colour & 0xFFFFFF) : CLR_INVALID;
}
COLORREF GetTextColor(HDC hdc) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? dc->text : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF colour) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? std::exchange(dc->bk, colour & 0xFFFFFF) : CLR_INVALID;
}
COLORREF GetBkColor(HDC hdc) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? dc->bk : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->bkMode, mode);
}
int GetBkMode(HDC hdc) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? dc->bkMode : 0;
}
UINT SetTextAlign(HDC hdc, UINT align) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? std::exchange(dc->align, align) : 0xFFFFFFFF;
}
UINT GetTextAlign(HDC hdc) {
  DC* dc = Get<DC>(hdc);
  return dc != nullptr ? dc->align : 0xFFFFFFFF;
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return FALSE;
  if (old != nullptr) *old = dc->org;
  dc->org = POINT{x, y};
  return TRUE;
}
BOOL GetViewportOrgEx(HDC hdc, POINT* org) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || org == nullptr) return FALSE;
  *org = dc->org;
  return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || width <= 0 || height <= 0) return 0;
  Bitmap b;
  if (dc->kind == DcKind::Memory) {
    Bitmap* current = Get<Bitmap>(dc->bitmap);
    b.mono = current != nullptr && current->mono;
  }
  b.image = QImage(width, height, QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  return Add(std::move(b));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return 0;
  Bitmap b;
  b.mono = bitsPerPixel == 1;
  b.image = QImage(width, height, QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  if (bits != nullptr) {
    const auto* in = static_cast<const BYTE*>(bits);
    const int stride = b.mono ? ((width + 15) / 16) * 2 : width * 4;
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(b.image.scanLine(y));
      const BYTE* src = in + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        if (b.mono) {
          row[x] = (src[x / 8] & (0x80 >> (x % 8))) != 0 ? 0x00FFFFFFu : 0u;
        } else {
          std::memcpy(&row[x], src + x * 4, 4);
        }
      }
    }
  }
  return Add(std::move(b));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
    return 0;
  Bitmap b;
  b.dibSection = true;
  b.bottomUp = h.biHeight > 0;
  b.image = QImage(h.biWidth, h.biHeight > 0 ? h.biHeight : -static_cast<long long>(h.biHeight),
                   QImage::Format_ARGB32);
  if (b.image.isNull()) return 0;
  b.image.fill(0);
  const HBITMAP handle = Add(std::move(b));
  if (bits != nullptr) *bits = Get<Bitmap>(handle)->image.bits();
  return handle;
}

int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
  Bitmap* b = Get<Bitmap>(bmp);
  if (b == nullptr || info == nullptr || Get<DC>(hdc) == nullptr) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  const int w = b->image.width();
  const int height = b->image.height();
  if (bits == nullptr) {
    h.biWidth = w;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = b->mono ? 1 : 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(StrideBytes(w, h.biBitCount) * height);
    return height;
  }
  const int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biWidth != w || h.biCompression != BI_RGB) return 0;
  const bool bottomUp = h.biHeight > 0;
  const int stride = StrideBytes(w, bpp);
  if (bpp == 1) {
    info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    info->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
  }
  Canvas c = CanvasOf(*b);
  auto* out = static_cast<BYTE*>(bits);
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    const int line = static_cast<int>(start + i);  // counted in the caller's row order
    if (line >= height) break;
    const int y = bottomUp ? height - 1 - line : line;
    const std::uint32_t* row = c.row(y);
    BYTE* dst = out + static_cast<size_t>(i) * stride;
    std::memset(dst, 0, static_cast<size_t>(stride));
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = row[x];
      if (bpp == 32) {
        std::memcpy(dst + x * 4, &p, 4);
      } else if (bpp == 24) {
        dst[x * 3] = static_cast<BYTE>(p);
        dst[x * 3 + 1] = static_cast<BYTE>(p >> 8);
        dst[x * 3 + 2] = static_cast<BYTE>(p >> 16);
      } else if (Luma3(p) >= 384) {
        dst[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
    ++done;
  }
  return done;
}

int SetDIBits(HDC, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT) {
  Bitmap* b = Get<Bitmap>(bmp);
  if (b == nullptr || info == nullptr || bits == nullptr) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int bpp = h.biBitCount;
  const int w = b->image.width();
  const int height = b->image.height();
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biWidth != w || h.biCompression != BI_RGB) return 0;
  const bool bottomUp = h.biHeight > 0;
  const int stride = StrideBytes(w, bpp);
  Canvas c = CanvasOf(*b);
  const auto* in = static_cast<const BYTE*>(bits);
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    const int line = static_cast<int>(start + i);
    if (line >= height) break;
    const int y = bottomUp ? height - 1 - line : line;
    std::uint32_t* row = c.row(y);
    const BYTE* src = in + static_cast<size_t>(i) * stride;
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = 0;
      if (bpp == 32) {
        std::memcpy(&p, src + x * 4, 4);
      } else if (bpp == 24) {
        p = src[x * 3] | (src[x * 3 + 1] << 8) | (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16);
      } else {
        const RGBQUAD& q = info->bmiColors[(src[x / 8] & (0x80 >> (x % 8))) != 0 ? 1 : 0];
        p = q.rgbBlue | (q.rgbGreen << 8) | (static_cast<std::uint32_t>(q.rgbRed) << 16);
      }
      row[x] = b->mono ? (Luma3(p) >= 384 ? 0x00FFFFFFu : 0u) : p;
    }
    ++done;
  }
  return done;
}

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
