#include "platform/richedit/rich_text_box.h"
#include "platform/gdi/objects.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/richedit/editor_layout.h"
#include "platform/richedit/editor_widget.h"
#include "platform/richedit/format_range.h"
#include "platform/richedit/gap_text.h"
#include "platform/richedit/line_breaks.h"
#include "platform/richedit/rtf_reader.h"
#include "platform/richedit/text_search.h"
#include "platform/vb/error.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace vb {
namespace {

using namespace win;

constexpr double kTwipsPerPixel = 15.0;

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

// Paths may separate folders with "\".
QString FilePath(std::u16string_view path) {
  QString p = ToQ(path);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

using platform::richedit::CountLineBreaks;
using platform::richedit::Differing;
using platform::richedit::FromDocumentText;
using platform::richedit::Stretch;
using platform::richedit::ToDocumentText;
using platform::richedit::WithCrLf;
using platform::richedit::WithCrLfTaken;

double TwipsPerUnit(int scaleMode) {
  switch (scaleMode) {
    case 2: return 20.0;
    case 3: return kTwipsPerPixel;
    case 5: return 1440.0;
    case 6: return 1440.0 / 25.4;
    case 7: return 1440.0 / 2.54;
    default: return 1.0;
  }
}

int ShiftState() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

std::unordered_map<HWND, RichTextBox::Impl*>& Controls() {
  static std::unordered_map<HWND, RichTextBox::Impl*> m;
  return m;
}

RichTextBox::Impl* ControlOf(HWND h) {
  auto it = Controls().find(h);
  return it == Controls().end() ? nullptr : it->second;
}

LRESULT RichEditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

struct RichTextBox::Impl {
  RichTextBox* owner = nullptr;
  QPointer<platform::richedit::EditorWidget> editor;
  HWND hwnd = 0;
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
      std::u16string held = FromDocumentText(Doc()->toRawText());
      breaks = CountLineBreaks(held);
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
    const Stretch d = Differing(removed, inserted, leftmost);
    last.position = static_cast<std::int32_t>(at + d.prefix);
    last.removed.assign(removed.substr(d.prefix, removed.size() - d.prefix - d.suffix));
    last.insertedLength = static_cast<std::int32_t>(inserted.size() - d.prefix - d.suffix);
    ++last.revision;
  }

  // Notes the replacement of the whole text `before` by `after` (of equal answers the stretch
  // furthest left, before the caret's start).
  void NoteReplacement(const platform::richedit::GapText& before, const platform::richedit::GapText& after) {
    const Stretch d = platform::richedit::DifferingTexts(before, after, true);
    last.position = static_cast<std::int32_t>(d.prefix);
    last.insertedLength = static_cast<std::int32_t>(after.size() - d.prefix - d.suffix);
    last.removed = before.Range(d.prefix, before.size() - d.prefix - d.suffix);
    ++last.revision;
  }

  // Takes the whole text from the document again (when a notice cannot be followed).
  void Resynchronise() {
    const std::u16string before = text.Whole();
    std::u16string now = FromDocumentText(Doc()->toRawText());
    NoteChange(0, before, now, false);
    lineBreaks = CountLineBreaks(now);
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
    const std::u16string inserted = FromDocumentText(c.selectedText());
    const std::u16string old = text.Range(at, units);
    text.Replace(at, units, inserted);
    const std::int32_t insertedBreaks = CountLineBreaks(inserted);
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
    f.setFamily(platform::gdi::FontFamily(ToQ(fontName)));
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

  LRESULT LineIndex(LONG line) const {
    if (line == -1) line = Ed().textCursor().block().blockNumber();
    if (line < 0 || line >= Doc()->blockCount()) return -1;
    const QTextBlock b = Doc()->findBlockByNumber(line);
    return b.position() + line;
  }

  LRESULT FormatRange(bool render, const FORMATRANGE* fr) {
    if (fr == nullptr) return 0;  // nothing is cached between calls
    QFont font(platform::gdi::FontFamily(ToQ(fontName)));
    font.setPointSizeF(fontSize > 0 ? fontSize : 8.25);
    return platform::richedit::FormatRange(*Doc(), Length(), font, render, *fr);
  }
};

namespace {

LRESULT RichEditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  RichTextBox::Impl* im = ControlOf(h);
  if (im == nullptr || im->editor == nullptr) return DefWindowProcA(h, msg, wParam, lParam);
  RichTextBox* owner = im->owner;
  switch (msg) {
    case EM_LINEINDEX:
      return im->LineIndex(static_cast<LONG>(static_cast<LONG_PTR>(wParam)));
    case EM_FORMATRANGE:
      return im->FormatRange(wParam != 0, reinterpret_cast<const FORMATRANGE*>(lParam));
    case WM_CLEAR:
      if (!im->locked) {
        QTextCursor c = im->editor->textCursor();
        c.removeSelectedText();
        im->editor->setTextCursor(c);
      }
      return 0;
    case WM_CUT:
      if (im->locked) im->editor->copy();
      else im->editor->cut();
      return 0;
    case WM_COPY:
      im->editor->copy();
      return 0;
    case WM_PASTE:
      if (!im->locked) im->editor->paste();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (owner->KeyDown) {
        int keyCode = static_cast<int>(wParam);
        owner->KeyDown(keyCode, ShiftState());
        if (ControlOf(h) != im) return 0;  // the handler closed the control
      }
      break;
    case WM_CHAR:
      if (owner->KeyPress) {
        int keyAscii = static_cast<int>(wParam);
        owner->KeyPress(keyAscii);
        if (ControlOf(h) != im) return 0;
        if (keyAscii == 0) return 0;
        if (keyAscii != static_cast<int>(wParam)) {
          if (!im->locked) im->editor->textCursor().insertText(QString(QChar(static_cast<char16_t>(keyAscii))));
          return 0;
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (owner->MouseDown) {
        const int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
        int shift = 0;
        if (wParam & MK_SHIFT) shift |= 1;
        if (wParam & MK_CONTROL) shift |= 2;
        if (GetKeyState(VK_MENU) < 0) shift |= 4;
        owner->MouseDown(button, shift, static_cast<float>(GET_X_LPARAM(lParam) * kTwipsPerPixel),
                         static_cast<float>(GET_Y_LPARAM(lParam) * kTwipsPerPixel));
        if (ControlOf(h) != im) return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

}  // namespace

RichTextBox::RichTextBox(HWND parent) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  auto* editor = new platform::richedit::EditorWidget(parent != 0 ? platform::detail::WidgetOf(parent) : nullptr);
  impl_->editor = editor;
  editor->setAcceptRichText(false);
  impl_->WireDocument(editor->document());
  impl_->ApplyFont();
  QObject::connect(editor, &QTextEdit::cursorPositionChanged, editor, [im = impl_.get()] { im->OnCursorMoved(); });
  QObject::connect(editor, &QTextEdit::selectionChanged, editor, [im = impl_.get()] { im->OnCursorMoved(); });
  impl_->hwnd = platform::detail::AttachWidget(editor, "RichTextWndClass", &RichEditProc, true);
  Controls()[impl_->hwnd] = impl_.get();
}

RichTextBox::~RichTextBox() {
  Controls().erase(impl_->hwnd);
  delete impl_->editor.data();
}

HWND RichTextBox::hWnd() const { return impl_->hwnd; }

const std::u16string& RichTextBox::Text() const {
  impl_->Ed();  // raises when the editor went with its window
  return impl_->text.Whole();
}

void RichTextBox::Text(std::u16string_view text) { TakeText(WithCrLf(text)); }

void RichTextBox::TakeText(std::u16string next) {
  Impl& im = *impl_;
  if (im.text.Equals(next)) return;  // the same text again changes nothing
  platform::richedit::GapText incoming;
  incoming.Assign(std::move(next));
  im.Fill(im.Doc(), incoming);
  im.Took(std::move(incoming));
  if (Change) Change();
}

bool RichTextBox::TakeText(std::u16string next, const std::function<bool(std::size_t done, std::size_t total)>& step) {
  Impl& im = *impl_;
  im.Ed();
  if (im.text.Equals(next)) return true;
  platform::richedit::GapText incoming;
  incoming.Assign(std::move(next));
  // A document of its own, which the editor shows only once it is full: until then the editor and
  // its text stay as they are, and a stop drops it.
  QPointer<QTextDocument> doc = new QTextDocument(im.editor.data());
  doc->setUndoRedoEnabled(false);
  QTextCursor c(doc);
  constexpr std::size_t kStep = std::size_t{1} << 19;
  std::u16string scratch;
  const std::size_t total = incoming.size();
  for (std::size_t at = 0; at < total;) {
    const std::size_t end = Impl::StretchEnd(incoming, at, kStep);
    const std::u16string_view piece = incoming.Piece(at, end - at, scratch);
    c.insertText(QString::fromRawData(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())));
    at = end;
    const bool goOn = step(at, total);
    im.Ed();  // the editor (and the document with it) may have gone meanwhile
    if (!goOn) {
      delete doc.data();
      return false;
    }
  }
  im.WireDocument(doc);
  const QPointer<QTextDocument> old = im.Doc();
  im.Ed().setDocument(doc);
  // The editor deletes the document it made itself; one that took its place goes here.
  if (old != nullptr && old->parent() == im.editor.data()) delete old.data();
  im.Took(std::move(incoming));
  if (Change) Change();
  return true;
}

void RichTextBox::LineBreakTags(std::vector<std::uint8_t> tags) {
  if (tags.size() != static_cast<std::size_t>(impl_->lineBreaks) ||
      std::all_of(tags.begin(), tags.end(), [](std::uint8_t t) { return t == 0; }))
    tags.clear();
  impl_->breakTags = std::move(tags);
}

const std::vector<std::uint8_t>& RichTextBox::LineBreakTags() const { return impl_->breakTags; }

std::int32_t RichTextBox::TextLength() const { return impl_->Length(); }

void RichTextBox::ReadText(const std::function<void(std::u16string_view)>& stretch) const {
  const platform::richedit::GapText& t = impl_->text;
  if (!t.Narrow()) {
    if (t.size() > 0) stretch(impl_->text.Whole());
    return;
  }
  std::u16string scratch;
  for (std::size_t at = 0; at < t.size();) {
    const std::size_t end = Impl::StretchEnd(t, at, std::size_t{1} << 16);
    stretch(t.Piece(at, end - at, scratch));
    at = end;
  }
}

const RichTextBox::TextChange& RichTextBox::LastChange() const { return impl_->last; }

std::u16string RichTextBox::TextRange(std::int32_t position, std::int32_t length) const {
  if (position < 0 || length <= 0) return {};
  return impl_->text.Range(static_cast<std::size_t>(position), static_cast<std::size_t>(length));
}

std::int32_t RichTextBox::SelStart() const { return impl_->FromQt(impl_->Ed().textCursor().selectionStart()); }

void RichTextBox::SelStart(std::int32_t start) { impl_->Select(start, 0); }

std::int32_t RichTextBox::SelLength() const {
  const QTextCursor c = impl_->Ed().textCursor();
  return impl_->FromQt(c.selectionEnd()) - impl_->FromQt(c.selectionStart());
}

void RichTextBox::SelLength(std::int32_t length) { impl_->Select(SelStart(), std::max(length, 0)); }

std::u16string RichTextBox::SelText() const { return TextRange(SelStart(), SelLength()); }

void RichTextBox::SelText(std::u16string_view text) {
  QTextCursor c = impl_->Ed().textCursor();
  if (text.empty() && !c.hasSelection()) return;
  c.insertText(ToDocumentText(text));
  impl_->Ed().setTextCursor(c);
}

double RichTextBox::SelIndent() const {
  const QTextBlock b = impl_->Doc()->findBlock(impl_->Ed().textCursor().selectionStart());
  return b.blockFormat().leftMargin() * kTwipsPerPixel / TwipsPerUnit(ScaleMode);
}

void RichTextBox::SelIndent(double indent) {
  const double pixels = std::max(0.0, indent * TwipsPerUnit(ScaleMode) / kTwipsPerPixel);
  const QTextCursor sel = impl_->Ed().textCursor();
  QTextCursor c(impl_->Doc());
  c.setPosition(sel.selectionStart());
  c.setPosition(sel.selectionEnd(), QTextCursor::KeepAnchor);
  QTextBlockFormat f;
  f.setLeftMargin(pixels);
  impl_->quietFormatting++;
  c.beginEditBlock();
  c.mergeBlockFormat(f);
  c.endEditBlock();
  impl_->quietFormatting--;
}

std::u16string RichTextBox::FontName() const { return impl_->fontName; }

void RichTextBox::FontName(std::u16string_view name) {
  impl_->fontName = name;
  impl_->ApplyFont();
}

double RichTextBox::FontSize() const { return impl_->fontSize; }

void RichTextBox::FontSize(double points) {
  impl_->fontSize = points;
  impl_->ApplyFont();
}

std::int32_t RichTextBox::RightMargin() const { return impl_->rightMargin; }

void RichTextBox::RightMargin(std::int32_t twips) {
  impl_->rightMargin = std::max(twips, 0);
  if (impl_->rightMargin == 0) {
    impl_->Ed().setLineWrapMode(QTextEdit::WidgetWidth);
  } else {
    impl_->Ed().setLineWrapMode(QTextEdit::FixedPixelWidth);
    impl_->Ed().setLineWrapColumnOrWidth(static_cast<int>(impl_->rightMargin / kTwipsPerPixel));
  }
}

bool RichTextBox::Locked() const { return impl_->locked; }

void RichTextBox::Locked(bool locked) {
  impl_->locked = locked;
  impl_->Ed().setReadOnly(locked);
  if (locked) impl_->Ed().setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

std::u16string RichTextBox::FileName() const { return impl_->fileName; }

void RichTextBox::FileName(std::u16string_view path) { LoadFile(path, rtfRTF); }

void RichTextBox::LoadFile(std::u16string_view path, int fileType) {
  QFile file(FilePath(path));
  if (!QFileInfo(file.fileName()).isFile()) Raise(err::kFileNotFound, u"RichTextBox");
  if (!file.open(QIODevice::ReadOnly)) Raise(err::kPathFileAccessError, u"RichTextBox");
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) Raise(err::kPathFileAccessError, u"RichTextBox");
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::u16string text;
  if (fileType == rtfRTF && platform::rtf::LooksLikeRtf(view)) {
    try {
      text = platform::rtf::ReadText(view);
    } catch (const platform::rtf::ReadError&) {
      Raise(err::kInvalidFileFormat, u"RichTextBox", u"Неверный формат файла");
    }
  } else {
    text = FromWindows1251(view);
  }
  // A large file is not held beside its text, nor its text twice, while the editor takes it.
  bytes = QByteArray();
  TakeText(WithCrLfTaken(std::move(text)));
  impl_->fileName = path;
}

void RichTextBox::SaveFile(std::u16string_view path) const {
  const std::string bytes = ToWindows1251(Text());
  QFile file(FilePath(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) || !file.flush())
    Raise(err::kPathFileAccessError, u"RichTextBox");
}

std::int32_t RichTextBox::Find(std::u16string_view text, std::int32_t start, std::int32_t end, int options) {
  const std::int32_t total = impl_->Length();
  if (end < 0 || end > total) end = total;
  const std::int32_t index = impl_->Match(text, start, options);
  const auto length = static_cast<std::int32_t>(text.size());
  if (index < 0 || index + length > end) return -1;
  impl_->Select(index, length);
  return index;
}

std::vector<std::int32_t> RichTextBox::Matches(std::u16string_view text, std::int32_t start, int options) const {
  std::vector<std::int32_t> found;
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t at = impl_->Match(text, start, options); at >= 0; at = impl_->Match(text, at + length, options))
    found.push_back(at);
  return found;
}

void RichTextBox::SetFocus() { impl_->Ed().setFocus(Qt::OtherFocusReason); }

}  // namespace vb
