// Inside the layer only: a save dialog greys its Save button while the typed name is longer than
// the folder takes; this puts a line under the name field that says why, while it is so.
#pragma once

class QFileDialog;
class QLabel;

namespace platform::dialogs {

// Adds the notice to `dialog` (a dialog of the toolkit's own kind, not the desktop's) and returns
// it; it shows while the name typed is too long for the folder.
QLabel* AddNameLengthNotice(QFileDialog& dialog);

}  // namespace platform::dialogs
