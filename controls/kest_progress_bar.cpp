#include "controls/kest_progress_bar.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/codepage/codepage.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/theme.h"
#include "platform/win/window.h"

namespace {

using namespace win;

constexpr vb::OLE_COLOR kBarColor = 0x800000;
constexpr vb::OLE_COLOR kBarForeColor = 0xFFFFFF;
// Classic blocks: 8 pixels of bar, 2 of gap.
constexpr int kClassicChunk = 8;
constexpr int kClassicSpace = 2;

COLORREF Translate(vb::OLE_COLOR c) {
  COLORREF out = CLR_INVALID;
  if (FAILED(OleTranslateColor(c, 0, &out))) out = CLR_INVALID;
  return out;
}

void Fill(HDC hdc, const RECT& r, COLORREF colour) {
  const HBRUSH b = CreateSolidBrush(colour);
  FillRect(hdc, &r, b);
  DeleteObject(b);
}

bool IsSystemColour(vb::OLE_COLOR c) { return (c & 0xFF000000u) == 0x80000000u; }

HFONT MakeFont(const vb::StdFont& f, HDC hdc) {
  LOGFONTA lf;
  const std::string face = vb::ToWindows1251(f.Name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  lf.lfHeight = -static_cast<LONG>(std::lround(f.Size * GetDeviceCaps(hdc, LOGPIXELSY) / 72.0));
  lf.lfWeight = f.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.Italic ? 0xFF : 0;
  lf.lfUnderline = f.Underline ? 0xFF : 0;
  lf.lfStrikeOut = f.Strikethrough ? 0xFF : 0;
  lf.lfCharSet = static_cast<BYTE>(f.Charset);
  return CreateFontIndirectA(&lf);
}

// A picture as a drawing source at its size in pixels: bitmaps as they are, icons over `under`.
std::unique_ptr<controls::pcDibSection> SourceOf(const vb::Picture& picture, COLORREF under) {
  if (picture == nullptr || picture->Handle() == 0) return nullptr;
  auto dib = std::make_unique<controls::pcDibSection>();
  if (picture->Type() == vb::vbPicTypeIcon) {
    const int w = picture->WidthPixels(), h = picture->HeightPixels();
    if (!dib->Create(w, h)) return nullptr;
    const RECT all{0, 0, w, h};
    Fill(dib->hdc(), all, under);
    DrawIconEx(dib->hdc(), 0, 0, static_cast<HICON>(picture->Handle()), w, h, 0, 0, DI_NORMAL);
    return dib;
  }
  return dib->CreateFromPicture(picture) ? std::move(dib) : nullptr;
}

// Stretches the picture over the area, or tiles it from the area's top-left corner with the last
// column and row cut at the area's edges.
void PaintPicture(HDC hdc, const vb::Picture& picture, const RECT& area, bool stretch, COLORREF under) {
  const auto source = SourceOf(picture, under);
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  if (source == nullptr || areaWidth <= 0 || areaHeight <= 0) return;
  const int w = source->Width(), h = source->Height();
  if (stretch) {
    StretchBlt(hdc, area.left, area.top, areaWidth, areaHeight, source->hdc(), 0, 0, w, h, SRCCOPY);
    return;
  }
  for (int y = area.top; y < area.bottom; y += h)
    for (int x = area.left; x < area.right; x += w)
      BitBlt(hdc, x, y, std::min(w, area.right - x), std::min(h, area.bottom - y), source->hdc(), 0, 0, SRCCOPY);
}

}  // namespace

// What one drawing works with.
struct kestProgressBar::Drawing {
  HDC hdc = 0;
  int width = 0;
  int height = 0;
  HTHEME theme = 0;
  bool themed = false;
  int step = 0;   // segment step; 0 when the bar is drawn whole
  int chunk = 0;  // width of one block
  int space = 0;  // gap between blocks
  HFONT font = 0;
};

// --- properties -----------------------------------------------------------------------------------

void kestProgressBar::Changed(const char16_t* key) {
  PropertyChanged(key);
  Draw();
}

bool kestProgressBar::Segments() {
  EnsureWindow();
  return segments_;
}
void kestProgressBar::Segments(bool v) {
  EnsureWindow();
  segments_ = v;
  Changed(u"Segments");
}
bool kestProgressBar::XpStyle() {
  EnsureWindow();
  return xpStyle_;
}
void kestProgressBar::XpStyle(bool v) {
  EnsureWindow();
  xpStyle_ = v;
  Changed(u"XpStyle");
}
std::u16string kestProgressBar::Text() {
  EnsureWindow();
  return text_;
}
void kestProgressBar::Text(const std::u16string& v) {
  EnsureWindow();
  text_ = v;
  Changed(u"Text");
}
std::int32_t kestProgressBar::TextAlignX() {
  EnsureWindow();
  return textAlignX_;
}
void kestProgressBar::TextAlignX(std::int32_t v) {
  EnsureWindow();
  textAlignX_ = v;
  Changed(u"TextAlignX");
}
std::int32_t kestProgressBar::TextAlignY() {
  EnsureWindow();
  return textAlignY_;
}
void kestProgressBar::TextAlignY(std::int32_t v) {
  EnsureWindow();
  textAlignY_ = v;
  Changed(u"TextAlignY");
}
bool kestProgressBar::ShowText() {
  EnsureWindow();
  return showText_;
}
void kestProgressBar::ShowText(bool v) {
  EnsureWindow();
  showText_ = v;
  Changed(u"ShowText");
}
double kestProgressBar::Percent() {
  EnsureWindow();
  return Fraction() * 100.0;
}
std::int32_t kestProgressBar::Min() {
  EnsureWindow();
  return min_;
}
void kestProgressBar::Min(std::int32_t v) {
  EnsureWindow();
  min_ = v;
  Changed(u"Min");
}
std::int32_t kestProgressBar::Max() {
  EnsureWindow();
  return max_;
}
void kestProgressBar::Max(std::int32_t v) {
  EnsureWindow();
  max_ = v;
  Changed(u"Max");
}
std::int32_t kestProgressBar::Value() {
  EnsureWindow();
  return value_;
}
void kestProgressBar::Value(std::int32_t v) {
  EnsureWindow();
  value_ = v;
  Changed(u"Value");
}
std::int32_t kestProgressBar::BorderStyle() {
  EnsureWindow();
  return borderStyle_;
}
void kestProgressBar::BorderStyle(std::int32_t v) {
  EnsureWindow();
  borderStyle_ = v;
  Changed(u"BorderStyle");
}
std::int32_t kestProgressBar::Appearance() {
  EnsureWindow();
  return appearance_;
}
void kestProgressBar::Appearance(std::int32_t v) {
  EnsureWindow();
  appearance_ = v;
  Changed(u"Appearance");
}
vb::OLE_COLOR kestProgressBar::BackColor() {
  EnsureWindow();
  return backColor_;
}
void kestProgressBar::BackColor(vb::OLE_COLOR v) {
  EnsureWindow();
  backColor_ = v;
  Changed(u"BackColor");
}
vb::OLE_COLOR kestProgressBar::ForeColor() {
  EnsureWindow();
  return foreColor_;
}
void kestProgressBar::ForeColor(vb::OLE_COLOR v) {
  EnsureWindow();
  foreColor_ = v;
  Changed(u"ForeColor");
}
vb::StdFont kestProgressBar::Font() {
  EnsureWindow();
  return font_;
}
void kestProgressBar::Font(const vb::StdFont& v) {
  EnsureWindow();
  font_ = v;
  Changed(u"Font");
}
vb::OLE_COLOR kestProgressBar::BarColor() {
  EnsureWindow();
  return barColor_;
}
void kestProgressBar::BarColor(vb::OLE_COLOR v) {
  EnsureWindow();
  barColor_ = v;
  Changed(u"BarColor");
}
vb::OLE_COLOR kestProgressBar::BarForeColor() {
  EnsureWindow();
  return barForeColor_;
}
void kestProgressBar::BarForeColor(vb::OLE_COLOR v) {
  EnsureWindow();
  barForeColor_ = v;
  Changed(u"BarForeColor");
}
vb::Picture kestProgressBar::BarPicture() { return picBar.Picture(); }
void kestProgressBar::BarPicture(const vb::Picture& v) {
  picBar.Picture(v);
  Draw();
  PropertyChanged(u"Picture");
  PropertyChanged(u"BarPicture");
}
std::int32_t kestProgressBar::BarPictureMode() {
  EnsureWindow();
  return barPictureMode_;
}
void kestProgressBar::BarPictureMode(std::int32_t v) {
  EnsureWindow();
  barPictureMode_ = v;
  Changed(u"BarPictureMode");
}
std::int32_t kestProgressBar::BackPictureMode() {
  EnsureWindow();
  return backPictureMode_;
}
void kestProgressBar::BackPictureMode(std::int32_t v) {
  EnsureWindow();
  backPictureMode_ = v;
  Changed(u"BackPictureMode");
}
vb::Picture kestProgressBar::Picture() { return picBack.Picture(); }
void kestProgressBar::Picture(const vb::Picture& v) {
  picBack.Picture(v);
  Draw();
  PropertyChanged(u"Picture");
  PropertyChanged(u"BarPicture");
}

void kestProgressBar::ModifyBarPicture(float hue, float lightness, float saturation) {
  ModifyPictureOf(picBar, hue, lightness, saturation);
}
void kestProgressBar::ModifyPicture(float hue, float lightness, float saturation) {
  ModifyPictureOf(picBack, hue, lightness, saturation);
}

void kestProgressBar::ModifyPictureOf(vb::PictureBox& box, float hue, float lightness, float saturation) {
  const auto source = SourceOf(box.Picture(), Translate(backColor_));
  if (source == nullptr) return;
  source->ModifyHLS(hue, lightness, saturation);
  // The changed pixels become the box's picture, in a bitmap of its own.
  const HBITMAP bitmap = CreateCompatibleBitmap(source->hdc(), source->Width(), source->Height());
  const HDC mem = CreateCompatibleDC(0);
  if (bitmap != 0 && mem != 0) {
    const HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, source->Width(), source->Height(), source->hdc(), 0, 0, SRCCOPY);
    SelectObject(mem, old);
    box.Picture(std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, bitmap));
  } else if (bitmap != 0) {
    DeleteObject(bitmap);
  }
  if (mem != 0) DeleteDC(mem);
  Draw();
}

