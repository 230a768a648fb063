// The rich edit control: a text editor with the runtime's RichTextBox properties, methods and
// events. Its text separates lines with CR LF, and every position (SelStart, SelLength, Find,
// EM_LINEINDEX, EM_FORMATRANGE) counts that pair as two characters. Plain text is all it shows.
//
// The control keeps its text in that form, once: its editor shows and edits that very text, so
// reading its length, the selected text or any stretch costs no rebuild; each change is known as the
// position, the text it removed and the length it inserted (LastChange). While every character has
// a Windows-1251 byte the text takes one byte a character (a large document costs its file's size),
// and the whole text as one string is built at the first Text() after a change.
//
// The control is a window of the layer (hWnd): messages sent to it (EM_LINEINDEX, EM_FORMATRANGE,
// WM_CLEAR, WM_CUT, WM_COPY, WM_PASTE) are answered by its window procedure, and a procedure
// installed over it with SetWindowLongA sees its input first.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/messages.h"
#include "platform/richedit/text_change.h"
#include "platform/win/types.h"

namespace vb {

// LoadFile types.
constexpr int rtfRTF = 0;
constexpr int rtfText = 1;
// Find options.
constexpr int rtfWholeWord = 2;
constexpr int rtfMatchCase = 4;

class RichTextBox {
 public:
  // A control inside the window `parent`, or a control of its own (never shown unless asked) when
  // parent is 0.
  explicit RichTextBox(win::HWND parent = 0);
  ~RichTextBox();
  RichTextBox(const RichTextBox&) = delete;
  RichTextBox& operator=(const RichTextBox&) = delete;

  win::HWND hWnd() const;

  // The whole text; the reference stays valid until the text changes.
  const std::u16string& Text() const;
  // Lines may be separated by CR LF, LF or CR; the text reads back with CR LF. Setting the text it
  // already holds changes nothing and raises no Change.
  void Text(std::u16string_view text);
  // Text(text) for a text whose lines are already separated by CR LF, taken without a copy (large
  // documents).
  void TakeText(std::u16string text);
  // The same a step at a time, for a text that takes long: after each step `step` is told how many
  // of the text's characters are in (of `total`); it may let window events run, and returns false
  // to stop. The editor shows its old text until the new one is in whole, and a stop leaves the
  // control exactly as it was (text, selection, events: none is raised). True when the text was
  // taken; then the control is as TakeText(text) leaves it.
  bool TakeText(std::u16string text, const std::function<bool(std::size_t done, std::size_t total)>& step);
  // The room beyond its `length` characters that a text handed to TakeText carries so that the
  // control keeps it where it is, the first edit's gap included.
  static std::size_t RoomToTake(std::size_t length);
  // The length of Text().
  std::int32_t TextLength() const;
  // Hands the text to `stretch` a stretch at a time, in order: one pass over a large text without
  // building it as one string. No stretch ends between the CR and LF of a line break, nor inside a
  // surrogate pair.
  void ReadText(const std::function<void(std::u16string_view)>& stretch) const;
  // The same for the characters from `position` on, at most `length` of them.
  void ReadText(std::int32_t position, std::int32_t length, const std::function<void(std::u16string_view)>& stretch) const;
  // While every character of the text has a Windows-1251 byte (the control then keeps the text in
  // those bytes): hands the text's bytes to `stretch` a stretch at a time, in order, with no stretch
  // ending between the CR and LF of a line break, and returns true. Otherwise hands nothing and
  // returns false.
  bool ReadBytes(const std::function<void(std::string_view)>& stretch) const;

  // Tags that travel with the line breaks of the text: one small number for each CR LF of Text(),
  // in order (an empty list: all 0). Edits keep the tags of the breaks they leave alone; where an
  // edit changes the number of breaks in its stretch, the new breaks there get 0. A new text (Text)
  // keeps the tags when its number of breaks is the same, else gives every break 0.
  void LineBreakTags(std::vector<std::uint8_t> tags);
  const std::vector<std::uint8_t>& LineBreakTags() const;

