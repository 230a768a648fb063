// Pixels, lines, fills, edges, copies, blends and gradients on a context's surface.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"

namespace platform::gdi {
namespace {

struct Target {
  DC* dc;
  Canvas canvas;
  win::RECT limit;  // device pixels that may be written
  bool writable(int x, int y) const {
    return x >= limit.left && x < limit.right && y >= limit.top && y < limit.bottom;
  }
  void put(int x, int y, std::uint32_t pixel) const {
    if (writable(x, y)) canvas.row(y)[x] = pixel;
  }
  // A pixel value computed for the surface: window surfaces stay opaque, monochrome ones black or white.
  std::uint32_t fit(std::uint32_t p) const {
    if (canvas.mono) return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) >= 384 ? 0x00FFFFFFu : 0u;
    return canvas.opaque ? p | 0xFF000000u : p;
  }
};

std::optional<Target> Begin(win::HDC hdc) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return std::nullopt;
  auto c = CanvasOf(hdc);
  if (!c) return std::nullopt;
  return Target{dc, *c, DrawableRect(*dc, *c)};
}

std::optional<win::COLORREF> BrushColour(win::HBRUSH brush) {
  if (brush > 0 && brush <= 31) return win::GetSysColor(static_cast<int>(brush - 1));
  Brush* b = Get<Brush>(brush);
  if (b == nullptr || b->hollow) return std::nullopt;
  return b->colour;
}

void Fill(const Target& t, int left, int top, int right, int bottom, win::COLORREF colour) {
  const std::uint32_t p = t.canvas.pixelOf(colour);
  left = std::max(left, t.limit.left);
  top = std::max(top, t.limit.top);
  right = std::min(right, t.limit.right);
  bottom = std::min(bottom, t.limit.bottom);
  for (int y = top; y < bottom; ++y) std::fill(t.canvas.row(y) + left, t.canvas.row(y) + std::max(left, right), p);
}

// One source pixel in the destination's format (monochrome and colour meet by the platform's rules).
std::uint32_t Convert(std::uint32_t s, const Canvas& src, const DC& srcDc, const Canvas& dst, const DC& dstDc) {
  if (src.mono && !dst.mono) return (s & 0xFFFFFF) == 0 ? dst.pixelOf(dstDc.text) : dst.pixelOf(dstDc.bk);
  if (!src.mono && dst.mono) return (s & 0xFFFFFF) == (ToPixel(srcDc.bk) & 0xFFFFFF) ? 0x00FFFFFFu : 0u;
  return s;
}

std::uint32_t Rop(win::DWORD rop, std::uint32_t s, std::uint32_t d, std::uint32_t pattern, const Canvas& dst) {
  switch (rop) {
    case win::SRCCOPY: return s;
    case win::SRCAND: return s & d;
    case win::SRCPAINT: return s | d;
    case win::SRCINVERT: return s ^ d;
    case win::NOTSRCCOPY: return ~s;
    case win::DSTINVERT: return ~d;
    case win::PATCOPY: return pattern;
    case win::BLACKNESS: return dst.pixelOf(0);
    case win::WHITENESS: return dst.pixelOf(0xFFFFFF);
    default: return d;
  }
}

bool UsesSource(win::DWORD rop) {
  return rop != win::DSTINVERT && rop != win::PATCOPY && rop != win::BLACKNESS && rop != win::WHITENESS;
}

bool KnownRop(win::DWORD rop) {
  switch (rop) {
    case win::SRCCOPY: case win::SRCAND: case win::SRCPAINT: case win::SRCINVERT: case win::NOTSRCCOPY:
    case win::DSTINVERT: case win::PATCOPY: case win::BLACKNESS: case win::WHITENESS:
      return true;
    default:
      return false;
  }
}

