// The main window's 150 commands as data, one record each: for each button of the menu bar, its
// drop-downs and sub-menus, the standard toolbar and the conversion toolbar, its key, icon index,
// caption, style, tooltip and shortcut, what choosing it runs, and when the command-state refresh
// enables it, in the order the buttons are created. The bars (mainwindow/bar_building.h), the
// routing of a chosen button (mainwindow/command_routing.h) and the state refresh
// (mainwindow/command_state.h) all read this one table, so a command is added in one place and a
// key cannot reach one of them and miss another.
//
// A button's place on its bar is its place in this order, so the toolbar items' positions (00 to
// 39, 00 to 07) that the visibility preferences and the customisation dialog name are fixed here too.
//
// Keys are upper-case words joined by ":"; the first word names the top-level bar ("MENU",
// "TOOLBAR", "TOOLBAR2") and every further word goes one level deeper. Icon indices point into the
// icon list of the button's bar kind (mainwindow/command_icons.h); -1 is no icon.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "commandbars/button.h"

namespace mainwindow {

class CommandTarget;

// A handler of the main window (mainwindow/command_routing.h).
using CommandHandler = void (CommandTarget::*)();

// When the command-state refresh enables a command: never touched by it (Always), or while the
// editor has a selection, has text, the edit history can be undone or redone, the clipboard holds
// text, the document was converted, opened, or saved under a name chosen with Save As.
enum class EnableRule { Always, Selection, Text, Undo, Redo, Clipboard, Decoded, Opened, SavedAs };

struct CommandRow {
  std::u16string_view key;
  std::int32_t icon = -1;
  std::u16string_view caption;
  commandbars::EButtonStyle style = commandbars::eNormal;
  std::u16string_view toolTip;
  // A virtual-key code (0: none) and its modifier bits; a button without a shortcut keeps the
  // toolkit's default modifier, Ctrl.
  std::int16_t shortcutKey = 0;
  std::int32_t shortcutModifiers = commandbars::kCtrlModifier;
  // The caption shows beside the icon when the button stands on a bar shown as a toolbar.
  bool showCaptionInToolbar = false;
  // What choosing the button runs: a handler, or a conversion in a direction (0 to 19); neither for
  // the menu-bar entries, the items that open a sub-menu, the separators and the panel.
  CommandHandler handler = nullptr;
  std::int32_t direction = -1;
  // The command changes the document, so it waits for no running conversion: it does nothing then.
  bool changesDocument = false;
  EnableRule enable = EnableRule::Always;

  bool Runs() const { return handler != nullptr || direction >= 0; }
};

// Every command in creation order: the nine menu-bar entries, each drop-down's items (a sub-menu's
// items right after the item that opens it), the 40 items of "TOOLBAR", the 8 of "TOOLBAR2".
std::span<const CommandRow> CommandTable();

// The row of a key, compared exactly; nullptr when no button has it.
const CommandRow* FindCommand(std::u16string_view key);

// The conversion toolbar's panel item hosts the main window's direction list, this wide in pixels;
// its enable rule is the direction list's.
inline constexpr std::u16string_view kDirectionPanelKey = u"TOOLBAR2:DECODE";
inline constexpr std::int32_t kDirectionPanelWidth = 168;

}  // namespace mainwindow
