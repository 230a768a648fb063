#include "mainwindow/replace_all.h"

#include <vector>

#include "platform/richedit/rich_text_box.h"

namespace mainwindow {

std::int64_t ReplaceAll(vb::RichTextBox& editor, std::u16string_view what, std::u16string_view with, int options) {
  const std::vector<std::int32_t> found = editor.Matches(what, 0, options);
  if (found.empty()) return 0;
  const auto length = static_cast<std::int32_t>(what.size());
  const std::int32_t from = found.front();
  const std::int32_t to = found.back() + length;
  // The new stretch from the first match to the end of the last, built in one pass over the old
  // one as the control hands it out a piece at a time.
  std::u16string stretch;
  stretch.reserve(static_cast<std::size_t>(to - from) + found.size() * with.size());
  auto next = found.begin();
  std::int32_t at = from;        // the position of the piece's first character
  std::int32_t copied = from;    // characters before this are in the new stretch, or replaced
  editor.ReadText(from, to - from, [&](std::u16string_view piece) {
    const std::int32_t end = at + static_cast<std::int32_t>(piece.size());
    while (copied < end) {
      const std::int32_t match = next != found.end() ? *next : end;
      if (copied < match) {
        const std::int32_t upTo = std::min(match, end);
        stretch.append(piece.substr(static_cast<std::size_t>(copied - at), static_cast<std::size_t>(upTo - copied)));
        copied = upTo;
        continue;
      }
      stretch.append(with);
      copied = match + length;
      ++next;
    }
    at = end;
  });
  editor.SelStart(from);
  editor.SelLength(to - from);
  editor.SelText(stretch);
  return static_cast<std::int64_t>(found.size());
}

}  // namespace mainwindow
