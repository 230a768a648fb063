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
// new content is flushed to disk first (beside the file, or in the user's state folder when the
// file's folder takes no new file; with no room for it nothing is written), and it goes only once
// the rewritten file is complete and flushed. A copy found later means the rewrite was cut short
// (the program killed, the machine stopped): FindInterruptedSave hands it over. Two rewrites of one
// file never mix: the second waits for the first, a few seconds at most (75 when it is still under
// way then: another program is writing the file). The temporary files have names that fit
// whatever the target's name; those that hold nothing to recover are removed by the next write or
// open of that file.
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
// The first `count` bytes of the file (fewer when it is shorter); empty when it cannot be read.
std::string ReadFileStart(std::u16string_view path, std::size_t count);
// Writes `bytes` as the whole content of the file at `path`, safely (above): the old content stays
// as it was if anything fails before the rewrite, and the new one can be recovered after it.
void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes);
// Raises 70 when the file at `path` exists and may not be written (a safe write would refuse it).
void CheckWritable(std::u16string_view path);
// Removes the temporary files that writes of this file left behind when they were killed and that
// hold nothing to recover; a write still under way in another process keeps its own.
void RemoveLeftoverTemporaries(std::u16string_view path);

// The new content of a rewrite of the file that was cut short, and where its copy lies.
struct InterruptedSave {
  std::u16string copyPath;
  std::string bytes;
};
// The newest complete copy left by a cut-short rewrite of the file at `path`, when it differs from
// `current` (the file's content now). When the newest copy is what the file holds (the rewrite was
// complete, only its copy was left) the copies are removed and there is none. A copy handed over
// stays until the file is next written whole.
std::optional<InterruptedSave> FindInterruptedSave(std::u16string_view path, std::string_view current);

// Raises the runtime error for an operating-system error number.
[[noreturn]] void RaiseFileError(int error);

}  // namespace vb