// --- life -----------------------------------------------------------------------------------------

void kestProgressBar::Design() {
  picBack.Visible(false);
  picBar.Visible(false);
}

void kestProgressBar::UserControl_InitProperties() {
  segments_ = false;
  xpStyle_ = false;
  text_.clear();
  textAlignX_ = 1;
  textAlignY_ = 1;
  showText_ = false;
  min_ = 0;
  max_ = 100;
  value_ = 0;
  borderStyle_ = 1;
  appearance_ = 1;
  backColor_ = vb::vbButtonFace;
  foreColor_ = vb::vbWindowText;
  barColor_ = kBarColor;
  barForeColor_ = kBarForeColor;
  font_ = Ambient().Font;
  barPictureMode_ = 1;
  backPictureMode_ = 1;
}

namespace {
std::int32_t Colour(vb::OLE_COLOR c) { return static_cast<std::int32_t>(c); }
}  // namespace

void kestProgressBar::UserControl_ReadProperties(vb::PropertyBag& bag) {
  appearance_ = bag.ReadProperty(u"Appearance", std::int32_t{1});
  borderStyle_ = bag.ReadProperty(u"BorderStyle", std::int32_t{1});
  backColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"BackColor", Colour(vb::vbButtonFace)));
  foreColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"ForeColor", Colour(vb::vbWindowText)));
  barColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"BarColor", Colour(kBarColor)));
  barForeColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"BarForeColor", Colour(kBarForeColor)));
  picBack.Picture(bag.ReadProperty(u"Picture", vb::Picture()));
  picBar.Picture(bag.ReadProperty(u"BarPicture", vb::Picture()));
  backPictureMode_ = bag.ReadProperty(u"BackPictureMode", std::int32_t{1});
  barPictureMode_ = bag.ReadProperty(u"BarPictureMode", std::int32_t{1});
  min_ = bag.ReadProperty(u"Min", std::int32_t{0});
  max_ = bag.ReadProperty(u"Max", std::int32_t{100});
  value_ = bag.ReadProperty(u"Value", std::int32_t{0});
  showText_ = bag.ReadProperty(u"ShowText", false);
  text_ = bag.ReadProperty(u"Text", u"");
  textAlignX_ = bag.ReadProperty(u"TextAlignX", std::int32_t{1});
  textAlignY_ = bag.ReadProperty(u"TextAlignY", std::int32_t{1});
  font_ = bag.ReadProperty(u"Font", Ambient().Font);
  segments_ = bag.ReadProperty(u"Segments", false);
  xpStyle_ = bag.ReadProperty(u"XpStyle", false);
}