// Copies with a column and row map from destination offsets to source offsets.
template <typename MapX, typename MapY>
bool Copy(win::HDC dst, int x, int y, int width, int height, win::HDC src, int srcX, int srcY, win::DWORD rop,
          MapX mapX, MapY mapY) {
  auto t = Begin(dst);
  if (Get<DC>(dst) == nullptr || !KnownRop(rop)) return false;
  if (!t) return true;  // the display context: nothing to draw on
  const DC& dd = *t->dc;
  x += dd.org.x;
  y += dd.org.y;
  std::optional<Canvas> sc;
  DC* sd = nullptr;
  if (UsesSource(rop)) {
    sd = Get<DC>(src);
    if (sd == nullptr) return false;
    sc = CanvasOf(src);
    if (!sc) return true;
    srcX += sd->org.x;
    srcY += sd->org.y;
  }
  std::uint32_t pattern = 0;
  if (rop == win::PATCOPY) pattern = t->canvas.pixelOf(BrushColour(dd.brush).value_or(0));
  // Read the whole source first: source and destination may be the same picture.
  std::vector<std::uint32_t> in;
  std::vector<std::uint8_t> present;
  if (sc) {
    in.resize(static_cast<size_t>(width) * height);
    present.resize(in.size());
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) {
        const int sx = srcX + mapX(i);
        const int sy = srcY + mapY(j);
        if (!sc->contains(sx, sy)) continue;
        in[static_cast<size_t>(j) * width + i] = Convert(sc->row(sy)[sx], *sc, *sd, t->canvas, dd);
        present[static_cast<size_t>(j) * width + i] = 1;
      }
  }
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const int dx = x + i;
      const int dy = y + j;
      if (!t->writable(dx, dy)) continue;
      const size_t k = static_cast<size_t>(j) * width + i;
      if (sc && present[k] == 0) continue;
      std::uint32_t& d = t->canvas.row(dy)[dx];
      d = t->fit(Rop(rop, sc ? in[k] : 0, d, pattern, t->canvas));
    }
  Drawn(dd);
  return true;
}

void Line(const Target& t, int x0, int y0, int x1, int y1, std::uint32_t p) {
  // Bresenham; the end point is left out.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    t.put(x0, y0, p);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// A two-colour gradient over r (device pixels) from `from` at its left (horizontal) or top edge to
// `to`: step i of the n steps across takes each channel c1 + (c2 - c1) * i / n. Only the pixels the
// target may write are computed, so a gradient laid over a whole window costs what it shows.
void FillGradient(const Target& t, const win::TRIVERTEX& from, const win::TRIVERTEX& to, bool horizontal,
                  const win::RECT& r) {
  const long long n = horizontal ? r.right - r.left : r.bottom - r.top;
  const auto channel = [n](win::COLOR16 c1, win::COLOR16 c2, long long i) {
    return static_cast<std::uint32_t>((c1 + (static_cast<long long>(c2) - c1) * i / n) >> 8);
  };
  const auto colour = [&](long long i) {
    return t.fit((channel(from.Alpha, to.Alpha, i) << 24) | (channel(from.Red, to.Red, i) << 16) |
                 (channel(from.Green, to.Green, i) << 8) | channel(from.Blue, to.Blue, i));
  };
  const int left = std::max<int>(r.left, t.limit.left), right = std::min<int>(r.right, t.limit.right);
  const int top = std::max<int>(r.top, t.limit.top), bottom = std::min<int>(r.bottom, t.limit.bottom);
  if (left >= right || top >= bottom) return;
  if (horizontal) {
    std::vector<std::uint32_t> row(static_cast<std::size_t>(right - left));
    for (int x = left; x < right; ++x) row[static_cast<std::size_t>(x - left)] = colour(x - r.left);
    for (int y = top; y < bottom; ++y) std::copy(row.begin(), row.end(), t.canvas.row(y) + left);
    return;
  }
  for (int y = top; y < bottom; ++y) std::fill(t.canvas.row(y) + left, t.canvas.row(y) + right, colour(y - r.top));
}

}  // namespace
}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto t = Begin(hdc);
  if (!t) return CLR_INVALID;
  x += t->dc->org.x;
  y += t->dc->org.y;
  if (!t->writable(x, y)) return CLR_INVALID;
  return ToColour(t->canvas.row(y)[x]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  auto t = Begin(hdc);
  if (!t) return CLR_INVALID;
  x += t->dc->org.x;
  y += t->dc->org.y;
  if (!t->writable(x, y)) return CLR_INVALID;
  const std::uint32_t p = t->canvas.pixelOf(colour & 0xFFFFFF);
  t->canvas.row(y)[x] = p;
  Drawn(*t->dc);
  return ToColour(p);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF colour) { return SetPixel(hdc, x, y, colour) != CLR_INVALID; }

