// The visual-style service: the toolbar, progress and explorer-bar classes, drawn in the layer's own
// flat look.
#include <QString>
#include <algorithm>
#include <unordered_map>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/theme.h"

namespace platform::gdi {
namespace {

enum class ThemeClass { Toolbar, Progress, ExplorerBar };

struct Themes {
  bool active = true;
  std::u16string colourScheme = u"NormalColor";
  std::unordered_map<win::HTHEME, ThemeClass> open;
  win::HTHEME next = 0x7000;
};

Themes& themes() {
  static Themes t;
  return t;
}

std::optional<ThemeClass> ClassOf(win::HTHEME theme) {
  auto& open = themes().open;
  auto it = open.find(theme);
  if (it == open.end()) return std::nullopt;
  return it->second;
}

void Box(win::HDC hdc, const win::RECT& r, win::COLORREF border, win::COLORREF fill) {
  const win::HBRUSH b = win::CreateSolidBrush(border);
  win::FillRect(hdc, &r, b);
  win::DeleteObject(b);
  const win::RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  if (inner.left < inner.right && inner.top < inner.bottom) {
    const win::HBRUSH f = win::CreateSolidBrush(fill);
    win::FillRect(hdc, &inner, f);
    win::DeleteObject(f);
  }
}

void Rule(win::HDC hdc, int x0, int y0, int x1, int y1, win::COLORREF colour) {
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, colour);
  const win::HGDIOBJ old = win::SelectObject(hdc, pen);
  win::MoveToEx(hdc, x0, y0, nullptr);
  win::LineTo(hdc, x1, y1);
  win::SelectObject(hdc, old);
  win::DeleteObject(pen);
}

void DrawToolbar(win::HDC hdc, int part, int state, const win::RECT& r) {
  if (part == win::TP_SEPARATOR) {
    const int x = r.left + (r.right - r.left) / 2 - 1;
    Rule(hdc, x, r.top, x, r.bottom, win::GetSysColor(win::COLOR_3DSHADOW));
    Rule(hdc, x + 1, r.top, x + 1, r.bottom, win::GetSysColor(win::COLOR_3DHILIGHT));
    return;
  }
  if (part == win::TP_SEPARATORVERT) {
    const int y = r.top + (r.bottom - r.top) / 2 - 1;
    Rule(hdc, r.left, y, r.right, y, win::GetSysColor(win::COLOR_3DSHADOW));
    Rule(hdc, r.left, y + 1, r.right, y + 1, win::GetSysColor(win::COLOR_3DHILIGHT));
    return;
  }
  switch (state) {
    case win::TS_HOT: Box(hdc, r, win::RGB(150, 180, 230), win::RGB(225, 235, 250)); break;
    case win::TS_PRESSED:
    case win::TS_HOTCHECKED: Box(hdc, r, win::RGB(100, 140, 210), win::RGB(190, 210, 240)); break;
    case win::TS_CHECKED: Box(hdc, r, win::RGB(150, 180, 230), win::RGB(240, 244, 252)); break;
    default: break;  // normal and disabled buttons show the bar behind them
  }
}

void DrawProgress(win::HDC hdc, int part, const win::RECT& r) {
  if (part == win::PP_BAR || part == win::PP_BARVERT) {
    Box(hdc, r, win::RGB(188, 188, 188), win::RGB(255, 255, 255));
  } else if (part == win::PP_CHUNK || part == win::PP_CHUNKVERT) {
    const win::HBRUSH b = win::CreateSolidBrush(win::RGB(6, 176, 37));
    win::FillRect(hdc, &r, b);
    win::DeleteObject(b);
  }
}

}  // namespace

void SetThemeService(bool active, std::u16string colourScheme) {
  themes().active = active;
  themes().colourScheme = std::move(colourScheme);
}

}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

HTHEME OpenThemeData(HWND, std::u16string_view classList) {
  Themes& t = themes();
  if (!t.active) return 0;
  const QStringList names = QString::fromUtf16(classList.data(), static_cast<qsizetype>(classList.size())).split(u';');
  for (const QString& raw : names) {
    const QString name = raw.trimmed();
    std::optional<ThemeClass> c;
    if (name.compare(u"TOOLBAR", Qt::CaseInsensitive) == 0) c = ThemeClass::Toolbar;
    if (name.compare(u"PROGRESS", Qt::CaseInsensitive) == 0) c = ThemeClass::Progress;
    if (name.compare(u"EXPLORERBAR", Qt::CaseInsensitive) == 0) c = ThemeClass::ExplorerBar;
    if (c) {
      const HTHEME h = t.next++;
      t.open[h] = *c;
      return h;
    }
  }
  return 0;
}

HRESULT CloseThemeData(HTHEME theme) { return themes().open.erase(theme) != 0 ? S_OK : E_INVALIDARG; }

HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* r, const RECT* clip) {
  auto c = ClassOf(theme);
  DC* dc = Get<DC>(hdc);
  if (!c || dc == nullptr || r == nullptr) return E_INVALIDARG;
  // Drawing is held inside the clip rectangle, and the context's own clipping is kept.
  const auto saved = dc->clip;
  if (clip != nullptr) IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);
  if (*c == ThemeClass::Toolbar) DrawToolbar(hdc, part, state, *r);
  if (*c == ThemeClass::Progress) DrawProgress(hdc, part, *r);
  if (DC* again = Get<DC>(hdc)) again->clip = saved;
  return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC, int part, int, const RECT* bounds, RECT* content) {
  auto c = ClassOf(theme);
  if (!c || bounds == nullptr || content == nullptr) return E_INVALIDARG;
  *content = *bounds;
  if (*c == ThemeClass::Progress && (part == PP_BAR || part == PP_BARVERT)) {
    content->left += 1;
    content->top += 1;
    content->right -= 1;
    content->bottom -= 1;
  }
  return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, HDC hdc, int, int, std::u16string_view text, int count, DWORD flags, DWORD,
                      const RECT* r) {
  if (!ClassOf(theme) || Get<DC>(hdc) == nullptr || r == nullptr) return E_INVALIDARG;
  RECT rc = *r;
  const COLORREF oldColour = SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  const int oldMode = SetBkMode(hdc, TRANSPARENT);
  DrawTextW(hdc, text, count, &rc, flags);
  SetBkMode(hdc, oldMode);
  SetTextColor(hdc, oldColour);
  return S_OK;
}

HRESULT GetThemeInt(HTHEME theme, int, int, int property, int* value) {
  auto c = ClassOf(theme);
  if (!c || value == nullptr) return E_INVALIDARG;
  if (*c == ThemeClass::Progress && property == TMT_PROGRESSCHUNKSIZE) {
    *value = 6;
    return S_OK;
  }
  if (*c == ThemeClass::Progress && property == TMT_PROGRESSSPACESIZE) {
    *value = 2;
    return S_OK;
  }
  return E_FAIL;
}

HRESULT GetCurrentThemeName(char16_t* fileName, int maxFileName, char16_t* colourName, int maxColourName,
                            char16_t* sizeName, int maxSizeName) {
  const Themes& t = themes();
  if (!t.active) return E_FAIL;
  const auto copy = [](std::u16string_view from, char16_t* to, int max) {
    if (to == nullptr || max <= 0) return;
    const size_t n = std::min(from.size(), static_cast<size_t>(max - 1));
    std::copy_n(from.begin(), n, to);
    to[n] = u'\0';
  };
  copy(u"Quillmark.msstyles", fileName, maxFileName);
  copy(t.colourScheme, colourName, maxColourName);
  copy(u"NormalSize", sizeName, maxSizeName);
  return S_OK;
}

}  // namespace win
