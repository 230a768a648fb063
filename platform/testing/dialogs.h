// Hooks for tests of the real (unscripted) file, folder and print dialogs.
#pragma once

#include <string>

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

}  // namespace platform::testing
