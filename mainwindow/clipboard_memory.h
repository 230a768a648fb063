// The clipboard watch's memory: the clipboard text it saw last, kept in the settings store under
// "Clipboard" "ClipboardText" so that the watch of the next start, or of another copy, knows it.
// The text comes back from the store exactly as it went in (line breaks, quotes, backslashes, NUL,
// characters beyond the first plane), so a text once seen is never taken for new again.
//
// Looking costs nothing while nothing happens: the store is read only when the clipboard's
// sequence number moved since the last look.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace clipboard_memory {

// The remembered text as stored; empty when none.
std::u16string Remembered();
void Remember(const std::u16string& text);

class Watcher {
 public:
  // True when the clipboard holds text other than the remembered one that another program put
  // there; that text is then remembered. False at once, reading nothing, when the clipboard did not
  // change since the last look. A clipboard that holds no text is nothing new: on X11 the clipboard
  // empties when the program that copied quits, and that is no copy of an empty text. Nor is text
  // this program copied itself (the user copying the repaired text out of the editor): it is
  // remembered as seen, so that it stays old when a clipboard keeper takes it over.
  bool Look();
  // The next look reads the store and the clipboard again, whatever the sequence number says.
  void Forget() { seen_.reset(); }

 private:
  std::optional<std::uint32_t> seen_;
};

}  // namespace clipboard_memory