  // The latest change of the text. A change made in one place is the shortest stretch that
  // differs: what both sides share at its ends is left out.
  const TextChange& LastChange() const;
  // The characters from `position` on, at most `length` of them.
  std::u16string TextRange(std::int32_t position, std::int32_t length) const;

  std::int32_t SelStart() const;
  // Puts the caret there with nothing selected (clamped to the text).
  void SelStart(std::int32_t start);
  std::int32_t SelLength() const;
  // Selects from SelStart on (clamped to the text).
  void SelLength(std::int32_t length);
  std::u16string SelText() const;
  // Replaces the selection and leaves the caret after the inserted text.
  void SelText(std::u16string_view text);
  // Replaces several stretches at once, as one change (one Change event, one LastChange) that costs
  // one pass over the text: each place (left to right and apart, its position counted in the text
  // as it is) gives its `removed` characters for the next `inserted` characters of `texts`. Lines
  // may be separated by CR LF, LF or CR; a place's ends are moved out of CR LF pairs as the
  // selection's are. The caret ends after the last place's new text, nothing selected.
  void Replace(std::vector<TextPlace> places, std::u16string_view texts);

  // The left indent of the selected paragraphs (of the first, when they differ), in the units of
  // the container's ScaleMode (below). A negative indent is applied as 0.
  double SelIndent() const;
  void SelIndent(double indent);
  // The ScaleMode of the window that holds the control, which SelIndent is measured in (1 twips,
  // 2 points, 3 pixels, 5 inches, 6 millimetres, 7 centimetres).
  int ScaleMode = 1;

  std::u16string FontName() const;
  void FontName(std::u16string_view name);
  double FontSize() const;  // points
  void FontSize(double points);

  // Where lines wrap, in twips from the left edge; 0 wraps at the window's edge.
  std::int32_t RightMargin() const;
  void RightMargin(std::int32_t twips);

  // A locked control takes no edits from the user; code may still change its text.
  bool Locked() const;
  void Locked(bool locked);

  // The file last loaded; setting it loads that file (as LoadFile with rtfRTF does).
  std::u16string FileName() const;
  void FileName(std::u16string_view path);
  // rtfRTF: a file beginning with "{\rtf" is read as an RTF document, any other as Windows-1251
  // text; rtfText: always as Windows-1251 text. Raises 53 (no such file), 75 (unreadable) or 321
  // (an RTF document that cannot be read); the text is unchanged then.
  void LoadFile(std::u16string_view path, int fileType = rtfRTF);
  // Writes the text as Windows-1251 bytes (characters it lacks become '?'). Raises 75 on failure.
  void SaveFile(std::u16string_view path) const;

  // Searches from `start` (to `end` when not negative) for `text`; options rtfWholeWord and
  // rtfMatchCase. Returns the index of the match and selects it, or -1 (and the selection stays).
  // Letters compare without regard to case unless rtfMatchCase; rtfWholeWord takes a match only
  // where neither neighbour is a letter or digit.
  std::int32_t Find(std::u16string_view text, std::int32_t start = 0, std::int32_t end = -1, int options = 0);
  // The index of every match that Find would give one search after another from `start`, each going
  // on after the previous match (so matches never overlap); the selection is not touched. Costs one
  // pass over the text, whereas as many calls of Find would each select.
  std::vector<std::int32_t> Matches(std::u16string_view text, std::int32_t start = 0, int options = 0) const;

  void SetFocus();

  // Events. Change: the text changed (typing, paste, any change made in code); SelChange: the caret
  // or selection moved; KeyDown: a key went down (the runtime's key code and shift state); KeyPress:
  // a character is typed (setting KeyAscii to 0 drops it, to another character types that one);
  // MouseDown: a button went down (1 left, 2 right, 4 middle; X and Y in twips).
  std::function<void()> Change;
  std::function<void()> SelChange;
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void(int Button, int Shift, float X, float Y)> MouseDown;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vb
