#include "mainwindow/bar_building.h"

#include <algorithm>
#include <optional>
#include <vector>

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

namespace {

// The number of words of a command key.
std::size_t Words(std::u16string_view key) { return static_cast<std::size_t>(std::count(key.begin(), key.end(), u':')) + 1; }

// Places the direct children of parentKey among `buttons` on a bar of that key (made only when there
// is a child), hands the bar to the parent button when there is one, and recurses into each child.
void AddBarButtons(kestCommandBar& control, const std::vector<cButton>& buttons, const std::u16string& parentKey,
                   const cButton* parent) {
  const std::size_t words = Words(parentKey);
  const std::u16string prefix = parentKey + u":";
  std::optional<cCommandBar> bar;
  for (const cButton& button : buttons) {
    const std::u16string& key = button.Key();
    if (!key.starts_with(prefix) || Words(key) != words + 1) continue;
    if (!bar) {
      bar = control.CommandBars().Add(parentKey, parentKey);
      if (parent != nullptr) parent->Bar(&*bar);
    }
    bar->Buttons().Add(&button);
    AddBarButtons(control, buttons, key, &button);
  }
}

}  // namespace

void BuildCommandBars(kestCommandBar& control) {
  // The buttons are read once: building the bars adds none.
  const cButtons all = control.Buttons();
  std::vector<cButton> buttons;
  for (std::int32_t i = 1, count = all.count(); i <= count; ++i) buttons.push_back(all.Item(i));
  for (const char16_t* top : {u"MENU", u"TOOLBAR", u"TOOLBAR2"}) AddBarButtons(control, buttons, top, nullptr);
}

}  // namespace mainwindow