int FillRect(HDC hdc, const RECT* r, HBRUSH brush) {
  if (r == nullptr || Get<DC>(hdc) == nullptr) return 0;
  auto colour = BrushColour(brush);
  if (brush > 31 && Get<Brush>(brush) == nullptr) return 0;
  auto t = Begin(hdc);
  if (!t || !colour) return 1;
  const POINT o = t->dc->org;
  Fill(*t, r->left + o.x, r->top + o.y, r->right + o.x, r->bottom + o.y, *colour);
  Drawn(*t->dc);
  return 1;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* old) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return FALSE;
  if (old != nullptr) *old = dc->pos;
  dc->pos = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return FALSE;
  const POINT from = std::exchange(dc->pos, POINT{x, y});
  Pen* pen = Get<Pen>(dc->pen);
  auto t = Begin(hdc);
  if (!t || (pen != nullptr && pen->style == PS_NULL)) return TRUE;
  const std::uint32_t p = t->canvas.pixelOf(pen != nullptr ? pen->colour : 0);
  Line(*t, from.x + dc->org.x, from.y + dc->org.y, x + dc->org.x, y + dc->org.y, p);
  Drawn(*dc);
  return TRUE;
}

BOOL DrawEdge(HDC hdc, RECT* r, UINT edge, UINT flags) {
  if (r == nullptr || Get<DC>(hdc) == nullptr) return FALSE;
  auto t = Begin(hdc);
  const POINT o = t ? t->dc->org : POINT{};
  RECT rc{r->left + o.x, r->top + o.y, r->right + o.x, r->bottom + o.y};
  // Each border: top-left colour and bottom-right colour; outer first.
  struct Border {
    UINT bit;
    int topLeft;
    int bottomRight;
  };
  int outerRaised = COLOR_3DLIGHT, innerRaised = COLOR_3DHILIGHT;
  int outerSunken = COLOR_3DSHADOW, innerSunken = COLOR_3DDKSHADOW;
  if ((flags & BF_SOFT) != 0) {
    std::swap(outerRaised, innerRaised);
    std::swap(outerSunken, innerSunken);
  }
  const Border outer = (edge & BDR_RAISEDOUTER) != 0   ? Border{1, outerRaised, COLOR_3DDKSHADOW}
                       : (edge & BDR_SUNKENOUTER) != 0 ? Border{1, outerSunken, COLOR_3DHILIGHT}
                                                        : Border{0, 0, 0};
  const Border inner = (edge & BDR_RAISEDINNER) != 0   ? Border{1, innerRaised, COLOR_3DSHADOW}
                       : (edge & BDR_SUNKENINNER) != 0 ? Border{1, innerSunken, COLOR_3DLIGHT}
                                                        : Border{0, 0, 0};
  for (const Border& b : {outer, inner}) {
    if (b.bit == 0) continue;
    if (t) {
      const std::uint32_t tl = t->canvas.pixelOf(GetSysColor(b.topLeft));
      const std::uint32_t br = t->canvas.pixelOf(GetSysColor(b.bottomRight));
      if ((flags & BF_TOP) != 0) Line(*t, rc.left, rc.top, rc.right - 1, rc.top, tl);
      if ((flags & BF_LEFT) != 0) Line(*t, rc.left, rc.top, rc.left, rc.bottom - 1, tl);
      if ((flags & BF_BOTTOM) != 0) Line(*t, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, br);
      if ((flags & BF_RIGHT) != 0) Line(*t, rc.right - 1, rc.top, rc.right - 1, rc.bottom, br);
    }
    if ((flags & BF_LEFT) != 0) ++rc.left;
    if ((flags & BF_TOP) != 0) ++rc.top;
    if ((flags & BF_RIGHT) != 0) --rc.right;
    if ((flags & BF_BOTTOM) != 0) --rc.bottom;
  }
  if (t && (flags & BF_MIDDLE) != 0) Fill(*t, rc.left, rc.top, rc.right, rc.bottom, GetSysColor(COLOR_3DFACE));
  if ((flags & BF_ADJUST) != 0) *r = RECT{rc.left - o.x, rc.top - o.y, rc.right - o.x, rc.bottom - o.y};
  if (t) Drawn(*t->dc);
  return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (width <= 0 || height <= 0) return Get<DC>(dst) != nullptr ? TRUE : FALSE;
  return Copy(dst, x, y, width, height, src, srcX, srcY, rop, [](int i) { return i; }, [](int j) { return j; })
             ? TRUE
             : FALSE;
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
  if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return FALSE;
  const auto mapX = [=](int i) { return static_cast<int>(static_cast<long long>(i) * srcWidth / width); };
  const auto mapY = [=](int j) { return static_cast<int>(static_cast<long long>(j) * srcHeight / height); };
  return Copy(dst, x, y, width, height, src, srcX, srcY, rop, mapX, mapY) ? TRUE : FALSE;
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
  DC* sd = Get<DC>(src);
  if (Get<DC>(dst) == nullptr || sd == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0 ||
      blend.BlendOp != AC_SRC_OVER)
    return FALSE;
  auto sc = CanvasOf(src);
  srcX += sd->org.x;
  srcY += sd->org.y;
  if (sc && (srcX < 0 || srcY < 0 || srcX + srcWidth > sc->width || srcY + srcHeight > sc->height)) return FALSE;
  auto t = Begin(dst);
  if (!t || !sc) return TRUE;
  x += t->dc->org.x;
  y += t->dc->org.y;
  const std::uint32_t k = blend.SourceConstantAlpha;
  const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      if (!t->writable(x + i, y + j)) continue;
      const int sx = srcX + static_cast<int>(static_cast<long long>(i) * srcWidth / width);
      const int sy = srcY + static_cast<int>(static_cast<long long>(j) * srcHeight / height);
      const std::uint32_t s = sc->row(sy)[sx];
      std::uint32_t& d = t->canvas.row(y + j)[x + i];
      std::uint32_t out = 0;
      if (perPixel) {
        const std::uint32_t a = Div255((s >> 24) * k);
        for (int shift = 0; shift < 32; shift += 8) {
          const std::uint32_t v = Div255(((s >> shift) & 0xFF) * k) + Div255(((d >> shift) & 0xFF) * (255 - a));
          out |= std::min<std::uint32_t>(255, v) << shift;
        }
      } else {
        for (int shift = 0; shift < 32; shift += 8)
          out |= Div255(((s >> shift) & 0xFF) * k + ((d >> shift) & 0xFF) * (255 - k)) << shift;
      }
      d = t->fit(out);
    }
  Drawn(*t->dc);
  return TRUE;
}

