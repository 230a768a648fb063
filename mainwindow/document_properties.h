// The two text helpers of the document properties window: a file's title as the desktop shows it,
// and a byte count in the shell's short notation ("1,50 КБ"). They are the platform's own, shared
// with the shell's properties window, so both windows say the same of one file.
#pragma once

#include "platform/shell/file_properties.h"

namespace modDocumentProperties {

// The file's name as the desktop shows it; empty for an empty path or one that names no file.
using platform::shell::GetFileTitleOf;
// The shell's short size text of a byte count. It takes 64 bits: files of 4 GiB and more show
// their true size.
using platform::shell::FormatByteSize;

}  // namespace modDocumentProperties
