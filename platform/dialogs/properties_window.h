// Inside the layer only: the properties window of a file or folder, "Свойства: <name>": one page
// "Общие" with the item's icon and name, its facts as label and text rows in groups, and its
// attributes as boxes for display (they neither take the focus nor change), and a Close button.
// It is modal, changes nothing, and opens centred over its owner (on the screen when it has none).
#pragma once

#include "platform/layer_only.h"

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::dialogs {

struct PropertiesSheet {
  win::HWND owner = 0;
  QImage icon;
  std::u16string name;
  // Rows of label and text; a row with an empty label ends a group (a line is drawn there).
  std::vector<std::pair<std::u16string, std::u16string>> facts;
  std::vector<std::pair<std::u16string, bool>> attributes;  // caption, ticked
};

inline constexpr char16_t kPropertiesTitle[] = u"Свойства: ";

void ShowPropertiesWindow(const PropertiesSheet& sheet);

}  // namespace platform::dialogs
