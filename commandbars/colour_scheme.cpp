// The command bars' colour scheme: one table of derivations per style and theme variant.
#include "commandbars/colour_scheme.h"

#include <array>
#include <string>

#include "commandbars/utility.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/theme.h"
#include "platform/win/window.h"
#include "platform/vb/error.h"

namespace commandbars {
namespace {

struct Scheme {
  std::int32_t style = 0;
  std::int32_t variant = 0;
  bool highColour = false;
  std::array<std::int32_t, 32> custom{};
  std::array<std::int32_t, 32> saved{};
  std::function<void()> refresh;
};

Scheme& scheme() {
  static Scheme s;
  return s;
}

void CheckIndex(std::int32_t index) {
  if (index < 0 || index > 31) vb::Raise(vb::err::kSubscriptOutOfRange);
}

// System colours, translated to RGB.
std::int32_t Sys(std::uint32_t colour) { return TranslateColour(static_cast<std::int32_t>(colour)); }
std::int32_t Face() { return Sys(0x8000000F); }
std::int32_t Shadow() { return Sys(0x80000010); }
std::int32_t Light() { return Sys(0x80000014); }
std::int32_t Dark() { return Sys(0x80000015); }
std::int32_t Light3D() { return Sys(0x80000016); }
std::int32_t Select() { return Sys(0x8000000D); }
std::int32_t SelectText() { return Sys(0x8000000E); }
std::int32_t GreyText() { return Sys(0x80000011); }
std::int32_t Window() { return Sys(0x80000005); }
std::int32_t Menu() { return Sys(0x80000004); }
std::int32_t WindowText() { return Sys(0x80000008); }
constexpr std::int32_t Rgb(int r, int g, int b) { return static_cast<std::int32_t>(win::RGB(r, g, b)); }
std::int32_t B(std::int32_t a, std::int32_t b, std::int32_t n) { return BlendColour(a, b, n); }

std::int32_t Colour(int index);
bool H() { return scheme().highColour; }

// Styles 0, 2 and 3.
std::int32_t ClassicColour(std::int32_t style, int index) {
  const bool s0 = style == 0;
  const bool s2 = style == 2;
  switch (index) {
    case 1: return s2 ? Rgb(255, 255, 255) : WindowText();
    case 2: return s2 ? Colour(15) : Colour(1);
    case 3: return s2 ? Rgb(190, 190, 190) : Colour(28);
    case 4:
    case 5: return -1;
    case 6:
      if (s0) return H() ? B(B(Light(), Rgb(255, 255, 255), 128), Select(), 178) : Face();
      return s2 ? Rgb(70, 70, 70) : Face();
    case 7: return Colour(6);
    case 8:
      if (s0) return H() ? B(Select(), Colour(29), 21) : Face();
      return s2 ? Colour(19) : (H() ? B(Light(), Face(), 220) : Face());
    case 9: return Colour(8);
    case 10:
      if (s0) return H() ? B(Light(), Select(), 128) : Light();
      return s2 ? Rgb(90, 90, 90) : Face();
    case 11: return Colour(10);
    case 12: return s2 ? Rgb(0, 0, 0) : Dark();
    case 13:
      if (s0) return H() ? B(Shadow(), Dark(), 108) : Shadow();
      return s2 ? Rgb(68, 68, 68) : Shadow();
    case 14: return s2 ? Rgb(255, 255, 255) : WindowText();
    case 15:
      if (s0) return Colour(14);
      return s2 ? Rgb(255, 223, 127) : SelectText();
    case 16:
      if (s0) return H() ? B(Face(), GreyText(), 128) : Colour(28);
      return s2 ? Rgb(145, 145, 145) : Colour(28);
    case 17:
      if (s0) return H() ? B(Window(), Face(), 220) : Menu();
      return s2 && H() ? Rgb(91, 91, 91) : Menu();
    case 18: return Colour(17);
    case 19: return style == 3 ? Select() : Colour(6);
    case 20: return style == 3 ? Colour(19) : Colour(7);
    case 21: return s2 ? Rgb(65, 65, 65) : Select();
    case 22:
    case 23:
    case 24:
    case 25: return style == 3 ? Colour(17) : Colour(index - 14);
    case 26: return s2 ? Rgb(70, 70, 70) : Shadow();
    case 27: return s2 ? Rgb(160, 160, 160) : Light();
    case 28: return s2 ? Rgb(112, 112, 112) : Shadow();
    case 29:
      if (s0) return H() ? B(Light3D(), Face(), 128) : Face();
      return s2 ? Colour(17) : -1;
    case 30: return style == 3 ? -1 : Colour(29);
  }
  return 0;
}

// Style 1: fixed colours of the "NormalColor" (1) and "Metallic" (2) schemes; any other variant
// follows the system colours. ("Homestead", 3, has no colours of its own and follows them too.)
std::int32_t ThemedColour(std::int32_t variant, int index) {
  const bool blue = variant == 1;
  const bool silver = variant == 2;
  const bool fixed = blue || silver;
  auto pick = [&](std::int32_t normal, std::int32_t metallic, auto system) -> std::int32_t {
    if (blue) return normal;
    if (silver) return metallic;
    return system();
  };
  switch (index) {
    case 1:
    case 14: return WindowText();
    case 2: return Colour(1);
    case 3: return Colour(28);
    case 4:
    case 5: return -1;
    case 6: return pick(Rgb(253, 254, 211), Rgb(255, 239, 192), [] { return H() ? B(Select(), Light(), 77) : Face(); });
    case 7: return pick(Rgb(253, 221, 152), Rgb(255, 220, 115), [] { return H() ? B(Select(), Light(), 84) : Colour(6); });
    case 8: return pick(Rgb(251, 223, 128), Rgb(250, 218, 152), [] { return H() ? B(Colour(29), Colour(6), 16) : Face(); });
    case 9: return pick(Rgb(245, 185, 74), Rgb(229, 165, 33), [] { return Colour(29); });
    case 10: return pick(Rgb(251, 139, 89), Rgb(236, 176, 139), [] { return H() ? B(Select(), Light(), 128) : Light(); });
    case 11: return pick(Rgb(206, 47, 3), Rgb(196, 103, 48), [] { return H() ? B(Select(), Light(), 150) : Colour(10); });
    case 12: return Colour(3);
    case 13: return pick(Rgb(0, 45, 150), Rgb(124, 124, 148), [] { return H() ? B(Dark(), Shadow(), 96) : Shadow(); });
    case 15: return Colour(14);
    case 16: return pick(Rgb(160, 160, 160), Rgb(148, 148, 148), [] { return Colour(28); });
    case 17:
      if (!H()) return Menu();
      return pick(Rgb(246, 246, 246), Rgb(253, 250, 255), [] { return Rgb(249, 248, 247); });
    case 18: return Colour(17);
    case 19:
    case 20:
    case 22:
    case 23:
    case 24:
    case 25: return Colour(index - 13 - (index >= 22 ? 1 : 0));
    case 21: return pick(Rgb(0, 0, 128), Rgb(75, 75, 111), [] { return Select(); });
    case 26: return pick(Rgb(109, 150, 208), Rgb(168, 167, 190), [] { return H() ? B(Shadow(), Light(), 224) : Shadow(); });
    case 27: return fixed ? Rgb(255, 255, 255) : Light();
    case 28: return pick(Rgb(106, 140, 203), Rgb(110, 109, 143), [] { return H() ? B(Shadow(), Light(), 180) : Shadow(); });
    case 29: return pick(Rgb(209, 227, 251), Rgb(249, 249, 255), [] { return H() ? B(Face(), Light(), 24) : Face(); });
    case 30: return pick(Rgb(129, 169, 226), Rgb(159, 157, 185), [] { return Face(); });
  }
  return 0;
}

// The colour of an index, its own custom colour first.
std::int32_t Colour(int index) {
  const Scheme& s = scheme();
  const std::int32_t custom = s.custom[static_cast<size_t>(index)];
  if (custom != -1) return index == 2 || index == 26 || index == 28 ? custom : TranslateColour(custom);
  const std::int32_t style = s.style;
  if (style == 0 || style == 2 || style == 3) return ClassicColour(style, index);
  return ThemedColour(s.variant, index);
}

}  // namespace

std::int32_t CustomColour(std::int32_t index) {
  CheckIndex(index);
  return scheme().custom[static_cast<size_t>(index)];
}

void SetCustomColour(std::int32_t index, std::int32_t colour) {
  CheckIndex(index);
  scheme().custom[static_cast<size_t>(index)] = colour;
  if (colour != -1) scheme().saved[static_cast<size_t>(index)] = colour;
}

bool UseStyleColour(std::int32_t index) { return CustomColour(index) == -1; }

std::int32_t StyleColour(std::int32_t& index) {
  if (index < 1 || index > 30) return 0;
  std::int32_t& custom = scheme().custom[static_cast<size_t>(index)];
  const std::int32_t kept = custom;
  custom = -1;
  const std::int32_t colour = Colour(index);
  custom = kept;
  return colour;
}

std::int32_t SchemeColour(std::int32_t index) { return index >= 1 && index <= 30 ? Colour(index) : -1; }

std::int32_t StyleColour01() { return Colour(1); }
std::int32_t StyleColour02() { return Colour(2); }
std::int32_t StyleColour03() { return Colour(3); }
std::int32_t StyleColour04() { return Colour(4); }
std::int32_t StyleColour05() { return Colour(5); }
std::int32_t StyleColour06() { return Colour(6); }
std::int32_t StyleColour07() { return Colour(7); }
std::int32_t StyleColour08() { return Colour(8); }
std::int32_t StyleColour09() { return Colour(9); }
std::int32_t StyleColour10() { return Colour(10); }
std::int32_t StyleColour11() { return Colour(11); }
std::int32_t StyleColour12() { return Colour(12); }
std::int32_t StyleColour13() { return Colour(13); }
std::int32_t StyleColour14() { return Colour(14); }
std::int32_t StyleColour15() { return Colour(15); }
std::int32_t StyleColour16() { return Colour(16); }
std::int32_t StyleColour17() { return Colour(17); }
std::int32_t StyleColour18() { return Colour(18); }
std::int32_t StyleColour19() { return Colour(19); }
std::int32_t StyleColour20() { return Colour(20); }
std::int32_t StyleColour21() { return Colour(21); }
std::int32_t StyleColour22() { return Colour(22); }
std::int32_t StyleColour23() { return Colour(23); }
std::int32_t StyleColour24() { return Colour(24); }
std::int32_t StyleColour25() { return Colour(25); }
std::int32_t StyleColour26() { return Colour(26); }
std::int32_t StyleColour27() { return Colour(27); }
std::int32_t StyleColour28() { return Colour(28); }
std::int32_t StyleColour29() { return Colour(29); }
std::int32_t StyleColour30() { return Colour(30); }

void ResetColours() {
  Scheme& s = scheme();
  s.style = 1;
  s.highColour = true;
  s.custom.fill(-1);
  s.saved.fill(-1);
}

std::int32_t CommandBarStyle() { return scheme().style; }

void SetCommandBarStyle(std::int32_t style) {
  if (style == scheme().style) return;
  scheme().style = style;
  DetectTheme(win::GetDesktopWindow());
}

bool HighColourDisplay() { return scheme().highColour; }

void DetectTheme(win::HWND hWnd) {
  Scheme& s = scheme();
  if (s.style == 1 && IsXPOrLater()) {
    if (const win::HTHEME theme = win::OpenThemeData(hWnd, u"ExplorerBar"); theme != 0) {
      char16_t file[260] = {};
      char16_t colour[260] = {};
      if (win::SUCCEEDED(win::GetCurrentThemeName(file, 260, colour, 260, nullptr, 0))) {
        const std::u16string name(colour);  // up to the first NUL
        s.variant = name == u"NormalColor" ? 1 : name == u"Metallic" ? 2 : name == u"Homestead" ? 3 : 0;
      }
      win::CloseThemeData(theme);
    }
  }
  const win::HDC hdc = win::GetDC(win::GetDesktopWindow());
  s.highColour = win::GetDeviceCaps(hdc, win::BITSPIXEL) >= 9;
  win::ReleaseDC(win::GetDesktopWindow(), hdc);
  if (s.refresh) s.refresh();
}

void SetColourRefreshHandler(std::function<void()> handler) { scheme().refresh = std::move(handler); }

void FillBarBackground(win::HWND hWndOrigin, win::HWND hWndArea, win::HDC hdc, std::int32_t colour1,
                       std::int32_t colour2, int left, int top, int width, int height, bool horizontal,
                       bool systemGradient) {
  const bool system = HighColourDisplay() && systemGradient;
  // Two different colours make a gradient even when one of them is "no colour" (-1).
  if (!system && (colour1 == colour2 || !IsWin98OrLaterVariant())) {
    FillColourRect(hdc, colour1, colour2, left, top, width, height, horizontal);
    return;
  }
  win::RECT origin;
  win::RECT area;
  if (!win::GetWindowRect(hWndOrigin, &origin) || !win::GetWindowRect(hWndArea, &area)) return;
  const win::RECT gradient{area.left - origin.left, area.top - origin.top, area.right - origin.left,
                           area.bottom - origin.top};
  const win::HRGN clip = win::CreateRectRgn(left, top, left + width, top + height);
  win::SelectClipRgn(hdc, clip);
  if (system)
    GradientFillRect(hdc, gradient, BlendColour(static_cast<std::int32_t>(0x80000014u), static_cast<std::int32_t>(0x8000000Fu), 192),
                     TranslateColour(static_cast<std::int32_t>(0x8000000Fu)), horizontal ? 0 : 1);
  else
    GradientFillRect(hdc, gradient, colour1, colour2, horizontal ? 0 : 1);
  win::SelectClipRgn(hdc, 0);
  win::DeleteObject(clip);
}

}  // namespace commandbars
