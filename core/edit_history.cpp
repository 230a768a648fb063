#include "core/edit_history.h"

#include <algorithm>

#include "core/main_window.h"
#include "core/state_flag.h"
#include "platform/richedit/rich_text_box.h"

namespace modDocument {
namespace {

constexpr std::size_t kRecordCost = sizeof(clsUndoRedo) / sizeof(char16_t);

std::size_t Cost(const clsUndoRedo& s) {
  return kRecordCost + s.Other.capacity() + s.Places.capacity() * sizeof(vb::TextPlace) / sizeof(char16_t);
}

std::size_t HistorySize() {
  std::size_t n = 0;
  for (const auto& s : UndoStack) n += Cost(s);
  for (const auto& s : RedoStack) n += Cost(s);
  return n;
}

// The oldest snapshot is never undone: its places are not needed.
void Forget(clsUndoRedo& s) {
  std::vector<vb::TextPlace>().swap(s.Places);
  std::u16string().swap(s.Other);
}

void TrimHistory() {
  std::size_t size = HistorySize();
  while (size > UndoHistoryLimit && UndoStack.size() > 2) {
    size -= Cost(UndoStack.front());
    UndoStack.pop_front();
    size -= Cost(UndoStack.front()) - kRecordCost;
    Forget(UndoStack.front());
  }
  while (size > UndoHistoryLimit && !RedoStack.empty()) {
    size -= Cost(RedoStack.front());
    RedoStack.pop_front();
  }
}

bool IsShortOrLineBreak(std::u16string_view s) { return s.size() < 2 || s == u"\r\n"; }

// Puts `texts` into the editor at `places` (as RichTextBox::Replace takes them), and leaves the
// caret after them when they are short or a line break, else leaves them selected (from the first
// place to the end of the last).
void PutBack(vb::RichTextBox& editor, std::vector<vb::TextPlace> places, const std::u16string& texts) {
  const std::int32_t from = places.front().position;
  std::int32_t to = from;
  std::int32_t shift = 0;  // how far the places before moved this one
  for (const vb::TextPlace& p : places) {
    to = p.position + shift + p.inserted;
    shift += p.inserted - p.removed;
  }
  editor.Replace(std::move(places), texts);
  if (IsShortOrLineBreak(texts)) {
    editor.SelStart(to);
  } else {
    editor.SelStart(from);
    editor.SelLength(to - from);
  }
}

// Replaces the snapshot's places in the editor by the neighbour's texts, and turns the snapshot's
// record round: it now keeps what the editor held there.
void SwapStretch(vb::RichTextBox& editor, clsUndoRedo& s) {
  if (s.Other.empty() && std::all_of(s.Places.begin(), s.Places.end(), [](const vb::TextPlace& p) { return p.inserted == 0; }))
    return;  // a change that kept the text as it was
  std::vector<vb::TextPlace> back;
  back.reserve(s.Places.size());
  for (const vb::TextPlace& p : s.Places) back.push_back({p.position, p.inserted, p.removed});
  PutBack(editor, std::move(back), s.Other);
  // Copies of the change made, their old memory freed (an assignment would keep a long text's room).
  const vb::TextChange& made = editor.LastChange();
  std::vector<vb::TextPlace>(made.places).swap(s.Places);
  std::u16string(made.removed).swap(s.Other);
}

// The `count` characters of the neighbour's text from `from`, as far as the place there holds them.
std::u16string NeighbourText(const clsUndoRedo& s, std::int64_t from, std::int64_t count) {
  std::size_t offset = 0;  // the place's text in Other
  for (const vb::TextPlace& p : s.Places) {
    const std::int64_t into = from - p.position;
    if (into >= 0 && into < p.removed && count > 0)
      return s.Other.substr(offset + static_cast<std::size_t>(into), static_cast<std::size_t>(std::min<std::int64_t>(count, p.removed - into)));
    offset += static_cast<std::size_t>(p.removed);
  }
  return {};
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
  const vb::TextChange& change = editor.LastChange();
  clsUndoRedo s;
  s.SelStart = editor.SelStart();
  s.TextLen = editor.TextLength();
  s.Text.length = static_cast<std::size_t>(s.TextLen);
  if (!UndoStack.empty()) {  // the first snapshot is only the base
    s.Places = change.places;
    s.Other = change.removed;
  }
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
        const std::u16string text = NeighbourText(n, n.SelStart, p.TextLen - n.TextLen);
        PutBack(editor, {{n.SelStart, 0, static_cast<std::int32_t>(text.size())}}, text);
      }
      p.Revision = 0;
      n.Revision = 0;
      Forget(n);
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
        const std::u16string text = NeighbourText(r, r.SelStart - d, d);
        PutBack(editor, {{r.SelStart - d, 0, static_cast<std::int32_t>(text.size())}}, text);
      }
      r.Revision = 0;
      Forget(r);
    }
    UndoStack.push_back(std::move(r));
  }
  core::StateChanged();
  editor.SetFocus();
}

}  // namespace modDocument
