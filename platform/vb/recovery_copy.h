// Inside the layer only: the recovery copies of rewrites in place (file_system.h).
//
// Before a file is rewritten in place, a complete copy of its new content is flushed to disk: in
// the user's state folder, or beside the file when that folder takes none. The copy ends with a
// record: the rewrite's trace (rewrite_trace.h: the file's identity on its disk, the hashes of its
// old and new content), the file's path then, and a checksum of the record. So a copy left behind
// belongs to the file of that identity under whatever name it is opened (another hard link, a new
// name, another folder), the copy's own content can be checked block by block, and the file can be
// judged against it.
//
// Copies made before the trace was kept end with a shorter record: the file's path then, and one
// checksum of that path and the content. They are still read, and belong to the file at that path.
#pragma once

#include "platform/layer_only.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/rewrite_trace.h"
#include "platform/vb/save_files.h"

namespace vb::save {

// A file, as its copies know it.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::string path;  // IdentityPath
  timespec modified{};
};
// The file at `native` (links followed), or none when there is no file.
std::optional<FileId> IdOf(const std::string& native);

// Makes the copy of `bytes` for rewriting `target` (its real path) as `trace` says: in the user's
// state folder, else beside the target. Raises when neither takes it (then no rewrite in place may
// begin), with a description that names each folder and says why.
void MakeRecoveryCopy(const std::string& target, const RewriteTrace& trace, std::string_view bytes, Temp& copy);

// A copy a write left behind that belongs to a file.
struct FoundCopy {
  enum class Kind {
    kTraced,      // it carries its rewrite's trace
    kFirst,       // one of the first kind: path and checksum only
    kUnreadable,  // its record fails its checksum: it is known by its name alone
  };
  Kind kind = Kind::kTraced;
  std::string path;
  Fd file;  // held open, under a shared lock
  timespec made{};
  RewriteTrace trace;  // kTraced only
  std::string bytes;   // its content, when asked for
  bool intact = false;  // its content checks
};

// The copies no write holds that belong to `id`, newest first (with their content when asked).
std::vector<FoundCopy> CopiesOf(const FileId& id, bool withContent);
// Removes a copy found, unless another process is reading it.
void Remove(FoundCopy& copy);
// Removes the files that writes of `target` left unfinished (killed before they were complete):
// they hold nothing to recover.
void RemoveUnfinished(const std::string& target);

}  // namespace vb::save
