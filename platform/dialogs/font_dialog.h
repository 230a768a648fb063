// Inside the layer only: the toolkit's font dialog as the common and choose-font dialogs show it,
// its family list naming each family once, as Screen.Fonts names it (without the font library's
// foundry tags).
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace platform::detail {

// Shows the font dialog modally over parent, starting at initial; the chosen font, or nothing when
// the user cancels.
std::optional<QFont> AskForFont(const QFont& initial, QWidget* parent, const QString& title = {});

}  // namespace platform::detail
