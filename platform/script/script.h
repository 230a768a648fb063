// The script hook for modal dialogs and message boxes. A program shows them to the user; a test
// turns scripting on and queues the answers it expects, so nothing waits for a person. A dialog that
// comes while scripting is on and no answer is queued for it goes to the unscripted handler (the
// tests' main fails the running test there) and is answered as cancelled.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::script {

enum class Kind { MessageBox, OpenFile, SaveFile, Color, Font, Printer, Folder, Run, PickIcon, Properties, Other };

struct Answer {
  Kind kind = Kind::MessageBox;
  // Message boxes: the button pressed (the runtime's numbers: 1 OK, 2 Cancel, 6 Yes, 7 No).
  // Other dialogs: 1 accepted, 0 cancelled.
  int result = 0;
  // What the dialog gives back when accepted: a path, a colour as decimal text, a font name, ...
  std::u16string text;
};

// What a dialog showed, kept for tests to check.
struct Shown {
  Kind kind = Kind::MessageBox;
  std::u16string title;
  std::u16string prompt;
  int flags = 0;
  // What else the dialog starts with: the Run window's command, the icon picker's file, the print
  // dialog's port of the printer it starts on.
  std::u16string text;
};

void SetActive(bool active);
bool Active();
void Queue(Answer answer);
void ClearQueue();
std::size_t Pending();
// Called by a dialog before it would show itself. Returns the answer to act on while scripting is
// on, or nothing when the real dialog is to be shown.
std::optional<Answer> Take(const Shown& shown);
std::vector<Shown>& Log();
void SetUnscriptedHandler(std::function<void(const Shown&)> handler);

}  // namespace platform::script
