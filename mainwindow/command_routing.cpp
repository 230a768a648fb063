#include "mainwindow/command_routing.h"

#include "core/decode.h"
#include "core/document.h"
#include "core/edit_history.h"
#include "mainwindow/command_table.h"

namespace mainwindow {

void CommandTarget::ReloadDocument() { modDocument::ReloadDocument(); }
void CommandTarget::UndoEdit() { modDocument::UndoEdit(); }
void CommandTarget::RedoEdit() { modDocument::RedoEdit(); }
void CommandTarget::UndoDecode() { modDecode::UndoDecode(); }
void CommandTarget::CancelDecode() { modDecode::CancelDecode(); }

void CommandTarget::DecodeToolbarStart() {
  modDecode::DecodeCancelled = false;
  StartDecode();
}

void CommandTarget::DecodeToolbarStop() {
  CancelDecode();
  UnloadDecodingWindow();
}

std::vector<std::u16string> SplitCommandKey(std::u16string_view key) {
  std::vector<std::u16string> words;
  std::size_t start = 0;
  for (std::size_t p; (p = key.find(u':', start)) != std::u16string_view::npos; start = p + 1)
    words.emplace_back(key.substr(start, p - start));
  words.emplace_back(key.substr(start));
  return words;
}

void RouteButtonClick(std::u16string_view key, CommandTarget& target) {
  const std::vector<std::u16string> words = SplitCommandKey(key);
  // The key's leading words, one more at each step: "MENU:FILE", "MENU:FILE:NEW", ...
  std::u16string leading = words[0];
  for (std::size_t i = 1; i < words.size(); ++i) {
    leading += u':' + words[i];
    const CommandRow* row = FindCommand(leading);
    if (row == nullptr) return;
    if (!row->Runs()) continue;
    if (row->changesDocument && modDecode::DecodeRunning()) return;
    if (row->direction >= 0)
      target.ConvertDirection(row->direction);
    else
      (target.*row->handler)();
    return;
  }
}

}  // namespace mainwindow
