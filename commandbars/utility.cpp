#include "commandbars/utility.h"
#include "platform/codepage/codepage.h"

#include <cmath>
#include <cstring>

#include "platform/gdi/theme.h"

namespace commandbars {
namespace {

// One-pixel solid black pen selected for the length of a glyph; the context's own pen comes back.
class BlackPen {
 public:
  explicit BlackPen(win::HDC hdc) : hdc_(hdc), pen_(win::CreatePen(win::PS_SOLID, 1, 0)) {
    old_ = win::SelectObject(hdc_, pen_);
  }
  ~BlackPen() {
    win::SelectObject(hdc_, old_);
    win::DeleteObject(pen_);
  }
  BlackPen(const BlackPen&) = delete;
  BlackPen& operator=(const BlackPen&) = delete;

 private:
  win::HDC hdc_;
  win::HPEN pen_;
  win::HGDIOBJ old_;
};

void Segment(win::HDC hdc, int x0, int y0, int x1, int y1) {
  win::MoveToEx(hdc, x0, y0, nullptr);
  win::LineTo(hdc, x1, y1);
}

}  // namespace

void RaiseCommandBarError(int code) {
  struct Entry {
    std::int32_t number;
    const char16_t* message;
  };
  static const Entry table[] = {
      {364, u"Object has been unloaded."},
      {vb::vbObjectError + 25262, u"Owning kestCommandBar Control does not exist."},
      {vb::vbObjectError + 25263, u"Item does not exist."},
      {13, u"Type Mismatch."},
      {457, u"This key is already associated with an element of this collection."},
      {9, u"Subscript out of range."},
      {vb::vbObjectError + 25267, u"Failed to add the item"},
      {91, u"Object variable or With block variable not set."},
  };
  const std::u16string source = vb::ErrorSource(u"kestPicker");
  if (code >= 1 && code <= 8) throw vb::Error(table[code - 1].number, source, table[code - 1].message);
  throw vb::Error(vb::vbObjectError + code, source, u"");
}

std::int32_t TranslateColour(std::int32_t colour) {
  win::COLORREF out = 0;
  if (win::OleTranslateColor(static_cast<win::OLE_COLOR>(colour), 0, &out) != win::S_OK) return -1;
  return static_cast<std::int32_t>(out);
}

std::int32_t BlendColour(std::int32_t colourA, std::int32_t colourB, std::int32_t alpha) {
  const auto a = static_cast<std::uint32_t>(TranslateColour(colourA));
  const auto b = static_cast<std::uint32_t>(TranslateColour(colourB));
  std::int32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double v = ((a >> shift) & 0xFF) * alpha / 255.0 + ((b >> shift) & 0xFF) * (255 - alpha) / 255.0;
    out |= static_cast<std::int32_t>(std::nearbyint(v)) << shift;
  }
  return out;
}

void DrawBorder(win::HDC hdc, std::int32_t colour, int left, int top, int width, int height) {
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, static_cast<win::COLORREF>(TranslateColour(colour)));
  const win::HGDIOBJ old = win::SelectObject(hdc, pen);
  win::MoveToEx(hdc, left, top + height - 1, nullptr);
  win::LineTo(hdc, left, top);
  win::LineTo(hdc, left + width - 1, top);
  win::LineTo(hdc, left + width - 1, top + height - 1);
  win::LineTo(hdc, left, top + height - 1);
  win::SelectObject(hdc, old);
  win::DeleteObject(pen);
}

void DrawButtonText(win::HDC hdc, std::u16string_view caption, int left, int top, int width, int height,
                    std::int32_t, std::int32_t textColour, std::int32_t orientation, bool centred) {
  win::RECT r{left, top, left + width, top + height};
  win::UINT format = centred ? 0x25 : 0x24;
  if (orientation != 0 && orientation != 3) {
    // Text turned by the caller's font runs down from the rectangle's right edge.
    format = 0x20;
    r = win::RECT{left + width, top, left, top + height + 4};
  }
  win::SetBkMode(hdc, win::TRANSPARENT);
  win::SetTextColor(hdc, static_cast<win::COLORREF>(TranslateColour(textColour)));
  DrawTextAW(hdc, caption, -1, r, format);
}

