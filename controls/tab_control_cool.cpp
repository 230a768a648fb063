// The tab strip's flat ("cool") frames, painted over what the tab window painted.
#include <algorithm>

#include "controls/tab_control.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/tab_control.h"
#include "platform/win/window.h"

using namespace win;

namespace {

struct CoolPainter {
  HDC dc = 0;
  HPEN face = 0, shadow = 0, light = 0;
  COLORREF faceColour = 0, shadowColour = 0, lightColour = 0;

  void Pen(HPEN p) { SelectObject(dc, p); }
  void Line(HPEN p, int x0, int y0, int x1, int y1) {
    Pen(p);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  }
  void Fill(HBRUSH b, int left, int right, int top, int bottom) {
    if (right <= left || bottom <= top) return;
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, b);
  }
};

struct Rows {
  int first;
  int last;  // exclusive
};

}  // namespace

void TabControl::PaintCoolFrame() {
  if (tabAlign_ == 1 || tabAlign_ == 3 || tab_ == 0) return;
  const bool top = tabAlign_ == 0;
  RECT client;
  GetClientRect(tab_, &client);
  const int W = client.right, H = client.bottom;
  const HWND updown = FindWindowExA(tab_, 0, UPDOWN_CLASSA);
  const bool arrows = updown != 0 && IsWindowVisible(updown);
  RECT a{0, 0, 0, 0};
  if (arrows) {
    GetWindowRect(updown, &a);
    POINT tl{a.left, a.top}, br{a.right, a.bottom};
    ScreenToClient(tab_, &tl);
    ScreenToClient(tab_, &br);
    a = RECT{tl.x, tl.y, br.x, br.y};
  }

  CoolPainter p;
  p.dc = GetDC(tab_);
  p.faceColour = GetSysColor(COLOR_BTNFACE);
  p.shadowColour = GetSysColor(COLOR_BTNSHADOW);
  p.lightColour = GetSysColor(COLOR_BTNHIGHLIGHT);
  p.face = CreatePen(PS_SOLID, 1, p.faceColour);
  p.shadow = CreatePen(PS_SOLID, 1, p.shadowColour);
  p.light = CreatePen(PS_SOLID, 1, p.lightColour);
  const HGDIOBJ oldPen = SelectObject(p.dc, p.face);
  HBRUSH brush = 0;

  const std::int32_t count = TabCount();
  const std::int32_t S = SelectedTab() - 1;
  RECT sel{0, 0, 0, 0};
  if (S >= 0) Send(TCM_GETITEMRECT, static_cast<WPARAM>(S), reinterpret_cast<LPARAM>(&sel));
  auto rectOf = [&](std::int32_t i) {
    RECT r{0, 0, 0, 0};
    Send(TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
  };

  // One tab's flat edges.
  auto tabStep = [&](std::int32_t i) {
    RECT r = rectOf(i);
    bool skipLeft = false, skipRight = false;
    if (i + 1 == S) {
      r.right -= 2;
      skipRight = true;
    }
    if (i - 1 == S) {
      r.left += 2;
      skipLeft = true;
    }
    if (i == S) {
      r.left -= 2;
      r.right += 2;
      if (top) r.top -= 2; else r.bottom += 2;
    }
    if (arrows && r.right > a.left) {
      r.right = a.left;
      skipRight = true;
    }
    if (!skipLeft) {
      if (top) {
        SetPixelV(p.dc, r.left, r.top + 1, p.lightColour);
        SetPixelV(p.dc, r.left, r.top, p.lightColour);
        SetPixelV(p.dc, r.left + 1, r.top, p.lightColour);
        SetPixelV(p.dc, r.left + 1, r.top + 1, p.faceColour);
      } else {
        SetPixelV(p.dc, r.left, r.bottom - 2, p.lightColour);
      }
    }
    if (!top) {
      p.Line(p.face, r.left + 1, r.bottom - 2, r.right, r.bottom - 2);
      p.Line(p.shadow, r.left, r.bottom - 1, r.right, r.bottom - 1);
    }
    if (skipRight) return;
    if (top) {
      SetPixelV(p.dc, r.right - 2, r.top, p.lightColour);
      p.Line(p.face, r.right - 2, r.top + 1, r.right - 2, r.bottom);
      p.Line(p.shadow, r.right - 1, r.top, r.right - 1, r.bottom);
      if (i == S) {
        SetPixelV(p.dc, r.right - 2, r.bottom, p.faceColour);
        SetPixelV(p.dc, r.right - 1, r.bottom, p.shadowColour);
      }
    } else {
      p.Line(p.face, r.right - 2, r.top, r.right - 2, r.bottom - 1);
      p.Line(p.shadow, r.right - 1, r.top, r.right - 1, r.bottom - 1);
      if (i == S) SetPixelV(p.dc, r.right - 2, r.top - 1, p.faceColour);
    }
  };

  if (!buttons_ && coolTabs_ == 1) {
    if (!top) {
      const int y = sel.top - 2;
      p.Pen(p.face);
      MoveToEx(p.dc, W - 2, 0, nullptr);
      LineTo(p.dc, W - 2, y);
      LineTo(p.dc, 0, y);
      p.Pen(p.shadow);
      MoveToEx(p.dc, W - 1, 0, nullptr);
      LineTo(p.dc, W - 1, y + 1);
      if (count == 0) {
        LineTo(p.dc, sel.left - 1, y + 1);
      } else {
        if (sel.right < W) LineTo(p.dc, sel.right, y + 1);
        MoveToEx(p.dc, sel.left - 2, y + 1, nullptr);
        LineTo(p.dc, -1, y + 1);
      }
    } else {
      const int frameTop = arrows ? a.bottom : 0;
      p.Pen(p.face);
      MoveToEx(p.dc, W - 1, frameTop, nullptr);
      LineTo(p.dc, W - 1, H - 1);
      LineTo(p.dc, -1, H - 1);
    }
    for (std::int32_t i = 0; i < count; ++i) tabStep(i);
  } else if (!buttons_ && coolTabs_ == 2) {
    brush = CreateSolidBrush(p.shadowColour);
    const Rows band = top ? Rows{0, sel.bottom} : Rows{sel.top, sel.bottom + 2};
    const Rows outer = top ? Rows{0, 4} : Rows{sel.bottom - 2, sel.bottom + 2};
    const Rows inner = top ? Rows{sel.bottom - 2, sel.bottom} : Rows{sel.top, sel.top + 2};
    const int end = arrows ? a.left : W;
    if (sel.left >= 5 || sel.right < 0) p.Fill(brush, 0, 4, band.first, band.last);
    if (sel.left > 4) {
      p.Fill(brush, 4, sel.left - 2, outer.first, outer.last);
      p.Fill(brush, 4, sel.left - 2, inner.first, inner.last);
    }
    if (sel.right < W) {
      p.Fill(brush, sel.right, end, outer.first, outer.last);
      p.Fill(brush, sel.right, end, inner.first, inner.last);
    }
    if (count > 0) {
      const RECT last = rectOf(count - 1);
      if (last.right <= end) {
        const int to = std::min(end, W);
        p.Fill(brush, last.right, to, last.top, last.bottom);
        p.Fill(brush, last.right, to, inner.first, inner.last);
      }
    }
    if (arrows) {
      p.Fill(brush, a.left, a.right, a.top - 2, a.top);
      p.Fill(brush, a.left, a.right, a.bottom + 1, a.bottom + 2);
    }
    if (count > 0 && S >= 0) tabStep(S);
  } else if (buttons_ && !flatButtons_) {
    for (std::int32_t i = 0; i < count; ++i) {
      RECT r = rectOf(i);
      bool skipRight = false;
      if (arrows) {
        if (r.left > a.left) break;
        if (r.right > a.left) {
          r.right = a.left;
          skipRight = true;
        }
      }
      if (i == S) {
        p.Pen(p.shadow);
        MoveToEx(p.dc, r.left, r.bottom - 2, nullptr);
        LineTo(p.dc, r.left, r.top);
        LineTo(p.dc, r.right - 1, r.top);
        p.Pen(p.face);
        MoveToEx(p.dc, r.left + 1, r.bottom - 3, nullptr);
        LineTo(p.dc, r.left + 1, r.top + 1);
        LineTo(p.dc, r.right - 2, r.top + 1);
        continue;
      }
      p.Pen(p.shadow);
      MoveToEx(p.dc, r.left, r.bottom - 1, nullptr);
      LineTo(p.dc, r.right - 1, r.bottom - 1);
      if (!skipRight) LineTo(p.dc, r.right - 1, r.top);
      p.Pen(p.face);
      MoveToEx(p.dc, r.left + 1, r.bottom - 2, nullptr);
      LineTo(p.dc, r.right - 2, r.bottom - 2);
      if (!skipRight) LineTo(p.dc, r.right - 2, r.top + 1);
    }
  }

  SelectObject(p.dc, oldPen);
  DeleteObject(p.face);
  DeleteObject(p.shadow);
  DeleteObject(p.light);
  if (brush != 0) DeleteObject(brush);
  ReleaseDC(tab_, p.dc);
}
