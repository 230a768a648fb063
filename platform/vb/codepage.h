// The system's single-byte code page, Windows-1251: documents are read and written in it.
#pragma once

#include <string>
#include <string_view>

namespace vb {

// Every byte has a character: 0x98, which the code page leaves undefined, becomes U+0098.
std::u16string FromWindows1251(std::string_view bytes);
// Characters the code page cannot represent become '?' and set *lossy (when given) to true;
// otherwise *lossy is set to false.
std::string ToWindows1251(std::u16string_view text, bool* lossy = nullptr);

}  // namespace vb
