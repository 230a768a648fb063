// Fonts and text.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/codepage/codepage.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"

namespace platform::gdi {

// Left to itself, the toolkit places letters at fractional advances (on a scaled screen above all),
// and unsmoothed letters, each rounded to its pixel, then stand apart inside words.
void DrawAsThePlatform(QFont& f) {
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
}

QFont DefaultFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  DrawAsThePlatform(f);
  return f;
}

QString FontFamily(const QString& face) {
  const QString name = face.trimmed();
  if (name.isEmpty() || name.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0 ||
      name.compare(u"Tahoma", Qt::CaseInsensitive) == 0 || name.compare(u"MS Shell Dlg", Qt::CaseInsensitive) == 0)
    return QStringLiteral("DejaVu Sans");
  return name;
}

QString FamilyWithoutFoundry(const QString& family) {
  const qsizetype tag = family.lastIndexOf(QLatin1String(" ["));
  return tag > 0 && family.endsWith(QLatin1Char(']')) ? family.left(tag) : family;
}

QStringList FontFamilies() {
  QStringList names;
  for (const QString& family : QFontDatabase::families()) names << FamilyWithoutFoundry(family);
  names.removeDuplicates();
  names.sort(Qt::CaseInsensitive);
  return names;
}

namespace {

QFont MakeFont(const win::LOGFONTA& lf) {
  QFont f(FontFamily(QString::fromStdU16String(vb::FromWindows1251(lf.lfFaceName))));
  DrawAsThePlatform(f);
  if (lf.lfHeight < 0) {
    f.setPixelSize(-lf.lfHeight);
  } else if (lf.lfHeight > 0) {
    // A positive height is the cell height: ascent plus descent.
    QFont probe(f);
    probe.setPixelSize(100);
    const int cell = QFontMetrics(probe).height();
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(lf.lfHeight * 100.0 / std::max(1, cell)))));
  } else {
    f.setPixelSize(11);
  }
  const int weight = lf.lfWeight == 0 ? 400 : std::clamp<int>(lf.lfWeight, 100, 900);
  f.setWeight(static_cast<QFont::Weight>(weight));
  f.setItalic(lf.lfItalic != 0);
  f.setUnderline(lf.lfUnderline != 0);
  f.setStrikeOut(lf.lfStrikeOut != 0);
  return f;
}

const Font* FontOf(const DC& dc) { return Get<Font>(dc.font); }

QFont QFontOf(const DC& dc) {
  const Font* f = FontOf(dc);
  return f != nullptr ? f->qfont : DefaultFont();
}

// A line of text with the positions of the letters a "&" marks.
struct Line {
  QString text;
  std::vector<int> marked;
};

std::vector<Line> Layout(std::u16string_view raw, bool prefixes, bool single) {
  std::vector<Line> lines(1);
  for (size_t i = 0; i < raw.size(); ++i) {
    const char16_t c = raw[i];
    if (c == u'\r' || c == u'\n') {
      if (single) continue;
      if (c == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n') ++i;
      lines.emplace_back();
      continue;
    }
    if (prefixes && c == u'&' && i + 1 < raw.size()) {
      ++i;
      if (raw[i] != u'&') lines.back().marked.push_back(static_cast<int>(lines.back().text.size()));
    }
    lines.back().text.append(QChar(raw[i]));
  }
  return lines;
}

// Sets the pixels the text covers (no anti-aliasing) in the context's text colour. `place` maps a
// pixel of the upright text block to device pixels.
template <typename Place>
void Stamp(const DC& dc, const Canvas& canvas, const win::RECT& limit, const QImage& block, Place place) {
  const std::uint32_t ink = canvas.pixelOf(dc.text);
  for (int v = 0; v < block.height(); ++v) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(block.constScanLine(v));
    for (int u = 0; u < block.width(); ++u) {
      if ((row[u] >> 24) < 128) continue;
      const auto [x, y] = place(u, v);
      if (x >= limit.left && x < limit.right && y >= limit.top && y < limit.bottom) canvas.row(y)[x] = ink;
    }
  }
}

}  // namespace
}  // namespace platform::gdi

