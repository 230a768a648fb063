// Inside the layer only: what the layer's own dialog windows (Run, icon picker, properties) share:
// the widget of their owner window, over which Qt centres a dialog, the picture of an icon handle,
// and their row of OK and Cancel.
#pragma once

#include "platform/layer_only.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/gdi/types.h"

namespace platform::dialogs {

// The top-level widget of the owner window; null for 0 or a window that is gone (the dialog then
// opens in the middle of the screen).
QWidget* OwnerWidget(win::HWND owner);
// The icon's picture in its own size; a null pixmap for 0 or an unknown handle.
QPixmap PictureOfIcon(win::HICON icon);

inline QString ToQ(const std::u16string& s) { return QString::fromStdU16String(s); }

// The buttons' row, at its right end: "ОК" (the default button, which runs `ok` when pressed; the
// button is handed back) and "Отмена" (which cancels the dialog).
QHBoxLayout* OkCancelRow(QDialog& dialog, const std::function<void()>& ok, QPushButton** okButton);

}  // namespace platform::dialogs
