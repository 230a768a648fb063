#include "mainwindow/bar_building.h"

#include <optional>

#include "mainwindow/command_routing.h"
#include "mainwindow/command_table.h"

namespace mainwindow {

using commandbars::cButton;
using commandbars::cButtons;
using commandbars::cCommandBar;
using commandbars::kestCommandBar;

void CreateCommandButtons(kestCommandBar& control, vb::Control& directionList) {
  const cButtons buttons = control.Buttons();
  for (const CommandRow& row : CommandTable()) {
    const cButton button = buttons.Add(std::u16string(row.key), row.icon, std::u16string(row.caption), row.style,
                                       std::u16string(row.toolTip), row.shortcutKey, row.shortcutModifiers);
    if (row.showCaptionInToolbar) button.ShowCaptionInToolbar(true);
    if (row.key == kDirectionPanelKey) {
      button.PanelWidth(kDirectionPanelWidth);
      button.PanelControl(&directionList);
    }
  }
}

void BuildCommandBars(kestCommandBar& control) {
  for (const char16_t* top : {u"MENU", u"TOOLBAR", u"TOOLBAR2"}) AddBarButtons(control, top, nullptr);
}

void AddBarButtons(kestCommandBar& control, const std::u16string& parentKey, const cButton* parent) {
  const std::size_t words = SplitCommandKey(parentKey).size();
  const std::u16string prefix = parentKey + u":";
  const cButtons buttons = control.Buttons();
  const std::int32_t count = buttons.count();  // read once: the walk adds no buttons
  std::optional<cCommandBar> bar;
  for (std::int32_t i = 1; i <= count; ++i) {
    const cButton button = buttons.Item(i);
    const std::u16string& key = button.Key();
    if (!key.starts_with(prefix) || SplitCommandKey(key).size() != words + 1) continue;
    if (!bar) {
      bar = control.CommandBars().Add(parentKey, parentKey);
      if (parent != nullptr) parent->Bar(&*bar);
    }
    bar->Buttons().Add(button);
    AddBarButtons(control, key, &button);
  }
}

}  // namespace mainwindow
