// The runtime's message box. Line breaks in the prompt may be CR LF, a bare LF or a bare CR. While
// dialogs are scripted (tests), the answer comes from the script; otherwise a real message box with
// Russian buttons is shown modal over the active window; a box that goes with that window is asked
// again.
#pragma once

#include <string_view>

namespace vb {

// Buttons.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icons.
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button.
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Shows the box and returns the button pressed, always one of the box's own buttons: a box that
// ends with none pressed answers the one that declines (Cancel, else No, else Abort, else its only
// button). An empty title gives the program's name.
int MsgBox(std::u16string_view prompt, int buttons = vbOKOnly, std::u16string_view title = {});

}  // namespace vb
