// Inside the layer only: the icon picker, "Смена значка": a box with the file (or folder) whose
// icons are offered and a browse button, the icons in a list, OK and Cancel. It is modal and opens
// centred over its owner (on the screen when it has none). Typing another path and pressing Enter
// (or OK) offers that path's icons; OK with the list's path chooses the icon selected.
#pragma once

#include "platform/layer_only.h"

#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::dialogs {

// One icon offered: its picture (32 by 32) and the name shown under it.
struct OfferedIcon {
  QImage picture;
  std::u16string name;
};

struct PickIconSetup {
  win::HWND owner = 0;
  std::u16string path;
  int index = 0;  // the icon selected at first (the first when out of range)
  // The icons a path holds, in index order.
  std::function<std::vector<OfferedIcon>(const std::u16string& path)> icons;
};

struct PickedIcon {
  std::u16string path;
  int index = 0;
};

inline constexpr char16_t kPickIconTitle[] = u"Смена значка";

std::optional<PickedIcon> ShowPickIconWindow(const PickIconSetup& setup);

}  // namespace platform::dialogs
