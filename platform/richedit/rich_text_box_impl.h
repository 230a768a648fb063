// Inside the layer only: the state of a rich edit control. The control owns its text (lines
// separated by CR LF, as the program sees it); its editor widget shows and edits that text and
// tells the control of every edit, which the control notes as its last change.
#pragma once

#include "platform/layer_only.h"

#include <QPointer>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/objects.h"
#include "platform/richedit/editor_text.h"
#include "platform/richedit/editor_widget.h"
#include "platform/richedit/format_range.h"
#include "platform/richedit/gap_text.h"
#include "platform/richedit/line_breaks.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/richedit/text_search.h"
#include "platform/vb/error.h"

namespace vb {

struct RichTextBox::Impl {
  RichTextBox* owner = nullptr;
  QPointer<platform::richedit::EditorWidget> editor;
  win::HWND hwnd = 0;
  std::u16string fontName = u"MS Sans Serif";
  double fontSize = 8.25;
  std::int32_t rightMargin = 0;
  bool locked = false;
  std::u16string fileName;
  std::int32_t lastAnchor = 0;
  std::int32_t lastCaret = 0;
  mutable platform::richedit::EditorText text;
  TextChange last;
  std::vector<std::uint8_t> breakTags;  // empty, or one for each line break

  // A stretch of a GapText, read by index.
  struct Stretch {
    const platform::richedit::GapText& text;
    std::size_t from;
    std::size_t length;
    std::size_t size() const { return length; }
    char16_t operator[](std::size_t i) const { return text[from + i]; }
  };

  // The editor widget; it goes with its window when a parent window is destroyed first.
  platform::richedit::EditorWidget& Ed() const {
    if (editor == nullptr) Raise(err::kObjectWasUnloaded, u"RichTextBox");
    return *editor;
  }

  std::int32_t Length() const { return text.Length(); }
  std::int32_t LineBreaks() const { return static_cast<std::int32_t>(text.Paragraphs() - 1); }

  // The stretch of `count` line breaks from the `first` on became `now` line breaks.
  void FollowTags(std::size_t first, std::ptrdiff_t count, std::ptrdiff_t now) {
    if (breakTags.empty() || count == now) return;
    const auto at = breakTags.begin() + static_cast<std::ptrdiff_t>(first);
    breakTags.erase(at, at + count);
    breakTags.insert(breakTags.begin() + static_cast<std::ptrdiff_t>(first), static_cast<std::size_t>(now), 0);
  }

  // The same for a change in several places, each place on its own, in one pass over the tags.
  void FollowTags(const std::vector<vb::TextPlace>& places, std::u16string_view removedTexts) {
    if (breakTags.empty()) return;
    std::vector<std::uint8_t> tags;
    tags.reserve(breakTags.size());
    std::size_t kept = 0;      // the old tags before this one are placed
    std::ptrdiff_t added = 0;  // the breaks the places so far put in, less those they took out
    std::size_t from = 0;      // the place's old text in removedTexts
    std::u16string scratch;
    for (const vb::TextPlace& p : places) {
      const std::ptrdiff_t removed = platform::richedit::CountBreaks(removedTexts.substr(from, static_cast<std::size_t>(p.removed)));
      const std::ptrdiff_t inserted = platform::richedit::CountBreaks(text.Piece(p.position, p.inserted, scratch));
      from += static_cast<std::size_t>(p.removed);
      if (removed == inserted) continue;
      const auto first = static_cast<std::size_t>(text.ParagraphOf(p.position) - added);
      tags.insert(tags.end(), breakTags.begin() + static_cast<std::ptrdiff_t>(kept), breakTags.begin() + static_cast<std::ptrdiff_t>(first));
      tags.insert(tags.end(), static_cast<std::size_t>(inserted), 0);
      kept = first + static_cast<std::size_t>(removed);
      added += inserted - removed;
    }
    tags.insert(tags.end(), breakTags.begin() + static_cast<std::ptrdiff_t>(kept), breakTags.end());
    breakTags = std::move(tags);
  }