namespace win {

using namespace platform::gdi;

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
  if (lf == nullptr) return 0;
  Font f;
  f.lf = *lf;
  f.lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  f.qfont = MakeFont(f.lf);
  return Add(std::move(f));
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long p = static_cast<long long>(number) * numerator;
  long long q = (std::llabs(p) + std::llabs(static_cast<long long>(denominator)) / 2) / std::llabs(static_cast<long long>(denominator));
  if ((p < 0) != (denominator < 0)) q = -q;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

int DrawTextW(HDC hdc, std::u16string_view text, int count, RECT* r, UINT format) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || r == nullptr) return 0;
  if (count >= 0 && static_cast<size_t>(count) < text.size()) text = text.substr(0, static_cast<size_t>(count));
  const QFont font = QFontOf(*dc);
  const QFontMetrics fm(font);
  const bool single = (format & DT_SINGLELINE) != 0;
  const std::vector<Line> lines = Layout(text, (format & DT_NOPREFIX) == 0, single);
  const int lineHeight = fm.height();
  int width = 0;
  for (const Line& l : lines) width = std::max(width, fm.horizontalAdvance(l.text));
  const int height = lineHeight * static_cast<int>(lines.size());
  if ((format & DT_CALCRECT) != 0) {
    r->right = r->left + width;
    r->bottom = r->top + height;
    return height;
  }
  if (text.empty()) return 0;
  auto canvas = CanvasOf(hdc);
  if (!canvas) return height;

  // The upright text block, white on transparent.
  QImage block(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
  block.fill(0);
  {
    QPainter p(&block);
    p.setFont(font);
    p.setPen(Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (size_t i = 0; i < lines.size(); ++i) {
      const Line& l = lines[i];
      const int x = (format & DT_CENTER) != 0 ? (width - fm.horizontalAdvance(l.text)) / 2
                    : (format & DT_RIGHT) != 0 ? width - fm.horizontalAdvance(l.text)
                                              : 0;
      const int base = static_cast<int>(i) * lineHeight + fm.ascent();
      p.drawText(x, base, l.text);
      for (int m : l.marked) {
        const int ux = x + fm.horizontalAdvance(l.text.left(m));
        const int uw = fm.horizontalAdvance(l.text.at(m));
        p.fillRect(ux, base + std::max(1, fm.underlinePos()), uw, std::max(1, fm.lineWidth()), Qt::white);
      }
    }
  }

  const Font* f = FontOf(*dc);
  const int turns = f != nullptr ? static_cast<int>(((f->lf.lfEscapement % 3600 + 3600) % 3600 + 450) / 900) % 4 : 0;
  const int ox = r->left + dc->org.x;
  const int oy = r->top + dc->org.y;
  RECT limit = DrawableRect(*dc, *canvas);
  if (turns == 0) {
    int top = oy;
    if (single && (format & DT_VCENTER) != 0) top = oy + ((r->bottom - r->top) - height) / 2;
    if (single && (format & DT_BOTTOM) != 0) top = r->bottom + dc->org.y - height;
    int left = ox;
    if ((format & DT_CENTER) != 0) left = ox + ((r->right - r->left) - width) / 2;
    if ((format & DT_RIGHT) != 0) left = r->right + dc->org.x - width;
    if ((format & DT_NOCLIP) == 0) {
      limit.left = std::max(limit.left, ox);
      limit.top = std::max(limit.top, oy);
      limit.right = std::min(limit.right, r->right + dc->org.x);
      limit.bottom = std::min(limit.bottom, r->bottom + dc->org.y);
    }
    if (dc->bkMode == OPAQUE) {
      const std::uint32_t bk = canvas->pixelOf(dc->bk);
      for (int y = std::max(top, limit.top); y < std::min(top + height, limit.bottom); ++y)
        for (int x = std::max(left, limit.left); x < std::min(left + width, limit.right); ++x) canvas->row(y)[x] = bk;
    }
    Stamp(*dc, *canvas, limit, block, [=](int u, int v) { return std::pair{left + u, top + v}; });
  } else {
    Stamp(*dc, *canvas, limit, block, [=](int u, int v) {
      switch (turns) {
        case 1: return std::pair{ox + v, oy - 1 - u};       // 90 degrees counter-clockwise: upwards
        case 2: return std::pair{ox - 1 - u, oy - 1 - v};   // upside down
        default: return std::pair{ox - 1 - v, oy + u};      // 270 degrees: downwards
      }
    });
  }
  Drawn(*dc);
  return height;
}

BOOL GetTextExtentPoint32W(HDC hdc, std::u16string_view text, int count, SIZE* size) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || size == nullptr || count < 0) return FALSE;
  const QFontMetrics fm(QFontOf(*dc));
  const auto n = std::min(text.size(), static_cast<size_t>(count));
  size->cx = fm.horizontalAdvance(QString::fromUtf16(text.data(), static_cast<qsizetype>(n)));
  size->cy = fm.height();
  return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr || tm == nullptr) return FALSE;
  const QFont font = QFontOf(*dc);
  const QFontMetrics fm(font);
  const Font* f = FontOf(*dc);
  *tm = TEXTMETRICA{};
  tm->tmHeight = fm.height();
  tm->tmAscent = fm.ascent();
  tm->tmDescent = fm.descent();
  tm->tmInternalLeading = std::max(0, fm.height() - font.pixelSize());
  tm->tmExternalLeading = std::max(0, fm.leading());
  tm->tmAveCharWidth = fm.averageCharWidth();
  tm->tmMaxCharWidth = fm.maxWidth();
  tm->tmWeight = f != nullptr && f->lf.lfWeight != 0 ? f->lf.lfWeight : FW_NORMAL;
  tm->tmItalic = f != nullptr ? f->lf.lfItalic : 0;
  tm->tmUnderlined = f != nullptr ? f->lf.lfUnderline : 0;
  tm->tmStruckOut = f != nullptr ? f->lf.lfStrikeOut : 0;
  tm->tmCharSet = f != nullptr ? f->lf.lfCharSet : 204;
  return TRUE;
}

int GetTextFaceA(HDC hdc, int count, char* face) {
  DC* dc = Get<DC>(hdc);
  if (dc == nullptr) return 0;
  const QString family = QFontInfo(QFontOf(*dc)).family();
  const std::string name = vb::ToWindows1251(std::u16string_view(reinterpret_cast<const char16_t*>(family.utf16()),
                                                                 static_cast<size_t>(family.size())));
  if (face == nullptr) return static_cast<int>(name.size()) + 1;
  if (count <= 0) return 0;
  const size_t n = std::min(name.size(), static_cast<size_t>(count) - 1);
  std::memcpy(face, name.data(), n);
  face[n] = '\0';
  return static_cast<int>(n) + 1;
}

}  // namespace win
