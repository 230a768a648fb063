#include "platform/gdi/objects.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "platform/gdi/gdi.h"

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

}  // namespace

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

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

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

}  // namespace win
