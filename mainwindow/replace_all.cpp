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
  // Only the stretch from the first match to the end of the last is read.
  const std::u16string text = editor.TextRange(from, to - from);
  std::u16string stretch;
  stretch.reserve(static_cast<std::size_t>(to - from) + found.size() * with.size());
  std::int32_t copied = from;
  for (const std::int32_t at : found) {
    stretch.append(text, static_cast<std::size_t>(copied - from), static_cast<std::size_t>(at - copied));
    stretch.append(with);
    copied = at + length;
  }
  editor.SelStart(from);
  editor.SelLength(to - from);
  editor.SelText(stretch);
  return static_cast<std::int64_t>(found.size());
}

}  // namespace mainwindow