  // Notes an edit. One made in one place is trimmed to where its old and new texts differ.
  void NoteEdit(platform::richedit::EditorText::Change c) {
    if (c.places.size() == 1) {
      vb::TextPlace& p = c.places.front();
      const Stretch inserted{text.Chars(), static_cast<std::size_t>(p.position), static_cast<std::size_t>(p.inserted)};
      const platform::richedit::Stretch d = platform::richedit::DifferingTexts(std::u16string_view(c.removed), inserted, false);
      c.removed.erase(c.removed.size() - d.suffix);
      c.removed.erase(0, d.prefix);
      p.position += static_cast<std::int32_t>(d.prefix);
      p.removed = static_cast<std::int32_t>(c.removed.size());
      p.inserted -= static_cast<std::int32_t>(d.prefix + d.suffix);
      FollowTags(static_cast<std::size_t>(c.span.paragraph), c.span.removedBreaks, c.span.insertedBreaks);
    } else {
      FollowTags(c.places, c.removed);
    }
    last.places = std::move(c.places);
    last.removed.swap(c.removed);  // the old text's memory goes with c (an assignment would keep it)
    ++last.revision;
  }

  // Notes the replacement of the whole text `before` by `after` (of equal answers the stretch
  // furthest left, before the caret's start).
  void NoteReplacement(const platform::richedit::GapText& before, const platform::richedit::GapText& after) {
    const platform::richedit::Stretch d = platform::richedit::DifferingTexts(before, after, true);
    std::u16string removed = before.Range(d.prefix, before.size() - d.prefix - d.suffix);
    last.places = {vb::TextPlace{static_cast<std::int32_t>(d.prefix), static_cast<std::int32_t>(removed.size()),
                                 static_cast<std::int32_t>(after.size() - d.prefix - d.suffix)}};
    last.removed.swap(removed);  // the old text's memory goes with `removed`
    ++last.revision;
  }

  // The editor holds `incoming` in place of its text, taken whole: the last change, the line
  // breaks' tags and the selection follow.
  void Took(platform::richedit::EditorText incoming) {
    NoteReplacement(text.Chars(), incoming.Chars());
    if (incoming.Paragraphs() != text.Paragraphs()) breakTags.clear();
    text = std::move(incoming);
    Ed().TextTaken();
    OnSelectionChanged();
  }

  void Select(std::int32_t start, std::int32_t length) {
    start = text.Snap(start);
    Ed().Select(start, length > 0 ? start + length : start);
  }

  std::int32_t Match(std::u16string_view what, std::int32_t from, int options) const {
    return platform::richedit::FirstMatch(text.Chars(), what, from, (options & rtfMatchCase) != 0, (options & rtfWholeWord) != 0);
  }

  void ApplyFont() {
    QFont f = Ed().font();
    f.setFamily(platform::gdi::FontFamily(QString::fromStdU16String(fontName)));
    f.setPointSizeF(fontSize > 0 ? fontSize : 8.25);
    Ed().setFont(f);
  }

  void OnEdited(platform::richedit::EditorText::Change change) {
    NoteEdit(std::move(change));
    if (owner->Change) owner->Change();
  }

  void OnSelectionChanged() {
    const std::int32_t anchor = Ed().Anchor();
    const std::int32_t caret = Ed().Caret();
    if (anchor == lastAnchor && caret == lastCaret) return;
    lastAnchor = anchor;
    lastCaret = caret;
    if (owner->SelChange) owner->SelChange();
  }

  win::LRESULT LineIndex(win::LONG line) const {
    if (line == -1) line = static_cast<win::LONG>(text.ParagraphOf(Ed().Caret()));
    if (line < 0 || line >= text.Paragraphs()) return -1;
    return text.ParagraphStart(line);
  }

  win::LRESULT FormatRange(bool render, const win::FORMATRANGE* fr) {
    if (fr == nullptr) return 0;  // nothing is cached between calls
    QFont font(platform::gdi::FontFamily(QString::fromStdU16String(fontName)));
    font.setPointSizeF(fontSize > 0 ? fontSize : 8.25);
    return platform::richedit::FormatRange(text, font, render, *fr);
  }
};

}  // namespace vb
