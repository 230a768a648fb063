#include "platform/gdi/text_blocks.h"

#include <QFontMetrics>
#include <QHash>
#include <QHashFunctions>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace platform::gdi {
namespace {

// Texts kept at most; past it the store starts afresh (a program draws far fewer captions).
constexpr qsizetype kKept = 2000;

// A line of text with the positions of the letters a "&" marks.
struct Line {
  QString text;
  std::vector<int> marked;
};

std::vector<Line> Lines(std::u16string_view raw, bool prefixes, bool single) {
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

// The pixels of the block that the lines, drawn white without anti-aliasing, cover at least half.
std::vector<QPoint> Ink(const QFont& font, const std::vector<Line>& lines, const TextBlock& b, win::UINT format) {
  const QFontMetrics fm(font);
  QImage block(std::max(1, b.width), std::max(1, b.height), QImage::Format_ARGB32_Premultiplied);
  block.fill(0);
  {
    QPainter p(&block);
    p.setFont(font);
    p.setPen(Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (size_t i = 0; i < lines.size(); ++i) {
      const Line& l = lines[i];
      const int x = (format & win::DT_CENTER) != 0 ? (b.width - fm.horizontalAdvance(l.text)) / 2
                    : (format & win::DT_RIGHT) != 0 ? b.width - fm.horizontalAdvance(l.text)
                                                     : 0;
      const int base = static_cast<int>(i) * b.lineHeight + b.ascent;
      p.drawText(x, base, l.text);
      for (int m : l.marked) {
        const int ux = x + fm.horizontalAdvance(l.text.left(m));
        const int uw = fm.horizontalAdvance(l.text.at(m));
        p.fillRect(ux, base + std::max(1, fm.underlinePos()), uw, std::max(1, fm.lineWidth()), Qt::white);
      }
    }
  }
  std::vector<QPoint> ink;
  for (int v = 0; v < block.height(); ++v) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(block.constScanLine(v));
    for (int u = 0; u < block.width(); ++u)
      if ((row[u] >> 24) >= 128) ink.emplace_back(u, v);
  }
  return ink;
}

struct Kept {
  TextBlock block;
  int advance = -1;  // for TextAdvance
};

// A text in a font, for a use: the font by the properties the layer sets on its fonts (QFont::key()
// says the same at many times the cost).
struct Key {
  QString family;
  int pixelSize;
  qreal pointSize;
  int weight;
  int style;  // italic, underline, strike-out, style strategy
  char16_t use;
  QString text;
  bool operator==(const Key&) const = default;
};

size_t qHash(const Key& k, size_t seed = 0) {
  return qHashMulti(seed, k.family, k.pixelSize, k.pointSize, k.weight, k.style, k.use, k.text);
}

QHash<Key, Kept>& kept() {
  static QHash<Key, Kept> k;
  return k;
}

Kept& Find(const QFont& font, std::u16string_view text, char16_t use, bool* fresh) {
  const int style = (font.italic() ? 1 : 0) | (font.underline() ? 2 : 0) | (font.strikeOut() ? 4 : 0) |
                    (static_cast<int>(font.styleStrategy()) << 3);
  Key key{font.family(), font.pixelSize(), font.pointSizeF(), static_cast<int>(font.weight()), style, use,
          QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))};
  auto& k = kept();
  auto it = k.find(key);
  *fresh = it == k.end();
  if (*fresh) {
    if (k.size() >= kKept) k.clear();
    it = k.insert(std::move(key), Kept{});
  }
  return *it;
}

}  // namespace

const TextBlock& LaidOutText(const QFont& font, std::u16string_view text, win::UINT format, bool withInk) {
  format &= win::DT_NOPREFIX | win::DT_SINGLELINE | win::DT_CENTER | win::DT_RIGHT;
  bool fresh = false;
  Kept& k = Find(font, text, static_cast<char16_t>(u'A' + format), &fresh);
  TextBlock& b = k.block;
  if (!fresh && (!withInk || b.drawn)) return b;
  const std::vector<Line> lines = Lines(text, (format & win::DT_NOPREFIX) == 0, (format & win::DT_SINGLELINE) != 0);
  if (fresh) {
    const QFontMetrics fm(font);
    b.lineHeight = fm.height();
    b.ascent = fm.ascent();
    for (const Line& l : lines) b.width = std::max(b.width, fm.horizontalAdvance(l.text));
    b.height = b.lineHeight * static_cast<int>(lines.size());
  }
  if (withInk) {
    b.ink = Ink(font, lines, b, format);
    b.drawn = true;
  }
  return b;
}

int TextAdvance(const QFont& font, std::u16string_view text) {
  bool fresh = false;
  Kept& k = Find(font, text, u'@', &fresh);
  if (k.advance < 0)
    k.advance = QFontMetrics(font).horizontalAdvance(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
  return k.advance;
}

}  // namespace platform::gdi
