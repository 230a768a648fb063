// Inside the layer only: what the layer's own dialog windows share: the widget of their owner
// window, over which Qt centres a dialog, and the picture of an icon handle.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "platform/gdi/types.h"

namespace platform::dialogs {

// The top-level widget of the owner window; null for 0 or a window that is gone (the dialog then
// opens in the middle of the screen).
QWidget* OwnerWidget(win::HWND owner);
// The icon's picture in its own size; a null pixmap for 0 or a handle that is no icon.
QPixmap PictureOfIcon(win::HICON icon);

}  // namespace platform::dialogs