void DrawThemedToolbarBackground(win::HWND hwnd, win::HDC hdc, int left, int top, int width, int height, bool enabled,
                                 bool hot, std::int32_t buttonStyle, bool inDropDownPart, std::int32_t orientation,
                                 bool checked, bool pressed) {
  const win::HTHEME theme = win::OpenThemeData(hwnd, u"TOOLBAR");
  if (theme == 0) return;
  int part = win::TP_BUTTON;
  if (buttonStyle == 1) part = orientation == 1 || orientation == 2 ? win::TP_SEPARATORVERT : win::TP_SEPARATOR;
  if (buttonStyle == 2) part = inDropDownPart ? win::TP_SPLITBUTTONDROPDOWN : win::TP_SPLITBUTTON;
  int state = win::TS_NORMAL;
  if (!enabled) {
    state = win::TS_DISABLED;
  } else if (pressed) {
    state = win::TS_PRESSED;
  } else if (hot) {
    state = checked ? win::TS_HOTCHECKED : win::TS_HOT;
  } else if (checked) {
    state = win::TS_CHECKED;
  }
  const win::RECT r{left, top, left + width, top + height};
  win::DrawThemeBackground(theme, hdc, part, state, &r, &r);
  win::CloseThemeData(theme);
}

void DrawPixelGlyph(win::HDC hdc, int left, int top, int width, int height, std::int32_t, std::int32_t colour,
                    std::int32_t orientation) {
  const auto c = static_cast<win::COLORREF>(TranslateColour(colour));
  const int cx = left + width / 2;
  const int cy = top + height / 2;
  if (orientation == 1 || orientation == 2) {
    for (int y = cy - 2; y <= cy + 2; ++y) win::SetPixelV(hdc, cx + 1, y, c);
    for (int y = cy - 1; y <= cy + 1; ++y) win::SetPixelV(hdc, cx, y, c);
    win::SetPixelV(hdc, cx - 1, cy, c);
  } else {
    for (int x = cx - 2; x <= cx + 2; ++x) win::SetPixelV(hdc, x, cy - 1, c);
    for (int x = cx - 1; x <= cx + 1; ++x) win::SetPixelV(hdc, x, cy, c);
    win::SetPixelV(hdc, cx, cy + 1, c);
  }
}

void DrawSubMenuArrow(win::HDC hdc, int left, int top, int width, int height) {
  const int cx = left + width / 2;
  const int cy = top + height / 2;
  BlackPen pen(hdc);
  Segment(hdc, cx - 2, cy - 3, cx - 2, cy + 4);
  Segment(hdc, cx - 1, cy - 2, cx - 1, cy + 3);
  Segment(hdc, cx, cy - 1, cx, cy + 2);
  win::SetPixelV(hdc, cx + 1, cy, 0);
}

void DrawCheckMark(win::HDC hdc, int left, int top, int width, int height) {
  const int cx = left + width / 2;
  const int cy = top + height / 2;
  BlackPen pen(hdc);
  Segment(hdc, cx - 3, cy, cx - 1, cy + 2);
  Segment(hdc, cx - 3, cy + 1, cx - 1, cy + 3);
  Segment(hdc, cx - 1, cy + 3, cx + 5, cy - 3);
  Segment(hdc, cx - 1, cy + 2, cx + 5, cy - 4);
}

void FillColourRect(win::HDC hdc, std::int32_t colour1, std::int32_t colour2, int left, int top, int width,
                    int height, bool horizontal) {
  if (colour1 == -1 || colour2 == -1) return;
  if (colour1 != colour2) {
    GradientFillRect(hdc, win::RECT{left, top, left + width, top + height}, colour1, colour2, horizontal ? 0 : 1);
    return;
  }
  const win::RECT r{left, top, left + width, top + height};
  const win::HBRUSH brush = win::CreateSolidBrush(static_cast<win::COLORREF>(TranslateColour(colour1)));
  win::FillRect(hdc, &r, brush);
  win::DeleteObject(brush);
}

