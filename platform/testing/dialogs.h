// Hooks for tests of the layer's real (unscripted) dialogs: the file, folder and print dialogs, and
// any modal dialog window (Run, icon picker, properties, message boxes) seen and worked as a user
// would, with pictures of it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/types.h"

namespace platform::testing {

// The next file or folder dialog chooses `path` and is accepted as soon as it is up; its window
// title is read into *seenTitle and the folder it started in into *seenStart. An empty path
// cancels it instead.
void ChooseInNextFileDialog(const std::u16string& path, std::u16string* seenTitle, std::u16string* seenStart);

// The next print dialog is answered as soon as it is up: the printer it offers is read into
// *seenPrinter and the duplex it offers (1 one-sided, 2 about the long edge, 3 about the short
// edge, 0 when it offers none) into *seenDuplex; then the duplex given is chosen (0: as offered)
// and the dialog is accepted.
void AnswerNextPrintDialog(int duplex, std::u16string* seenPrinter, int* seenDuplex);

// Runs `action` once the next modal dialog is up: shown, exposed and (under a window manager)
// active. The functions below then act on it. A dialog still up ten seconds after the action (keys
// typed from outside that never arrived, say) is cancelled, so no test hangs.
void InNextDialog(std::function<void()> action);
// Drops the actions still waiting for a dialog (one that never came), so none acts on a later
// test's dialog.
void ForgetDialogActions();

// The dialog up now (the active modal one): its title; the texts of its shown labels, in the order
// they were made (a label that names a box without its "&"); its shown push buttons' captions
// (without "&"); its shown check boxes with
// whether each is ticked.
std::u16string DialogTitle();
std::vector<std::u16string> DialogTexts();
std::vector<std::u16string> DialogButtons();
std::vector<std::pair<std::u16string, bool>> DialogChecks();
// The text of its first shown box the user may type in.
std::u16string DialogEditText();
void DialogSetEditText(const std::u16string& text);
// Clicks the shown push button with that caption ("&" left out); false when there is none or it
// is disabled.
bool DialogPress(const std::u16string& caption);
// Its list of items (the icon picker's): how many, the one chosen (-1: none), choosing one.
int DialogListCount();
int DialogListCurrent();
void DialogListSelect(int index);
// Where the dialog stands on the screen, in pixels (its frame left out).
win::RECT DialogRect();
// A picture of the dialog as it paints itself (no window frame).
bool SaveDialogPicture(const std::u16string& path);
// A picture of the whole screen as the X server shows it, window manager frames and all; false
// without a real display.
bool SaveRealScreenPicture(const std::u16string& path);

}  // namespace platform::testing
