// Small helpers the settings dialog's page layouts share: place a control and give it its caption
// in one line.
#pragma once

#include <string>

namespace settings_layout {

// Standard heights, in twips, of the dialog's controls.
inline constexpr float kCheckHeight = 285;
inline constexpr float kBoxHeight = 315;
inline constexpr float kButtonHeight = 375;
inline constexpr float kLabelHeight = 255;

template <class C>
void Place(C& control, float left, float top, float width, float height, const std::u16string& caption) {
  control.Move(left, top, width, height);
  control.Caption(caption);
}

}  // namespace settings_layout
