#include "platform/gdi/objects.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <string>
#include <unordered_set>

#include "platform/gdi/device_caps.h"
#include "platform/gdi/gdi.h"
#include "platform/win/window.h"

namespace platform::gdi {
namespace {

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

DeviceCapsAnswerer& foreignAnswerer() {
  static DeviceCapsAnswerer a = nullptr;
  return a;
}

}  // namespace

Display& DisplaySettings() {
  static Display d;
  return d;
}

std::unordered_set<win::HWND>& PaintingWindows() {
  static std::unordered_set<win::HWND> s;
  return s;
}

void SetDeviceCapsAnswerer(DeviceCapsAnswerer answerer) { foreignAnswerer() = answerer; }

bool ForeignDeviceCaps(win::HDC hdc, int index, int* value) {
  return foreignAnswerer() != nullptr && foreignAnswerer()(hdc, index, value);
}

}  // namespace platform::gdi

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
    if (dc->paint) PaintingWindows().erase(dc->hwnd);
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
  PaintingWindows().insert(h);
  ps->hdc = hdc;
  ps->fErase = FALSE;
  GetClientRect(h, &ps->rcPaint);
  return hdc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (ps == nullptr) return FALSE;
  PaintingWindows().erase(h);
  DC* dc = Get<DC>(ps->hdc);
  if (dc == nullptr) return FALSE;
  dc->paint = false;
  Remove(ps->hdc);
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  // The printer's device context belongs to the printer object, which answers for it.
  if (int value = 0; platform::gdi::ForeignDeviceCaps(hdc, index, &value)) return value;
  if (Get<DC>(hdc) == nullptr) return 0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case BITSPIXEL:
      return DisplaySettings().bits;
    case PLANES:
      return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return DisplaySettings().dpi;
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

}  // namespace win
