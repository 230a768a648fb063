// Inside the layer only: the keyboard handed back when a window closes that the window manager does
// not give it back after. Window managers pass the keyboard, when the window that held it goes, to
// a window of the ordinary kinds only (openbox among them); a dialog typed a toolbar, so that its
// frame has no minimise or maximise button, is never chosen. So a message box closing over Find
// would leave the keyboard with the main window. Such a window, hidden by the program while it has
// the keyboard, gives it to the window of the program that was active when it was shown, as this
// desktop's message boxes do, where that one is still shown and not minimised.
#pragma once

#include "platform/layer_only.h"

class QWidget;

namespace platform::detail {

// Hands the keyboard back as above whenever the top-level `window` is hidden; once set, it stays
// for the window's life. Call it before the window is shown.
void HandKeyboardBackOnHide(QWidget* window);

}  // namespace platform::detail