BOOL GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG_PTR vertexCount, const GRADIENT_RECT* mesh,
                  ULONG_PTR meshCount, DWORD mode) {
  if (Get<DC>(hdc) == nullptr || vertices == nullptr || mesh == nullptr ||
      (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
    return FALSE;
  for (ULONG_PTR m = 0; m < meshCount; ++m)
    if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return FALSE;
  auto t = Begin(hdc);
  if (!t) return TRUE;
  const POINT o = t->dc->org;
  for (ULONG_PTR m = 0; m < meshCount; ++m) {
    const TRIVERTEX* a = &vertices[mesh[m].UpperLeft];
    const TRIVERTEX* b = &vertices[mesh[m].LowerRight];
    const int left = std::min(a->x, b->x) + o.x, right = std::max(a->x, b->x) + o.x;
    const int top = std::min(a->y, b->y) + o.y, bottom = std::max(a->y, b->y) + o.y;
    // The first colour belongs to the vertex nearer the start of the gradient.
    const bool horizontal = mode == GRADIENT_FILL_RECT_H;
    if (horizontal ? a->x > b->x : a->y > b->y) std::swap(a, b);
    if (right <= left || bottom <= top) continue;
    FillGradient(*t, *a, *b, horizontal, RECT{left, top, right, bottom});
  }
  Drawn(*t->dc);
  return TRUE;
}

}  // namespace win

namespace win {

namespace {
std::unordered_set<HDRAWDIB>& drawDibs() {
  static std::unordered_set<HDRAWDIB> s;
  return s;
}
}  // namespace

HDRAWDIB DrawDibOpen() {
  static HDRAWDIB next = 0x6000;
  drawDibs().insert(++next);
  return next;
}

BOOL DrawDibClose(HDRAWDIB hdd) { return drawDibs().erase(hdd) != 0 ? TRUE : FALSE; }

BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int srcX, int srcY, int srcWidth, int srcHeight, UINT) {
  if (drawDibs().count(hdd) == 0 || header == nullptr || bits == nullptr || header->biBitCount != 32) return FALSE;
  BITMAPINFO info{};
  info.bmiHeader = *header;
  void* copy = nullptr;
  HDC mem = CreateCompatibleDC(hdc);
  HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &copy, 0, 0);
  if (dib == 0) {
    DeleteDC(mem);
    return FALSE;
  }
  const long long rows = header->biHeight < 0 ? -static_cast<long long>(header->biHeight) : header->biHeight;
  std::memcpy(copy, bits, static_cast<size_t>(header->biWidth) * 4 * static_cast<size_t>(rows));
  HGDIOBJ old = SelectObject(mem, dib);
  const BOOL done = StretchBlt(hdc, x, y, width, height, mem, srcX, srcY, srcWidth, srcHeight, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return done;
}

}  // namespace win
