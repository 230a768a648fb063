// The program's resources: files compiled into the program with the toolkit's resource system (a
// .qrc or qt_add_resources of the executable or of a library it links), each found by its type and
// number at ":/resources/<TYPE>/<id>": ICON (a whole .ico file), CURSOR (.cur), BITMAP (.bmp),
// VERSION (the program's version facts, app.h) or a type of the program's own such as SOUND. Only
// the program's own module carries resources: everything it links is one module here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/win/types.h"

namespace win {

// The program's own module for a null name; 0 for any other (no library carries resources here).
HMODULE GetModuleHandleA(const char* moduleName);

}  // namespace win

namespace platform::resources {

// The bytes of the module's resource; nothing when the module carries no such resource.
std::optional<std::vector<std::uint8_t>> Read(win::HMODULE module, std::u16string_view type, std::int32_t id);

}  // namespace platform::resources
