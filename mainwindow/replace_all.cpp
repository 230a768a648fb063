#include "mainwindow/replace_all.h"

#include <vector>

#include "platform/richedit/rich_text_box.h"

namespace mainwindow {

std::int64_t ReplaceAll(vb::RichTextBox& editor, std::u16string_view what, std::u16string_view with, int options) {
  const std::vector<std::int32_t> found = editor.Matches(what, 0, options);
  if (found.empty()) return 0;
  std::vector<vb::TextPlace> places;
  places.reserve(found.size());
  std::u16string texts;
  texts.reserve(found.size() * with.size());
  for (const std::int32_t at : found) {
    places.push_back({at, static_cast<std::int32_t>(what.size()), static_cast<std::int32_t>(with.size())});
    texts += with;
  }
  editor.Replace(std::move(places), texts);
  return static_cast<std::int64_t>(found.size());
}

}  // namespace mainwindow
