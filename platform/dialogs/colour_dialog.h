// Inside the layer only: the toolkit's colour dialog as the common and choose-colour dialogs show
// it, on the heap as every modal dialog with an owner is (modal_dialog.h).
#pragma once

#include "platform/layer_only.h"

#include <QColor>
#include <QColorDialog>
#include <QString>
#include <optional>

#include "platform/vb/modal_dialog.h"

namespace platform::detail {

// Shows the colour dialog modally over the window dialogs are shown over, starting at initial; the
// chosen colour, or nothing when the user cancels or the window goes while the dialog waits.
inline std::optional<QColor> AskForColour(const QColor& initial, const QString& title = {}) {
  ModalDialog<QColorDialog> dialog(initial, DialogOwner());
  if (!title.isEmpty()) dialog->setWindowTitle(title);
  if (!dialog.Accepted()) return std::nullopt;
  return dialog->selectedColor();
}

}  // namespace platform::detail
