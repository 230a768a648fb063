// Whole-file reads and safe whole-file writes, for documents and their backups. Paths may use "\"
// as well as "/" between folders. Failures raise the runtime's file errors (53 file not found, 76
// path not found, 70 permission denied, 61 disk full, 75 path/file access error).
//
// Only regular files are read and written (through symbolic links): a named pipe, a device, a
// socket or a folder is refused at once with 75 and a description that names the file and says
// what it is, and a read never waits on one.
//
// A safe write goes to the file a symbolic link names (the link stays a link), refuses a file that
// may not be written (70, nothing changed), and keeps the file's owner, group, permissions and hard
// links. It writes a new file beside the target and renames it into place when that keeps all of
// them. Otherwise (another owner, several links, a folder it may not create files in) it rewrites
// the file in place, and the file can be recovered at every moment of that: a complete copy of the
// new content is flushed to disk first (recovery_copy.h: in the user's state folder, or beside the
// file when that folder takes none; with room for it in neither, nothing is written and the error
// names both folders and why), and it goes only once the rewritten file is complete and flushed.
// A copy found later means the rewrite was cut short (the program killed, the machine stopped):
// FindInterruptedSave hands it over, under whichever name the file is opened.
//
// Two copies of the program never mix a rewrite with another rewrite or a read of the same file: a
// rewrite holds the file, and another rewrite or a read waits for it (vb::WaitAnswering, the
// windows answering meanwhile), a few seconds at most; a file still held then is refused with 75
// and a description saying another program is writing it. The temporary files have names that
// fit whatever the target's name; those that hold nothing to recover are removed by the next write
// or open of that file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

// The largest document the editor is given (it keeps two bytes a character, and room to edit).
constexpr std::size_t kMaxDocumentBytes = std::size_t{256} << 20;

// The path as the operating system takes it.
std::string NativePath(std::u16string_view path);
// The file name without its folder.
std::u16string FileTitleOf(std::u16string_view path);
bool FileExists(std::u16string_view path);

// The whole file. A file larger than `limit` bytes is refused before it is read (75, the
// description naming the file, its size and the limit).
std::string ReadAllBytes(std::u16string_view path, std::size_t limit = SIZE_MAX);
// The first `count` bytes of a regular file (fewer when it is shorter) and the file's size, read
// without ever waiting: the file is opened without blocking and only then looked at, so a named
// pipe, a device or a folder (or a file swapped for one meanwhile) gives nothing. Nothing, too,
// when the file cannot be read.
struct FileStart {
  std::string bytes;
  std::uint64_t size = 0;
};
FileStart ReadFileStart(std::u16string_view path, std::size_t count);
// Writes `bytes` as the whole content of the file at `path`, safely (above): the old content stays
// as it was if anything fails before the rewrite, and the new one can be recovered after it.
void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes);
// Raises 70 when the file at `path` exists and may not be written (a safe write would refuse it).
void CheckWritable(std::u16string_view path);
// Removes the temporary files that writes of this file left behind when they were killed and that
// hold nothing to recover; a write still under way in another process keeps its own.
void RemoveLeftoverTemporaries(std::u16string_view path);

// The copy a cut-short rewrite of a file left: where it lies, and the new content whole, or that the
// copy is damaged (its content fails its check) and nothing can be taken from it.
struct InterruptedSave {
  std::u16string copyPath;
  std::string bytes;
  bool damaged = false;
};
// The newest copy left by a cut-short rewrite of the file at `path` (under this name or any other it
// had or has) while the file still holds what that rewrite could have left; `current` is its
// content now. A copy of a rewrite that in fact ended, or of a file that has been written since,
// or whose file is gone (another file now has its place on the disk), can no longer serve: it is
// removed. A copy handed over stays until the file is next written whole.
std::optional<InterruptedSave> FindInterruptedSave(std::u16string_view path, std::string_view current);

// The runtime's error number for an operating-system error number.
std::int32_t FileErrorNumber(int error);
// Raises the runtime error for an operating-system error number.
[[noreturn]] void RaiseFileError(int error);

}  // namespace vb
