#include "platform/richedit/line_wrapping.h"

#include <QTextLayout>
#include <algorithm>

namespace platform::richedit {
namespace {

// A line of a stretch is taken only when it ends at least this many characters before the
// stretch's cut end: where a line may break depends on the characters just after the break.
constexpr std::int32_t kGuard = 32;
constexpr std::int32_t kLeastStretch = 256;
constexpr std::int32_t kMostStretch = 16384;

}  // namespace

void WrapLines(const ParagraphReader& read, std::int32_t length, std::int32_t from, const WrapStyle& style,
               const std::function<bool(std::int32_t end)>& next) {
  if (from >= length) {
    next(length);
    return;
  }
  std::int32_t stretch = std::clamp(4 * style.typicalLine + kGuard, kLeastStretch, kMostStretch);
  for (std::int32_t start = from; start < length;) {
    const std::int32_t end = std::min(length, start + stretch);
    const bool cut = end < length;
    QTextLayout layout(read(start, end - start), style.font);
    layout.setTextOption(style.option);
    layout.setCacheEnabled(false);
    std::int32_t taken = start;
    bool stop = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(style.room);
      const std::int32_t lineEnd = start + line.textStart() + line.textLength();
      if (cut && lineEnd > end - kGuard) break;
      taken = lineEnd;
      if (!next(lineEnd)) {
        stop = true;
        break;
      }
    }
    layout.endLayout();
    if (stop) return;
    // No line ended early enough: a line longer than the stretch.
    if (taken == start) stretch = std::min(stretch * 2, std::max(kMostStretch, stretch * 2));
    else stretch = std::min(stretch * 2, kMostStretch);
    start = taken;
  }
}

void LayOutAsOneLine(QTextLayout& layout, const WrapStyle& style) {
  QTextOption option = style.option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(style.room);
    line.setPosition(QPointF(0, 0));
  }
  layout.endLayout();
}

}  // namespace platform::richedit
