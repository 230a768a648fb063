// The runtime's Clipboard object over the system clipboard. Text put there carries LF line breaks
// (ClipboardLineBreaks below); GetText gives the clipboard's text as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/change_notice.h"

namespace vb {

constexpr int vbCFText = 1;

class ClipboardObject {
 public:
  // The clipboard's text; empty when it holds none (or for a format other than vbCFText).
  std::u16string GetText(int format = vbCFText) const;
  // Replaces the clipboard's content with the text; another format than vbCFText raises 5.
  void SetText(std::u16string_view text, int format = vbCFText);
  void Clear();
  // True when the clipboard holds data of the format (vbCFText: text).
  bool GetFormat(int format) const;
  // True when this program put the clipboard's content there (SetText, a copy or cut in one of its
  // boxes or its editor), false when another program did: the window system tells which. Without
  // a window system that tells (tests), every content is the program's own but the copies a test
  // makes as another program (platform/testing/vb.h).
  bool HoldsOwnCopy() const;
  // The clipboard's sequence number: it changes whenever the clipboard's content changes, by this
  // program or another, so a poller learns that nothing changed without reading the content.
  std::uint32_t SequenceNumber() const;
  // Told after every change of the content (each move of the sequence number), by this program or
  // another: the window system's own change notice, so that nobody needs to poll the clipboard.
  platform::ChangeNotice& Changes() const;
};

extern ClipboardObject Clipboard;

}  // namespace vb

namespace platform {

// A text as it goes onto the clipboard: every line break (CR LF, or a lone CR) made one LF, the form
// the desktop's other programs expect there, whereas the program's texts separate lines with CR LF.
// Text coming from the clipboard may use any of the three; the editor takes each as a line break.
std::u16string ClipboardLineBreaks(std::u16string_view text);

}  // namespace platform