void TileBitmap(win::HDC hdcDest, int left, int top, int width, int height, win::HDC hdcTile, int tileWidth,
                int tileHeight, int yPhase) {
  if (tileWidth <= 0 || tileHeight <= 0) return;
  const auto mod = [](long long v, int m) { return static_cast<int>(((v % m) + m) % m); };
  const int firstColumn = mod(left, tileWidth);
  int sourceRow = mod(static_cast<long long>(top) + yPhase, tileHeight);
  for (int y = top; y < top + height;) {
    const int rowHeight = std::min(tileHeight - sourceRow, top + height - y);
    int sourceColumn = firstColumn;
    for (int x = left; x < left + width;) {
      const int blockWidth = std::min(tileWidth - sourceColumn, left + width - x);
      win::BitBlt(hdcDest, x, y, blockWidth, rowHeight, hdcTile, sourceColumn, sourceRow, win::SRCCOPY);
      x += blockWidth;
      sourceColumn = 0;
    }
    y += rowHeight;
    sourceRow = 0;
  }
}

void GradientFillRect(win::HDC hdc, const win::RECT& rect, std::int32_t colour1, std::int32_t colour2,
                      std::int32_t mode) {
  win::TRIVERTEX v[2];
  v[0].x = rect.left;
  v[0].y = rect.top;
  ColourToVertex(v[0], TranslateColour(colour1));
  v[1].x = rect.right;
  v[1].y = rect.bottom;
  ColourToVertex(v[1], TranslateColour(colour2));
  const win::GRADIENT_RECT g{0, 1};
  win::GradientFill(hdc, v, 2, &g, 1, static_cast<win::DWORD>(mode));
}

void ColourToVertex(win::TRIVERTEX& vertex, std::int32_t colour) {
  ChannelTo16Bit(vertex.Red, colour & 0xFF);
  ChannelTo16Bit(vertex.Green, (colour >> 8) & 0xFF);
  ChannelTo16Bit(vertex.Blue, (colour >> 16) & 0xFF);
  vertex.Alpha = 0;
}

void ChannelTo16Bit(win::COLOR16& out, std::int32_t value) { out = static_cast<win::COLOR16>(value * 256); }

int DrawTextAW(win::HDC hdc, std::u16string_view text, std::int32_t, win::RECT& rect, win::UINT format) {
  text = text.substr(0, text.find(u'\0'));
  if (text.empty()) return 0;
  return win::DrawTextW(hdc, text, -1, &rect, format);
}

void FontToLogFont(const vb::StdFont& font, win::HDC hdc, win::LOGFONTA& logFont) {
  logFont = win::LOGFONTA{};
  // The face name in the platform's code page, cut to the 31 characters the record holds.
  const std::string face = vb::ToWindows1251(font.Name);
  face.copy(logFont.lfFaceName, win::LF_FACESIZE - 1);
  const int points = static_cast<int>(std::nearbyint(font.Size));
  logFont.lfHeight = -win::MulDiv(points, win::GetDeviceCaps(hdc, win::LOGPIXELSY), 72);
  logFont.lfWeight = font.Bold ? win::FW_BOLD : win::FW_NORMAL;
  logFont.lfItalic = font.Italic ? 0xFF : 0;
  logFont.lfUnderline = font.Underline ? 0xFF : 0;
  logFont.lfStrikeOut = font.Strikethrough ? 0xFF : 0;
  logFont.lfCharSet = static_cast<win::BYTE>(font.Charset);
  logFont.lfQuality = win::CLEARTYPE_QUALITY;
}

cFontCache::~cFontCache() {
  for (Record& r : records_)
    if (r.font != 0) win::DeleteObject(r.font);
  records_.clear();
}

win::HFONT cFontCache::hFont(const vb::StdFont& font, std::int32_t escapement, win::HDC hdc) {
  const auto size = static_cast<std::int64_t>(std::llround(font.Size * 10000.0));
  Record* found = nullptr;
  for (Record& r : records_)
    if (r.name == font.Name && r.size == size && r.escapement == escapement && r.bold == font.Bold &&
        r.italic == font.Italic && r.underline == font.Underline && r.strikethrough == font.Strikethrough) {
      found = &r;
      break;
    }
  if (found == nullptr) {
    records_.push_back(Record{font.Name, size, escapement, font.Bold, font.Italic, font.Underline,
                              font.Strikethrough, 0});
    found = &records_.back();
  }
  if (found->font == 0) {
    win::LOGFONTA lf;
    FontToLogFont(font, hdc, lf);
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    found->font = win::CreateFontIndirectA(&lf);
  }
  return found->font;
}

}  // namespace commandbars