void kestProgressBar::UserControl_WriteProperties(vb::PropertyBag& bag) {
  bag.WriteProperty(u"Appearance", appearance_, std::int32_t{1});
  bag.WriteProperty(u"BorderStyle", borderStyle_, std::int32_t{1});
  bag.WriteProperty(u"BackColor", Colour(backColor_), Colour(vb::vbButtonFace));
  bag.WriteProperty(u"ForeColor", Colour(foreColor_), Colour(vb::vbWindowText));
  bag.WriteProperty(u"BarColor", Colour(barColor_), Colour(kBarColor));
  bag.WriteProperty(u"BarForeColor", Colour(barForeColor_), Colour(kBarForeColor));
  bag.WriteProperty(u"Picture", picBack.Picture(), vb::Picture());
  bag.WriteProperty(u"BarPicture", picBar.Picture(), vb::Picture());
  bag.WriteProperty(u"BackPictureMode", backPictureMode_, std::int32_t{1});
  bag.WriteProperty(u"BarPictureMode", barPictureMode_, std::int32_t{1});
  bag.WriteProperty(u"Min", min_, std::int32_t{0});
  bag.WriteProperty(u"Max", max_, std::int32_t{100});
  bag.WriteProperty(u"Value", value_, std::int32_t{0});
  bag.WriteProperty(u"ShowText", showText_, false);
  bag.WriteProperty(u"Text", text_, std::u16string());
  bag.WriteProperty(u"TextAlignX", textAlignX_, std::int32_t{1});
  bag.WriteProperty(u"TextAlignY", textAlignY_, std::int32_t{1});
  bag.WriteProperty(u"Font", font_, Ambient().Font);
  bag.WriteProperty(u"Segments", segments_, false);
  bag.WriteProperty(u"XpStyle", xpStyle_, false);
}

