// Whole-file reads and safe whole-file writes, for documents and their backups. Paths may use "\"
// as well as "/" between folders. Failures raise the runtime's file errors (53 file not found, 76
// path not found, 70 permission denied, 61 disk full, 75 path/file access error).
#pragma once

#include <string>
#include <string_view>

namespace vb {

// The path as the operating system takes it.
std::string NativePath(std::u16string_view path);
// The file name without its folder.
std::u16string FileTitleOf(std::u16string_view path);
bool FileExists(std::u16string_view path);

std::string ReadAllBytes(std::u16string_view path);
// Writes into a new file beside the target and puts it in the target's place only when it is
// complete, so the old file stays as it was if anything fails. A file that existed keeps its
// permissions.
void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes);

// Raises the runtime error for an operating-system error number.
[[noreturn]] void RaiseFileError(int error);

}  // namespace vb
