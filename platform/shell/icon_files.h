// The icons a path holds, as the shell's icon functions see them. An icon file (.ico) holds one
// icon, in every size it was drawn in; a folder holds the icons of the icon files in it, one each,
// ordered by name (letter case aside), so an index chooses among them as it chooses among the
// icons of a program file on the platform the program comes from. Other paths hold none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::shell {

// The icon files behind the path's icons, in index order.
std::vector<std::u16string> IconFilesOf(std::u16string_view path);

}  // namespace platform::shell

namespace win {

// The sizes the extraction makes: the large icon of window titles and the small one of lists.
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

// With index -1 and no arrays: how many icons the path holds. Otherwise extracts `icons` icons
// from `index` on, each as a large and a small icon (from the picture of that size in the file, or
// the nearest one scaled) into `large` and `small` (either may be null), and returns how many
// icons it extracted; 0 for an index past the last icon. The caller destroys the icons.
UINT ExtractIconExA(std::u16string_view file, int index, HICON* large, HICON* small, UINT icons);

}  // namespace win
