// The two text helpers of the document properties window: a file's title as the desktop shows it,
// and a byte count in the shell's short notation ("1,50 КБ").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace modDocumentProperties {

// The file's name as the desktop shows it; empty for an empty path or one that names no file.
std::u16string GetFileTitleOf(std::u16string_view path);
// The shell's short size text of a byte count. It takes 64 bits: files of 4 GiB and more show
// their true size.
std::u16string FormatByteSize(std::int64_t bytes);

}  // namespace modDocumentProperties
