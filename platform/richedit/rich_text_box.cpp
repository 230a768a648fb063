#include "platform/richedit/rich_text_box.h"
#include "platform/gdi/objects.h"

#include <QFile>
#include <QPointer>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/richedit/gap_text.h"
#include "platform/richedit/line_breaks.h"
#include "platform/richedit/rich_text_box_impl.h"
#include "platform/richedit/rtf_reader.h"
#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
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
      if (!im->locked) im->editor->ReplaceSelection({});
      return 0;
    case WM_CUT:
      if (im->locked) im->editor->Copy();
      else im->editor->Cut();
      return 0;
    case WM_COPY:
      im->editor->Copy();
      return 0;
    case WM_PASTE:
      if (!im->locked) im->editor->Paste();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (owner->KeyDown) {
        int keyCode = static_cast<int>(wParam);
        owner->KeyDown(keyCode, ShiftState());
        if (ControlOf(h) != im) return 0;  // the handler closed the control
      }
      // Esc, and Enter where the text takes no line break (a locked control), are the dialog keys
      // of the form the control sits on.
      if (msg == WM_KEYDOWN && (wParam == VK_ESCAPE || (wParam == VK_RETURN && im->locked)) &&
          platform::detail::PressDialogButtonFrom(h, static_cast<int>(wParam))) {
        return 0;
      }
      break;
    case WM_CHAR:
      if (owner->KeyPress) {
        int keyAscii = static_cast<int>(wParam);
        owner->KeyPress(keyAscii);
        if (ControlOf(h) != im) return 0;
        if (keyAscii == 0) return 0;
        if (keyAscii != static_cast<int>(wParam)) {
          if (!im->locked) {
            const char16_t typed = static_cast<char16_t>(keyAscii);
            im->editor->ReplaceSelection(std::u16string_view(&typed, 1));
          }
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
  auto* editor = new platform::richedit::EditorWidget(
      impl_->text, parent != 0 ? platform::detail::WidgetOf(parent) : nullptr);
  impl_->editor = editor;
  Impl* im = impl_.get();
  editor->Edited = [im](platform::richedit::EditorText::Change change) { im->OnEdited(std::move(change)); };
  editor->SelectionChanged = [im] { im->OnSelectionChanged(); };
  // The control has no menu of its own: a right click is its host's (the main window's Edit menu).
  editor->setContextMenuPolicy(Qt::NoContextMenu);
  impl_->ApplyFont();
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
  return impl_->text.Chars().Whole();
}

void RichTextBox::Text(std::u16string_view text) { TakeText(WithCrLf(text)); }

std::size_t RichTextBox::RoomToTake(std::size_t length) { return platform::richedit::GapText::RoomFor(length); }

void RichTextBox::TakeText(std::u16string next) {
  Impl& im = *impl_;
  im.Ed();
  next = WithCrLfTaken(std::move(next));
  if (im.text.Chars().Equals(next)) return;  // the same text again changes nothing
  platform::richedit::GapText chars;
  chars.Assign(std::move(next));
  platform::richedit::EditorText incoming;
  incoming.Assign(std::move(chars));
  im.Took(std::move(incoming));
  if (Change) Change();
}

bool RichTextBox::TakeText(std::u16string next, const std::function<bool(std::size_t done, std::size_t total)>& step) {
  Impl& im = *impl_;
  im.Ed();
  next = WithCrLfTaken(std::move(next));
  if (im.text.Chars().Equals(next)) return true;
  // The text is taken into a text of its own, which the editor shows only once it is whole: until
  // then the editor and its text stay as they are, and a stop drops it.
  platform::richedit::EditorText incoming;
  constexpr std::size_t kStep = std::size_t{1} << 19;
  const std::size_t total = next.size();
  incoming.BeginAssign(total);
  for (std::size_t at = 0; at < total;) {
    const std::size_t end = platform::richedit::StretchEnd(next, total, at, kStep);
    incoming.AddStretch(std::u16string_view(next).substr(at, end - at));
    at = end;
    const bool goOn = step(at, total);
    im.Ed();  // the editor may have gone meanwhile
    if (!goOn) return false;
  }
  std::u16string().swap(next);
  incoming.FinishAssign();
  im.Took(std::move(incoming));
  if (Change) Change();
  return true;
}

void RichTextBox::LineBreakTags(std::vector<std::uint8_t> tags) {
  if (tags.size() != static_cast<std::size_t>(impl_->LineBreaks()) ||
      std::all_of(tags.begin(), tags.end(), [](std::uint8_t t) { return t == 0; }))
    tags.clear();
  impl_->breakTags = std::move(tags);
}

const std::vector<std::uint8_t>& RichTextBox::LineBreakTags() const { return impl_->breakTags; }

std::int32_t RichTextBox::TextLength() const { return impl_->Length(); }

void RichTextBox::ReadText(const std::function<void(std::u16string_view)>& stretch) const {
  ReadText(0, TextLength(), stretch);
}

void RichTextBox::ReadText(std::int32_t position, std::int32_t length,
                           const std::function<void(std::u16string_view)>& stretch) const {
  platform::richedit::GapText& t = impl_->text.Chars();
  const std::size_t from = static_cast<std::size_t>(std::clamp(position, 0, TextLength()));
  const std::size_t to = std::min(t.size(), from + static_cast<std::size_t>(std::max(length, 0)));
  if (from >= to) return;
  if (!t.Narrow()) {
    stretch(std::u16string_view(t.Whole()).substr(from, to - from));
    return;
  }
  std::u16string scratch;
  constexpr std::size_t kStretch = std::size_t{1} << 16;
  for (std::size_t at = from; at < to;) {
    const std::size_t end = platform::richedit::StretchEnd(t, to, at, kStretch);
    stretch(t.Piece(at, end - at, scratch));
    at = end;
  }
}

bool RichTextBox::ReadBytes(const std::function<void(std::string_view)>& stretch) const {
  const platform::richedit::GapText& t = impl_->text.Chars();
  if (!t.Narrow()) return false;
  auto [before, after] = t.NarrowBytes();
  // A line break the gap would split goes as a stretch of its own.
  const bool split = !before.empty() && !after.empty() && before.back() == '\r' && after.front() == '\n';
  if (split) {
    before.remove_suffix(1);
    after.remove_prefix(1);
  }
  if (!before.empty()) stretch(before);
  if (split) stretch("\r\n");
  if (!after.empty()) stretch(after);
  return true;
}

const TextChange& RichTextBox::LastChange() const { return impl_->last; }

std::u16string RichTextBox::TextRange(std::int32_t position, std::int32_t length) const {
  if (position < 0 || length <= 0) return {};
  return impl_->text.Range(position, length);
}

std::int32_t RichTextBox::SelStart() const { return impl_->Ed().SelectionStart(); }

void RichTextBox::SelStart(std::int32_t start) { impl_->Select(start, 0); }

std::int32_t RichTextBox::SelLength() const { return impl_->Ed().SelectionEnd() - impl_->Ed().SelectionStart(); }

void RichTextBox::SelLength(std::int32_t length) { impl_->Select(SelStart(), std::max(length, 0)); }

std::u16string RichTextBox::SelText() const { return TextRange(SelStart(), SelLength()); }

void RichTextBox::SelText(std::u16string_view text) {
  platform::richedit::EditorWidget& ed = impl_->Ed();
  if (text.empty() && ed.Anchor() == ed.Caret()) return;
  ed.ReplaceSelection(text);
}

void RichTextBox::Replace(std::vector<TextPlace> places, std::u16string_view texts) {
  impl_->Ed().Replace(std::move(places), texts);
}

double RichTextBox::SelIndent() const {
  const std::ptrdiff_t p = impl_->text.ParagraphOf(impl_->Ed().SelectionStart());
  return impl_->text.Indent(p) * kTwipsPerPixel / TwipsPerUnit(ScaleMode);
}

void RichTextBox::SelIndent(double indent) {
  const double pixels = std::max(0.0, indent * TwipsPerUnit(ScaleMode) / kTwipsPerPixel);
  platform::richedit::EditorWidget& ed = impl_->Ed();
  ed.Indent(impl_->text.ParagraphOf(ed.SelectionStart()), impl_->text.ParagraphOf(ed.SelectionEnd()), pixels);
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
  impl_->Ed().SetWrapWidth(static_cast<int>(impl_->rightMargin / kTwipsPerPixel));
}

bool RichTextBox::Locked() const { return impl_->locked; }

void RichTextBox::Locked(bool locked) {
  impl_->locked = locked;
  impl_->Ed().SetReadOnly(locked);
}

std::u16string RichTextBox::FileName() const { return impl_->fileName; }

void RichTextBox::FileName(std::u16string_view path) { LoadFile(path, rtfRTF); }

void RichTextBox::LoadFile(std::u16string_view path, int fileType) {
  // Read as documents are: what is no regular file, or too large, is refused before it is read, and
  // a failure gives the same error as the document's open.
  std::string bytes = ReadAllBytes(path, kMaxDocumentBytes);
  const std::string_view view(bytes);
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
  std::string().swap(bytes);
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
  platform::richedit::EachMatch(impl_->text.Chars(), text, start, (options & rtfMatchCase) != 0,
                                (options & rtfWholeWord) != 0, [&](std::int32_t at) {
                                  found.push_back(at);
                                  return true;
                                });
  return found;
}

void RichTextBox::SetFocus() {
  impl_->Ed();  // raises when the editor went with its window
  win::SetFocus(impl_->hwnd);
}

}  // namespace vb
