#include "platform/richedit/line_breaks.h"

#include <QTextBlock>
#include <algorithm>

#include "platform/richedit/gap_text.h"

namespace platform::richedit {
namespace {

// The line breaks that are a lone CR or a lone LF.
std::size_t LoneBreaks(std::u16string_view s) {
  std::size_t lone = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    else if (s[i] == u'\r' || s[i] == u'\n') ++lone;
  }
  return lone;
}

}  // namespace

// Text as the document takes it: lines separated by '\n', whatever the separators were.
QString ToDocumentText(std::u16string_view s) {
  QString out(static_cast<qsizetype>(s.size()), Qt::Uninitialized);
  char16_t* o = reinterpret_cast<char16_t*>(out.data());
  char16_t* const begin = o;
  const char16_t* p = s.data();
  const char16_t* end = p + s.size();
  while (p < end) {
    const char16_t* cr = std::find(p, end, u'\r');
    o = std::copy(p, cr, o);
    if (cr == end) break;
    *o++ = u'\n';
    p = cr + 1;
    if (p < end && *p == u'\n') ++p;
  }
  out.truncate(static_cast<qsizetype>(o - begin));
  return out;
}

// The document's raw text (paragraph separators between blocks) with CR LF between lines.
std::u16string FromDocumentText(const QString& raw) {
  std::u16string out;
  out.reserve(static_cast<std::size_t>(raw.size()) + static_cast<std::size_t>(raw.size()) / 16);
  for (QChar c : raw) {
    if (c == QChar::ParagraphSeparator) out += u"\r\n";
    else out.push_back(c.unicode());
  }
  return out;
}

// The text with every line break made CR LF.
std::u16string WithCrLf(std::u16string_view s) {
  const std::size_t lone = LoneBreaks(s);
  std::u16string out;
  out.reserve(s.size() + lone + GapText::RoomFor(s.size() + lone));
  if (lone == 0) return out.assign(s);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r' || s[i] == u'\n') {
      out += u"\r\n";
      if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

// The same for a text the caller gives up: one whose breaks are all CR LF is handed back as it is.
std::u16string WithCrLfTaken(std::u16string s) {
  if (LoneBreaks(s) == 0) return s;
  return WithCrLf(s);
}

std::int32_t CountLineBreaks(std::u16string_view s) {
  std::int32_t n = 0;
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == u'\r' && s[i + 1] == u'\n') ++n;
  return n;
}

Stretch Differing(std::u16string_view before, std::u16string_view after, bool leftmost) {
  return DifferingTexts(before, after, leftmost);
}

int ToDocumentPosition(const QTextDocument& document, std::int32_t p, std::int32_t total) {
  p = std::clamp<std::int32_t>(p, 0, total);
  int lo = 0;
  int hi = document.blockCount() - 1;
  while (lo < hi) {  // the last block whose first character is at or before p
    const int mid = lo + (hi - lo + 1) / 2;
    if (document.findBlockByNumber(mid).position() + mid <= p) lo = mid;
    else hi = mid - 1;
  }
  const QTextBlock b = document.findBlockByNumber(lo);
  const int offset = std::min<int>(p - (b.position() + lo), b.length() - 1);
  return b.position() + offset;
}

}  // namespace platform::richedit
