#include "mainwindow/command_buttons.h"

#include "platform/vb/control.h"

namespace mainwindow {

void CommandButtons::ButtonVisible(std::u16string_view key, bool visible) {
  control_.Buttons().Item(key).Visible(visible);
}

void CommandButtons::ButtonEnabled(std::u16string_view key, bool enabled) {
  control_.Buttons().Item(key).Enabled(enabled);
}

void CommandButtons::DirectionListVisible(bool visible) { directionList_.Visible(visible); }

}  // namespace mainwindow
