#include "core/edit_history.h"

#include <algorithm>

#include "core/main_window.h"
#include "platform/richedit/rich_text_box.h"

namespace modDocument {
namespace {

std::size_t HistorySize() {
  std::size_t n = 0;
  for (const auto& s : UndoStack) n += s.Text.size();
  for (const auto& s : RedoStack) n += s.Text.size();
  return n;
}

void TrimHistory() {
  std::size_t size = HistorySize();
  while (size > UndoHistoryLimit && UndoStack.size() > 2) {
    size -= UndoStack.front().Text.size();
    UndoStack.pop_front();
  }
  while (size > UndoHistoryLimit && !RedoStack.empty()) {
    size -= RedoStack.front().Text.size();
    RedoStack.pop_front();
  }
}

bool IsShortOrLineBreak(const std::u16string& s) { return s.size() < 2 || s == u"\r\n"; }

// Puts `text` into the editor at `at`, replacing `removeLength` characters there, and leaves the
// caret after it when it is short or a line break, else leaves it selected.
void PutBack(vb::RichTextBox& editor, std::int32_t at, std::int32_t removeLength, const std::u16string& text) {
  editor.SelStart(at);
  editor.SelLength(removeLength);
  editor.SelText(text);
  editor.SelStart(at);
  if (IsShortOrLineBreak(text)) {
    editor.SelStart(at + static_cast<std::int32_t>(text.size()));
  } else {
    editor.SelLength(static_cast<std::int32_t>(text.size()));
  }
}

// Where two texts differ: they share `prefix` characters before one stretch and `suffix` after it.
// Of the equally good answers (a letter typed next to the same letter) the one whose stretch in `to`
// ends at the caret the change left (`caretInTo`) is taken, so a change is undone where it was made.
struct Difference {
  std::size_t prefix;
  std::size_t suffix;
};
Difference Diff(const std::u16string& from, const std::u16string& to, std::int32_t caretInTo) {
  const std::size_t shortest = std::min(from.size(), to.size());
  std::size_t prefix = 0;
  while (prefix < shortest && from[prefix] == to[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shortest - prefix && from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix]) ++suffix;
  const std::size_t toMiddle = to.size() - prefix - suffix;
  const auto caret = static_cast<std::size_t>(std::max<std::int32_t>(caretInTo, 0));
  while (prefix > 0 && prefix + toMiddle > caret && from[prefix - 1] == from[from.size() - suffix - 1] &&
         to[prefix - 1] == to[to.size() - suffix - 1]) {
    --prefix;
    ++suffix;
  }
  return {prefix, suffix};
}

// Turns the editor's text `current` into `wanted` by replacing the one stretch where they differ.
void Transform(vb::RichTextBox& editor, const std::u16string& current, const std::u16string& wanted, Difference d) {
  PutBack(editor, static_cast<std::int32_t>(d.prefix), static_cast<std::int32_t>(current.size() - d.prefix - d.suffix),
          wanted.substr(d.prefix, wanted.size() - d.prefix - d.suffix));
}

struct RecordingOff {
  RecordingOff() { UndoRecording = false; }
  ~RecordingOff() { UndoRecording = true; }
};

}  // namespace

std::u16string GetChangedText(const std::u16string& a, const std::u16string& b, std::int32_t position) {
  const std::u16string& longer = b.size() >= a.size() ? b : a;
  const std::u16string& shorter = b.size() >= a.size() ? a : b;
  const std::int64_t d = static_cast<std::int64_t>(longer.size()) - static_cast<std::int64_t>(shorter.size());
  if (d == 0) return {};
  const std::int64_t from = static_cast<std::int64_t>(position) - d - 1;  // 0-based
  if (from < 0 || from >= static_cast<std::int64_t>(longer.size())) return {};
  return longer.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(d));
}

void RecordChange(std::int32_t selStart, const std::u16string& text) {
  if (!UndoRecording) return;
  RedoStack.clear();
  UndoStack.push_back(clsUndoRedo{selStart, static_cast<std::int32_t>(text.size()), text});
  TrimHistory();
}

void UndoEdit() {
  if (UndoStack.size() < 2 || !UndoRecording) return;
  vb::RichTextBox& editor = core::frmMain().RichTextBox();
  {
    RecordingOff off;
    const clsUndoRedo& n = UndoStack[UndoStack.size() - 1];
    const clsUndoRedo& p = UndoStack[UndoStack.size() - 2];
    const std::u16string current = editor.Text();
    if (current == n.Text) {
      // The change is undone exactly, also where it replaced a selection by text of another length.
      if (current != p.Text) Transform(editor, current, p.Text, Diff(p.Text, current, n.SelStart));
    } else if (p.TextLen < n.TextLen) {
      // The editor no longer holds the snapshot (changed without recording): remove the inserted
      // length at the caret as well as the text allows.
      const std::int32_t d = n.TextLen - p.TextLen;
      editor.SelStart(std::max(0, n.SelStart - d));
      editor.SelLength(d);
      editor.SelText(u"");
    } else {
      const auto d = static_cast<std::int32_t>(p.Text.size() > n.Text.size() ? p.Text.size() - n.Text.size()
                                                                              : n.Text.size() - p.Text.size());
      PutBack(editor, n.SelStart, 0, GetChangedText(p.Text, n.Text, n.SelStart + 1 + d));
    }
    RedoStack.push_back(n);
    UndoStack.pop_back();
  }
  editor.SetFocus();
}

void RedoEdit() {
  if (RedoStack.empty() || !UndoRecording) return;
  vb::RichTextBox& editor = core::frmMain().RichTextBox();
  {
    RecordingOff off;
    const clsUndoRedo& r = RedoStack.back();
    const std::u16string current = editor.Text();
    if (!UndoStack.empty() && current == UndoStack.back().Text) {
      if (current != r.Text) Transform(editor, current, r.Text, Diff(current, r.Text, r.SelStart));
    } else if (r.TextLen < static_cast<std::int32_t>(current.size())) {
      editor.SelStart(r.SelStart);
      editor.SelLength(static_cast<std::int32_t>(current.size()) - r.TextLen);
      editor.SelText(u"");
    } else {
      const std::u16string inserted = GetChangedText(current, r.Text, r.SelStart + 1);
      PutBack(editor, r.SelStart - static_cast<std::int32_t>(inserted.size()), 0, inserted);
    }
    UndoStack.push_back(r);
    RedoStack.pop_back();
  }
  editor.SetFocus();
}

}  // namespace modDocument
