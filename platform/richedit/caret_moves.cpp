#include "platform/richedit/caret_moves.h"

#include <QChar>
#include <QString>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace platform::richedit {
namespace {

// Characters around a grapheme boundary that decide it.
constexpr std::int32_t kContext = 32;

bool IsSpace(char16_t c) { return QChar(c).isSpace(); }

bool IsSeparator(char16_t c) {
  switch (c) {
    case u'.': case u',': case u'?': case u'!': case u'@': case u'#': case u'$': case u':':
    case u';': case u'-': case u'<': case u'>': case u'[': case u']': case u'(': case u')':
    case u'{': case u'}': case u'=': case u'/': case u'+': case u'%': case u'&': case u'^':
    case u'*': case u'\'': case u'"': case u'`': case u'~': case u'|': case u'\\':
      return true;
    default:
      return false;
  }
}

QString Window(const EditorText& text, std::int32_t from, std::int32_t to) {
  std::u16string scratch;
  const std::u16string_view piece = text.Piece(from, to - from, scratch);
  return QString(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size()));
}

struct Place {
  std::int32_t start;  // of the paragraph
  std::int32_t end;
};

Place ParagraphAround(const EditorText& text, std::int32_t at) {
  const std::ptrdiff_t p = text.ParagraphOf(at);
  return {text.ParagraphStart(p), text.ParagraphEnd(p)};
}

}  // namespace

std::int32_t NextCharacter(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  if (at >= p.end) return std::min(at + 2, text.Length());
  const std::int32_t to = std::min(p.end, at + kContext);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, Window(text, at, to));
  const qsizetype next = finder.toNextBoundary();
  return next > 0 ? at + static_cast<std::int32_t>(next) : to;
}

std::int32_t PreviousCharacter(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  if (at <= p.start) return std::max(at - 2, 0);
  const std::int32_t from = std::max(p.start, at - kContext);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, Window(text, from, at));
  finder.toEnd();
  const qsizetype previous = finder.toPreviousBoundary();
  return previous >= 0 ? from + static_cast<std::int32_t>(previous) : from;
}

std::int32_t PreviousCodePoint(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  if (at <= p.start) return std::max(at - 2, 0);
  if (at - 1 > p.start && QChar::isLowSurrogate(text.At(at - 1)) && QChar::isHighSurrogate(text.At(at - 2)))
    return at - 2;
  return at - 1;
}

std::int32_t NextWord(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  if (at >= p.end) return std::min(at + 2, text.Length());
  if (IsSeparator(text.At(at))) {
    while (at < p.end && IsSeparator(text.At(at))) ++at;
  } else {
    while (at < p.end && !IsSpace(text.At(at)) && !IsSeparator(text.At(at))) ++at;
  }
  while (at < p.end && IsSpace(text.At(at))) ++at;
  return at;
}

std::int32_t PreviousWord(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  if (at <= p.start) return std::max(at - 2, 0);
  while (at > p.start && IsSpace(text.At(at - 1))) --at;
  if (at > p.start && IsSeparator(text.At(at - 1))) {
    while (at > p.start && IsSeparator(text.At(at - 1))) --at;
  } else {
    while (at > p.start && !IsSpace(text.At(at - 1)) && !IsSeparator(text.At(at - 1))) --at;
  }
  return at;
}

Span WordAt(const EditorText& text, std::int32_t at) {
  at = text.Snap(at);
  const Place p = ParagraphAround(text, at);
  // The start: the word that holds the character at `at` (or ends there at the paragraph's end).
  std::int32_t from = at;
  if (at > p.start) {
    const bool atEnd = at >= p.end;
    if (!(atEnd && (IsSpace(text.At(at - 1)) || IsSeparator(text.At(at - 1)))))
      from = PreviousWord(text, atEnd ? at : at + 1);
  }
  // The end: over the word's letters, or over a run of punctuation.
  std::int32_t to = from;
  if (to < p.end && IsSeparator(text.At(to))) {
    while (to < p.end && IsSeparator(text.At(to))) ++to;
  } else {
    while (to < p.end && !IsSpace(text.At(to)) && !IsSeparator(text.At(to))) ++to;
  }
  return {from, to};
}

}  // namespace platform::richedit