void kestProgressBar::UserControl_Resize() { Draw(); }
void kestProgressBar::UserControl_Paint() { Draw(); }

// --- drawing --------------------------------------------------------------------------------------

double kestProgressBar::Fraction() const {
  // Computed in doubles: a range of 0 gives an infinite or undefined quotient, which the limits
  // turn into an empty bar up to Min and a full one beyond it.
  const double f = (static_cast<double>(value_) - min_) / (static_cast<double>(max_) - min_);
  if (std::isnan(f) || f < 0) return 0;
  return std::min(f, 1.0);
}

void kestProgressBar::Draw() {
  const HWND h = hWnd();
  RECT client{};
  GetClientRect(h, &client);
  Drawing d;
  d.width = std::abs(client.right - client.left);
  d.height = std::abs(client.bottom - client.top);
  const HDC screen = GetDC(h);
  d.hdc = memDC_.hdc(d.width, d.height);
  const bool buffered = d.hdc != 0;
  if (!buffered) d.hdc = screen;

  bool doDefault = true;
  RaiseEvent(BeforeDraw, d.hdc, 0, 0, d.width, d.height, doDefault);
  if (doDefault) {
    DrawBackground(d);
    if (!d.themed && segments_) {
      d.chunk = kClassicChunk;
      d.space = kClassicSpace;
      d.step = kClassicChunk + kClassicSpace;
    }
    RECT inner{0, 0, d.width, d.height};
    if (borderStyle_ > 0) {
      const int by = !d.themed && appearance_ == 2 ? 2 : 1;
      inner = RECT{by, by, d.width - by, d.height - by};
    }
    d.font = MakeFont(font_, d.hdc);
    const bool text = showText_ && !text_.empty();
    if (text && !d.themed) DrawText(d, inner, foreColor_);

    const bool horizontal = d.width > d.height;
    const double f = Fraction();
    RECT bar = inner;
    if (horizontal) {
      bar.right = inner.left + static_cast<int>(std::nearbyint((inner.right - inner.left) * f));
      if (d.step > 0) bar.right = std::max<int>(inner.left, bar.right - (bar.right - inner.left) % d.step);
    } else {
      bar.top = inner.top + static_cast<int>(std::nearbyint((inner.bottom - inner.top) * (1 - f)));
      // Whole segments count from the bar's start at the bottom.
      if (d.step > 0) bar.top = std::min<int>(inner.bottom, bar.top + (inner.bottom - bar.top) % d.step);
    }

    HRGN clip = 0;
    if (!d.themed) {
      clip = CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom);
      SelectClipRgn(d.hdc, clip);
    }
    DrawBar(d, bar, horizontal);
    if (text) {
      if (d.themed) {
        RECT content = inner;
        GetThemeBackgroundContentRect(d.theme, d.hdc, horizontal ? PP_BAR : PP_BARVERT, 0, &inner, &content);
        const HGDIOBJ oldFont = SelectObject(d.hdc, d.font);
        DrawThemeText(d.theme, d.hdc, 0, 0, text_, -1, DT_SINGLELINE | textAlignX_ | (textAlignY_ * 4), 0, &content);
        SelectObject(d.hdc, oldFont);
      } else {
        DrawText(d, inner, barForeColor_);
      }
    }
    if (clip != 0) {
      SelectClipRgn(d.hdc, 0);
      DeleteObject(clip);
    }
    if (!d.themed) DrawBorder(d);
    DeleteObject(d.font);
  }

  if (buffered) memDC_.Draw(screen, 0, 0, d.width, d.height, 0, 0);
  ReleaseDC(h, screen);
  if (d.theme != 0) CloseThemeData(d.theme);
}

