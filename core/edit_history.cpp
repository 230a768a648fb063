#include "core/edit_history.h"

#include <algorithm>

#include "core/main_window.h"
#include "core/state_flag.h"
#include "platform/richedit/rich_text_box.h"

namespace modDocument {
namespace {

constexpr std::size_t kRecordCost = sizeof(clsUndoRedo) / sizeof(char16_t);

std::size_t Cost(const clsUndoRedo& s) { return kRecordCost + s.Other.capacity(); }

std::size_t HistorySize() {
  std::size_t n = 0;
  for (const auto& s : UndoStack) n += Cost(s);
  for (const auto& s : RedoStack) n += Cost(s);
  return n;
}

void TrimHistory() {
  std::size_t size = HistorySize();
  while (size > UndoHistoryLimit && UndoStack.size() > 2) {
    size -= Cost(UndoStack.front());
    UndoStack.pop_front();
    // The oldest snapshot is never undone: its stretch is not needed.
    size -= UndoStack.front().Other.capacity();
    std::u16string().swap(UndoStack.front().Other);
  }
  while (size > UndoHistoryLimit && !RedoStack.empty()) {
    size -= Cost(RedoStack.front());
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

// Replaces the snapshot's stretch in the editor by the neighbour's, and turns the snapshot's record
// round: it now keeps what the editor held there.
void SwapStretch(vb::RichTextBox& editor, clsUndoRedo& s) {
  if (s.StretchLength == 0 && s.Other.empty()) return;  // a change that kept the text as it was
  std::u16string here = editor.TextRange(s.Position, s.StretchLength);
  PutBack(editor, s.Position, s.StretchLength, s.Other);
  s.StretchLength = static_cast<std::int32_t>(s.Other.size());
  s.Other = std::move(here);
}

// The `count` characters of the neighbour's text from `from`, as far as the stretch holds them.
std::u16string NeighbourText(const clsUndoRedo& s, std::int64_t from, std::int64_t count) {
  const std::int64_t offset = from - s.Position;
  if (offset < 0 || count <= 0 || offset >= static_cast<std::int64_t>(s.Other.size())) return {};
  return s.Other.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
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

void RecordChange(const vb::RichTextBox& editor) {
  if (!UndoRecording) return;
  RedoStack.clear();
  const vb::RichTextBox::TextChange& change = editor.LastChange();
  clsUndoRedo s;
  s.SelStart = editor.SelStart();
  s.TextLen = editor.TextLength();
  s.Text.length = static_cast<std::size_t>(s.TextLen);
  s.Position = change.position;
  s.StretchLength = change.insertedLength;
  if (!UndoStack.empty()) s.Other = change.removed;  // the first snapshot is only the base
  s.Revision = change.revision;
  UndoStack.push_back(std::move(s));
  TrimHistory();
  core::StateChanged();
}

void UndoEdit() {
  if (UndoStack.size() < 2 || !UndoRecording) return;
  vb::RichTextBox& editor = core::frmMain().RichTextBox();
  {
    RecordingOff off;
    clsUndoRedo n = std::move(UndoStack.back());
    UndoStack.pop_back();
    clsUndoRedo& p = UndoStack.back();
    if (n.Revision != 0 && n.Revision == editor.LastChange().revision) {
      // The editor holds the snapshot: the change is undone exactly, also where it replaced a
      // selection by text of another length.
      SwapStretch(editor, n);
      p.Revision = editor.LastChange().revision;
    } else {
      // The editor changed without recording: remove the inserted length at the caret, or put
      // back what the change removed there, as well as the text allows.
      if (p.TextLen < n.TextLen) {
        const std::int32_t d = n.TextLen - p.TextLen;
        editor.SelStart(std::max(0, n.SelStart - d));
        editor.SelLength(d);
        editor.SelText(u"");
      } else {
        PutBack(editor, n.SelStart, 0, NeighbourText(n, n.SelStart, p.TextLen - n.TextLen));
      }
      p.Revision = 0;
      n.Revision = 0;
      n.StretchLength = 0;
      n.Other.clear();
    }
    RedoStack.push_back(std::move(n));
  }
  core::StateChanged();
  editor.SetFocus();
}

void RedoEdit() {
  if (RedoStack.empty() || !UndoRecording) return;
  vb::RichTextBox& editor = core::frmMain().RichTextBox();
  {
    RecordingOff off;
    clsUndoRedo r = std::move(RedoStack.back());
    RedoStack.pop_back();
    const std::int32_t length = editor.TextLength();
    if (!UndoStack.empty() && UndoStack.back().Revision != 0 &&
        UndoStack.back().Revision == editor.LastChange().revision) {
      SwapStretch(editor, r);
      r.Revision = editor.LastChange().revision;
    } else {
      if (r.TextLen < length) {
        editor.SelStart(r.SelStart);
        editor.SelLength(length - r.TextLen);
        editor.SelText(u"");
      } else {
        const std::int32_t d = r.TextLen - length;
        PutBack(editor, r.SelStart - d, 0, NeighbourText(r, r.SelStart - d, d));
      }
      r.Revision = 0;
      r.StretchLength = 0;
      r.Other.clear();
    }
    UndoStack.push_back(std::move(r));
  }
  core::StateChanged();
  editor.SetFocus();
}

}  // namespace modDocument
