// Inside the layer only: the record that ends a recovery copy (recovery_copy.h), after the copy's
// content: the rewrite's trace (its block hashes, the file's identity), the file's path then, and a
// checksum of the record itself, then a mark. A writer writes it last and flushes it, so a file
// that ends with the mark is a finished copy, and a file without it was cut short while it was
// made (its target was never touched).
//
// The first versions of the program ended a copy with a shorter record under another mark: the
// file's path then, and one checksum of that path and the content. Such copies are still read.
#pragma once

#include "platform/layer_only.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/vb/rewrite_trace.h"

namespace vb::save {

// What follows a copy's content.
std::string CopyTail(const RewriteTrace& trace, const std::string& path);

// What the end of a file says it is: unfinished (no mark), a traced copy, a copy of the first
// kind, or a finished copy whose record fails its checks.
struct CopyEnd {
  enum class What { kUnfinished, kTraced, kFirst, kUnreadable } what = What::kUnfinished;
  RewriteTrace trace;
  std::string path;
  std::uint64_t contentLength = 0;
  std::uint64_t firstChecksum = 0;
};

CopyEnd ReadCopyEnd(int fd);

// Whether `content` is the content the copy was made with.
bool ContentChecks(const CopyEnd& end, std::string_view content);

}  // namespace vb::save
