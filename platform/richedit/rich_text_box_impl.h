// Inside the layer only: the state of a rich edit control and how it follows its editor. The
// control keeps its text as the program sees it (CR LF lines) in step with the editor's document,
// from the document's own change notices, and answers position questions in both counts.
#pragma once

#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/objects.h"
#include "platform/richedit/editor_layout.h"
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
  int quietFormatting = 0;  // changes in progress that raise no Change (or raise it once themselves)
  int lastAnchor = 0;
  int lastPosition = 0;
  // The text as the control gives it (CR LF lines), kept from the document's change notices, and
  // the number of CR LF pairs in it.
  mutable platform::richedit::GapText text;
  std::int32_t lineBreaks = 0;
  RichTextBox::TextChange last;
  std::vector<std::uint8_t> breakTags;  // empty, or one for each line break

  // The stretch of `count` line breaks from the `first` on became `now` line breaks.
  void FollowTags(std::size_t first, std::int32_t count, std::int32_t now) {
    if (breakTags.empty() || count == now) return;
    const auto at = breakTags.begin() + static_cast<std::ptrdiff_t>(first);
    breakTags.erase(at, at + count);
    breakTags.insert(breakTags.begin() + static_cast<std::ptrdiff_t>(first), static_cast<std::size_t>(now), 0);
  }

  // Fills the document with a CR LF text. The toolkit takes a CR LF pair as one line break, so the
  // text goes in as it is, a stretch at a time (a text kept at one byte a character is never made
  // UTF-16 whole on this side), all in one edit of the document.
  // The old text goes first, in a change of its own: a document filled from empty is laid out a
  // piece at a time while the program waits for input, where one that replaced its text would be
  // laid out whole at once.
  void Fill(QTextDocument* doc, const platform::richedit::GapText& crlf) {
    quietFormatting++;
    QTextCursor c(doc);
    if (!doc->isEmpty()) {
      c.select(QTextCursor::Document);
      c.removeSelectedText();
    }
    // A new text starts unindented: the paragraph left after the old text went would give its
    // indent to every line of the new one.
    c.setBlockFormat(QTextBlockFormat());
    c.beginEditBlock();
    std::u16string scratch;
    for (std::size_t at = 0; at < crlf.size();) {
      const std::size_t end = StretchEnd(crlf, at);
      const std::u16string_view piece = crlf.Piece(at, end - at, scratch);
      c.insertText(QString::fromRawData(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())));
      at = end;
    }
    c.endEditBlock();
    quietFormatting--;
  }

  // The end of the stretch of the text that goes into the document in one step from `at`: a CR LF
  // pair or a surrogate pair is never cut in two.
  static std::size_t StretchEnd(const platform::richedit::GapText& t, std::size_t at,
                                std::size_t most = std::size_t{1} << 20) {
    std::size_t end = std::min(t.size(), at + most);
    if (end < t.size() && ((t[end - 1] == u'\r' && t[end] == u'\n') || (t[end - 1] >= 0xD800 && t[end - 1] < 0xDC00)))
      ++end;
    return end;
  }

  // Makes `doc` a document the control can show: everything the control needs of the editor's
  // document, for the one it starts with and for every one that takes its place.
  void WireDocument(QTextDocument* doc) {
    doc->setUndoRedoEnabled(false);  // the program keeps its own edit history
    doc->setDefaultFont(editor->font());
    doc->setDocumentLayout(new platform::richedit::EditorLayout(doc));
    QObject::connect(doc, &QTextDocument::contentsChange, editor.data(),
                     [this](int from, int removed, int added) { OnContentsChange(from, removed, added); });
  }

  // The document holds `incoming` (a CR LF text) in place of the kept text: the kept text, its line
  // breaks and the last change follow, and the caret goes to the start. Every line break of the text
  // is a block of the document, so the blocks count them. A text the document cannot hold as it is
  // (one with other line or paragraph separators) is taken back as the document holds it.
  void Took(platform::richedit::GapText incoming) {
    std::int32_t breaks = Doc()->blockCount() - 1;
    if (Doc()->characterCount() - 1 != static_cast<int>(incoming.size()) - breaks) {
      std::u16string held = platform::richedit::FromDocumentText(Doc()->toRawText());
      breaks = platform::richedit::CountLineBreaks(held);
      incoming.Assign(std::move(held));
    }
    // Replacing the whole text is one change, though the document reports clearing and filling.
    // The caret goes to the start, so of equal answers the change is placed furthest left.
    NoteReplacement(text, incoming);
    if (breaks != lineBreaks) breakTags.clear();
    lineBreaks = breaks;
    text = std::move(incoming);
    Select(0, 0);
  }

  // The editor widget; it goes with its window when a parent window is destroyed first.
  platform::richedit::EditorWidget& Ed() const {
    if (editor == nullptr) Raise(err::kObjectWasUnloaded, u"RichTextBox");
    return *editor;
  }
  QTextDocument* Doc() const { return Ed().document(); }

  // Length in the control's units: every line break counts two.
  std::int32_t Length() const { return static_cast<std::int32_t>(text.size()); }
  // The document's own length: a line break counts one.
  std::int32_t DocumentLength() const { return Length() - lineBreaks; }

  // Notes a change whose old and new stretches are given in full, trimmed to where they differ.
  void NoteChange(std::size_t at, std::u16string_view removed, std::u16string_view inserted, bool leftmost) {
    const platform::richedit::Stretch d = platform::richedit::Differing(removed, inserted, leftmost);
    last.position = static_cast<std::int32_t>(at + d.prefix);
    last.removed.assign(removed.substr(d.prefix, removed.size() - d.prefix - d.suffix));
    last.insertedLength = static_cast<std::int32_t>(inserted.size() - d.prefix - d.suffix);
    ++last.revision;
  }

  // Notes the replacement of the whole text `before` by `after` (of equal answers the stretch
  // furthest left, before the caret's start).
  void NoteReplacement(const platform::richedit::GapText& before, const platform::richedit::GapText& after) {
    const platform::richedit::Stretch d = platform::richedit::DifferingTexts(before, after, true);
    last.position = static_cast<std::int32_t>(d.prefix);
    last.insertedLength = static_cast<std::int32_t>(after.size() - d.prefix - d.suffix);
    last.removed = before.Range(d.prefix, before.size() - d.prefix - d.suffix);
    ++last.revision;
  }

  // Takes the whole text from the document again (when a notice cannot be followed).
  void Resynchronise() {
    const std::u16string before = text.Whole();
    std::u16string now = platform::richedit::FromDocumentText(Doc()->toRawText());
    NoteChange(0, before, now, false);
    lineBreaks = platform::richedit::CountLineBreaks(now);
    breakTags.clear();
    text.Assign(std::move(now));
  }

  // The document replaced `removed` of its characters from `from` by `added` new ones: the same
  // change is made to the kept text.
  void FollowChange(int from, int removed, int added) {
    const int over = from + removed - DocumentLength();  // the document counts its final separator
    if (over > 0) {
      removed -= over;
      added -= over;
    }
    if (from < 0 || removed < 0 || added < 0 || Doc()->characterCount() - 1 != DocumentLength() - removed + added) {
      Resynchronise();
      return;
    }
    // What comes before `from` did not change, so neither did its count of line breaks.
    const std::size_t at = static_cast<std::size_t>(from) + static_cast<std::size_t>(Doc()->findBlock(from).blockNumber());
    std::size_t units = 0;
    std::int32_t removedBreaks = 0;
    for (int k = 0; k < removed && at + units < text.size(); ++k) {
      if (text[at + units] == u'\r' && at + units + 1 < text.size() && text[at + units + 1] == u'\n') {
        units += 2;
        ++removedBreaks;
      } else {
        units += 1;
      }
    }
    QTextCursor c(Doc());
    c.setPosition(from);
    c.setPosition(from + added, QTextCursor::KeepAnchor);
    const std::u16string inserted = platform::richedit::FromDocumentText(c.selectedText());
    const std::u16string old = text.Range(at, units);
    text.Replace(at, units, inserted);
    const std::int32_t insertedBreaks = platform::richedit::CountLineBreaks(inserted);
    FollowTags(static_cast<std::size_t>(at - static_cast<std::size_t>(from)), removedBreaks, insertedBreaks);
    lineBreaks += insertedBreaks - removedBreaks;
    NoteChange(at, old, inserted, false);
  }

  std::int32_t FromQt(int q) const {
    const QTextBlock b = Doc()->findBlock(q);
    return q + (b.isValid() ? b.blockNumber() : Doc()->blockCount() - 1);
  }

  // A position inside a CR LF pair falls at the end of its line.
  int ToQt(std::int32_t p) const { return platform::richedit::ToDocumentPosition(*Doc(), p, Length()); }

  std::int32_t Match(std::u16string_view what, std::int32_t from, int options) const {
    return platform::richedit::FirstMatch(text, what, from, (options & rtfMatchCase) != 0, (options & rtfWholeWord) != 0);
  }

  void Select(std::int32_t start, std::int32_t length) {
    QTextCursor c(Doc());
    const int anchor = ToQt(start);
    c.setPosition(anchor);
    if (length > 0) c.setPosition(ToQt(start + length), QTextCursor::KeepAnchor);
    Ed().setTextCursor(c);
  }

  void ApplyFont() {
    QFont f = Ed().font();
    f.setFamily(platform::gdi::FontFamily(QString::fromStdU16String(fontName)));
    f.setPointSizeF(fontSize > 0 ? fontSize : 8.25);
    quietFormatting++;
    Ed().setFont(f);
    quietFormatting--;
  }

  void OnContentsChange(int from, int removed, int added) {
    if (quietFormatting > 0 || (removed == 0 && added == 0)) return;
    FollowChange(from, removed, added);
    if (owner->Change) owner->Change();
  }

  void OnCursorMoved() {
    const QTextCursor c = Ed().textCursor();
    if (c.anchor() == lastAnchor && c.position() == lastPosition) return;
    lastAnchor = c.anchor();
    lastPosition = c.position();
    if (owner->SelChange) owner->SelChange();
  }

  win::LRESULT LineIndex(win::LONG line) const {
    if (line == -1) line = Ed().textCursor().block().blockNumber();
    if (line < 0 || line >= Doc()->blockCount()) return -1;
    const QTextBlock b = Doc()->findBlockByNumber(line);
    return b.position() + line;
  }

  win::LRESULT FormatRange(bool render, const win::FORMATRANGE* fr) {
    if (fr == nullptr) return 0;  // nothing is cached between calls
    QFont font(platform::gdi::FontFamily(QString::fromStdU16String(fontName)));
    font.setPointSizeF(fontSize > 0 ? fontSize : 8.25);
    return platform::richedit::FormatRange(*Doc(), Length(), font, render, *fr);
  }
};

}  // namespace vb