void kestProgressBar::DrawBackground(Drawing& d) {
  const RECT all{0, 0, d.width, d.height};
  if (const vb::Picture back = picBack.Picture()) {
    PaintPicture(d.hdc, back, all, backPictureMode_ == 1, Translate(backColor_));
    return;
  }
  if (xpStyle_) {
    d.theme = OpenThemeData(hWnd(), u"Progress");
    int chunk = 0, space = 0;
    if (d.theme != 0 && SUCCEEDED(GetThemeInt(d.theme, 0, 0, TMT_PROGRESSCHUNKSIZE, &chunk)) &&
        SUCCEEDED(GetThemeInt(d.theme, 0, 0, TMT_PROGRESSSPACESIZE, &space))) {
      d.chunk = chunk + space;
      d.space = space;
      d.step = d.chunk + space;
      const int part = d.width >= d.height ? PP_BAR : PP_BARVERT;
      d.themed = SUCCEEDED(DrawThemeBackground(d.theme, d.hdc, part, 0, &all, nullptr));
    }
    if (d.themed) return;
    d.step = d.chunk = d.space = 0;
  }
  if (IsSystemColour(backColor_)) {
    FillRect(d.hdc, &all, GetSysColorBrush(static_cast<int>(backColor_ & 0xFF)));
  } else {
    Fill(d.hdc, all, Translate(backColor_));
  }
}

void kestProgressBar::DrawText(Drawing& d, const win::RECT& r, vb::OLE_COLOR colour) {
  const HGDIOBJ oldFont = SelectObject(d.hdc, d.font);
  const int oldMode = SetBkMode(d.hdc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(d.hdc, Translate(colour));
  RECT box = r;
  const std::u16string shown = u" " + text_ + u" ";
  DrawTextW(d.hdc, shown, -1, &box, DT_SINGLELINE | textAlignX_ | (textAlignY_ * 4));
  SetTextColor(d.hdc, oldColour);
  SetBkMode(d.hdc, oldMode);
  SelectObject(d.hdc, oldFont);
}

void kestProgressBar::DrawBar(Drawing& d, const win::RECT& bar, bool horizontal) {
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;
  if (const vb::Picture picture = picBar.Picture()) {
    PaintPicture(d.hdc, picture, bar, barPictureMode_ == 1, Translate(barColor_));
    return;
  }
  if (d.themed) {
    DrawThemeBackground(d.theme, d.hdc, horizontal ? PP_CHUNK : PP_CHUNKVERT, 0, &bar, nullptr);
    return;
  }
  const COLORREF colour = Translate(barColor_);
  if (!segments_) {
    Fill(d.hdc, bar, colour);
    return;
  }
  if (horizontal) {
    for (int x = bar.left; x < bar.right; x += d.step) Fill(d.hdc, RECT{x, bar.top, std::min<int>(x + d.chunk, bar.right), bar.bottom}, colour);
  } else {
    for (int y = bar.bottom; y > bar.top; y -= d.step) Fill(d.hdc, RECT{bar.left, std::max<int>(y - d.chunk, bar.top), bar.right, y}, colour);
  }
}

void kestProgressBar::DrawBorder(Drawing& d) {
  if (borderStyle_ != 1 && borderStyle_ != 2) return;
  const bool sunken = borderStyle_ == 1;
  RECT all{0, 0, d.width, d.height};
  if (appearance_ == 2) {
    DrawEdge(d.hdc, &all, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    return;
  }
  const auto line = [&](COLORREF colour, int x0, int y0, int x1, int y1, int x2, int y2) {
    const HPEN pen = CreatePen(PS_SOLID, 1, colour);
    const HGDIOBJ old = SelectObject(d.hdc, pen);
    MoveToEx(d.hdc, x0, y0, nullptr);
    LineTo(d.hdc, x1, y1);
    LineTo(d.hdc, x2, y2);
    SelectObject(d.hdc, old);
    DeleteObject(pen);
  };
  const int r = d.width - 1, b = d.height - 1;
  if (appearance_ == 0) {
    line(0, 0, b, 0, 0, r, 0);
    line(0, r, 0, r, b, -1, b);
    return;
  }
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Left and top, then right and bottom: the far corners belong to the second pair.
  line(sunken ? shadow : light, 0, b, 0, 0, r, 0);
  line(sunken ? light : shadow, r, 0, r, b, -1, b);
}
