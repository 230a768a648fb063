// Inside the layer only: the title bar a message box draws itself when the user may not close it
// (a question whose every answer matters: Yes/No, Abort/Retry/Ignore). A window manager's frame
// would carry a close box there that could only be refused, and some window managers (openbox among
// them) keep the close box whatever the window asks for. Such a box goes without the window
// manager's frame: a bar at its top writes its caption, in the desktop's caption colours, and moves
// the box when dragged; a thin border goes round it.
#pragma once

#include "platform/layer_only.h"

class QDialog;
class QLabel;

namespace platform::detail {

// Gives the box, not yet shown, its own title bar and border in place of the window manager's frame.
void GiveOwnTitleBar(QDialog& box);

// The bar a box got from GiveOwnTitleBar, nullptr when it has the window manager's frame.
QLabel* OwnTitleBarOf(QDialog& box);

}  // namespace platform::detail
