// The command icons of the menus and the two toolbars: five image lists filled from the icon files
// below the program's folder ("Data/icons/menu", "Data/icons/toolbars/small" and ".../large"), in a
// fixed order, each icon under its key. A button names its icon by its 0-based position in the list
// of its bar kind (mainwindow/command_table.h), so this order and the table's indices belong
// together. A toolbar's small and large lists hold the same icons at the same positions.
//
// A missing or unreadable file adds nothing and is not reported: the later icons of that list move
// up one place and the list ends short. A list that cannot be made stays empty with handle 0.
//
// What frmMain calls: early in its load, before any command button exists, LoadMenuImageList,
// LoadToolbarImageLists and LoadDecodeToolbarImageLists on its CommandImageLists with App.Path; it
// then hands the lists' hIml to its command-bar controls.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "controls/image_list.h"

namespace mainwindow {

struct IconFile {
  std::u16string_view key;
  std::u16string_view file;
};

// The rows of each list in order: 33 menu icons, 28 standard-toolbar icons, 3 conversion-toolbar ones.
std::span<const IconFile> MenuIconFiles();
std::span<const IconFile> ToolbarIconFiles();
std::span<const IconFile> DecodeToolbarIconFiles();

inline constexpr int kSmallIconSize = 16;
inline constexpr int kLargeIconSize = 24;

// The main window's five lists, kept for its life.
struct CommandImageLists {
  std::unique_ptr<controls::clsImageList> ilMenu;
  std::unique_ptr<controls::clsImageList> ilToolBarSmall;
  std::unique_ptr<controls::clsImageList> ilToolBarLarge;
  std::unique_ptr<controls::clsImageList> ilDecodeSmall;
  std::unique_ptr<controls::clsImageList> ilDecodeLarge;
};

// Each makes its lists anew at the display's colour depth, to be filled from the icon files when first
// used; programFolder is the folder of the running program (App.Path), whatever the current folder
// is.
void LoadMenuImageList(CommandImageLists& lists, const std::u16string& programFolder);
void LoadToolbarImageLists(CommandImageLists& lists, const std::u16string& programFolder);
void LoadDecodeToolbarImageLists(CommandImageLists& lists, const std::u16string& programFolder);

}  // namespace mainwindow
