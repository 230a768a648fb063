// Whole-file reads and safe whole-file writes, for documents and their backups. Paths may use "\"
// as well as "/" between folders. Failures raise the runtime's file errors (53 file not found, 76
// path not found, 70 permission denied, 61 disk full, 75 path/file access error).
//
// A safe write goes to the file a symbolic link names (the link stays a link), refuses a file that
// may not be written (70, nothing changed), and keeps the file's owner, group, permissions and hard
// links. It writes a new file beside the target and renames it into place when that keeps all of
// them; otherwise (another owner, several links, a folder it may not create files in) it first makes
// sure the disk holds the new content, then rewrites the file in place. Its temporary files have
// names that fit whatever the target's name, and one left behind by a write that was killed is
// removed by the next write or open of that file.
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
// The first `count` bytes of the file (fewer when it is shorter); empty when it cannot be read.
std::string ReadFileStart(std::u16string_view path, std::size_t count);
// Writes `bytes` as the whole content of the file at `path`, safely (above): the old content stays
// as it was if anything fails.
void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes);
// Raises 70 when the file at `path` exists and may not be written (a safe write would refuse it).
void CheckWritable(std::u16string_view path);
// Removes the temporary files that writes of this file left behind when they were killed; a write
// still under way in another process keeps its own.
void RemoveLeftoverTemporaries(std::u16string_view path);

// Raises the runtime error for an operating-system error number.
[[noreturn]] void RaiseFileError(int error);

}  // namespace vb
