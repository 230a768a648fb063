// Inside the layer only: where the lines of a paragraph wrap. The paragraph is laid out a stretch at
// a time from the start of a line, so the lines near an edit of a long paragraph are found without
// laying out the rest of it; of each stretch only the lines that end well before its end are
// taken, so a line never ends where it does only because the stretch was cut there.
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <cstdint>
#include <functional>

namespace platform::richedit {

struct WrapStyle {
  QFont font;
  QTextOption option;  // its wrap mode decides where lines may break
  qreal room = 1;      // the width a line's text may take
  std::int32_t typicalLine = 64;  // characters a line is likely to hold
};

// Reads `count` characters of the paragraph from `offset`.
using ParagraphReader = std::function<QString(std::int32_t offset, std::int32_t count)>;

// Finds the lines of a paragraph of `length` characters from `from`, which is the start of a line:
// `next` hears where each line ends in turn (the last line ends at `length`) and returns false to
// stop. An empty paragraph is one empty line.
void WrapLines(const ParagraphReader& read, std::int32_t length, std::int32_t from, const WrapStyle& style,
               const std::function<bool(std::int32_t end)>& next);

// A text laid out as the one line it shows, at (0, 0), `room` wide.
void LayOutAsOneLine(QTextLayout& layout, const WrapStyle& style);

}  // namespace platform::richedit
