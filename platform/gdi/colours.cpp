// The system colour table: the classic values of the platform's standard scheme.
#include <array>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"

namespace platform::gdi {
namespace {

constexpr int kColours = 31;

constexpr std::array<win::COLORREF, kColours> kClassic = {
    win::RGB(212, 208, 200),  // 0 scroll bar
    win::RGB(58, 110, 165),   // 1 desktop
    win::RGB(10, 36, 106),    // 2 active caption
    win::RGB(128, 128, 128),  // 3 inactive caption
    win::RGB(212, 208, 200),  // 4 menu
    win::RGB(255, 255, 255),  // 5 window
    win::RGB(0, 0, 0),        // 6 window frame
    win::RGB(0, 0, 0),        // 7 menu text
    win::RGB(0, 0, 0),        // 8 window text
    win::RGB(255, 255, 255),  // 9 caption text
    win::RGB(212, 208, 200),  // 10 active border
    win::RGB(212, 208, 200),  // 11 inactive border
    win::RGB(128, 128, 128),  // 12 application workspace
    win::RGB(10, 36, 106),    // 13 highlight
    win::RGB(255, 255, 255),  // 14 highlight text
    win::RGB(212, 208, 200),  // 15 button face
    win::RGB(128, 128, 128),  // 16 button shadow
    win::RGB(128, 128, 128),  // 17 grey text
    win::RGB(0, 0, 0),        // 18 button text
    win::RGB(212, 208, 200),  // 19 inactive caption text
    win::RGB(255, 255, 255),  // 20 button highlight
    win::RGB(64, 64, 64),     // 21 3-D dark shadow
    win::RGB(212, 208, 200),  // 22 3-D light
    win::RGB(0, 0, 0),        // 23 tooltip text
    win::RGB(255, 255, 225),  // 24 tooltip background
    win::RGB(181, 181, 181),  // 25 (unused)
    win::RGB(0, 0, 128),      // 26 hot-track
    win::RGB(166, 202, 240),  // 27 active caption gradient
    win::RGB(192, 192, 192),  // 28 inactive caption gradient
    win::RGB(10, 36, 106),    // 29 menu highlight
    win::RGB(212, 208, 200),  // 30 menu bar
};

struct SysColours {
  std::array<win::COLORREF, kColours> values = kClassic;
  std::array<win::HBRUSH, kColours> brushes{};
};

SysColours& sys() {
  static SysColours s;
  return s;
}

}  // namespace

void SetSysColorEntry(int index, win::COLORREF colour) {
  auto& s = sys();
  if (index < 0 || index >= kColours) return;
  s.values[index] = colour & 0xFFFFFF;
  if (auto* b = Get<Brush>(s.brushes[index])) b->colour = s.values[index];
}

void ResetSysColorTable() {
  for (int i = 0; i < kColours; ++i) SetSysColorEntry(i, kClassic[i]);
}

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

DWORD GetSysColor(int index) {
  if (index < 0 || index >= kColours) return 0;
  return sys().values[index];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kColours) return 0;
  auto& s = sys();
  if (s.brushes[index] == 0) s.brushes[index] = Add(Brush{s.values[index], false}, true);
  return s.brushes[index];
}

HRESULT OleTranslateColor(OLE_COLOR colour, HPALETTE, COLORREF* out) {
  COLORREF c = 0;
  if ((colour & 0xFF000000u) == 0) {
    c = colour;
  } else if ((colour & 0xFFFFFF00u) == 0x80000000u && (colour & 0xFF) < kColours) {
    c = GetSysColor(static_cast<int>(colour & 0xFF));
  } else {
    return E_INVALIDARG;
  }
  if (out != nullptr) *out = c;
  return S_OK;
}

}  // namespace win
