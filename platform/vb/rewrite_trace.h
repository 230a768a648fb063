// Inside the layer only: what a rewrite in place (file_system.h) knows of its file before it
// begins, kept in its recovery copy, and the judgement of the file against it later.
//
// A rewrite in place reserves the new length, writes the new content from the start, cuts the file
// to the new length and flushes it. Cut short at any moment, by a kill or by the machine stopping,
// the file holds the old content (padded with zeros to the reserved length) with some of it
// overwritten by the new content, block by block: the writes land in whole pages of memory, and
// pages reach the disk whole. Its length lies between the old length and the new. So a trace of
// the file's identity and of the hash of each block of the old and of the new content tells, for
// any content the file holds later, whether a cut-short rewrite could have left it, whether the
// rewrite in fact ended, or whether the file has been written since.
#pragma once

#include "platform/layer_only.h"

#include <sys/stat.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace vb::save {

struct RewriteTrace {
  // The file's identity on its disk.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t oldLength = 0;
  std::uint64_t newLength = 0;
  std::uint32_t block = 4096;
  // False when the old content could not be read (a file the user may write but not read): then
  // any old content passes.
  bool oldKnown = true;
  std::vector<std::uint64_t> oldBlocks;  // hash of each block of the old content
  std::vector<std::uint64_t> newBlocks;  // and of the new
  // Where the new content ends inside a block of the old one: the hashes of the old content of that
  // block before that end and after it (to the block's end or the old content's end).
  std::uint64_t oldHead = 0;
  std::uint64_t oldTail = 0;
};

std::uint64_t PieceHash(std::string_view bytes);

// The trace of rewriting the file open as `fd` (`st` its status) to `bytes`. The old content is
// read through `fd` from its start.
RewriteTrace TraceRewrite(int fd, const struct stat& st, std::string_view bytes);

// How a file stands to a rewrite that was cut short.
enum class Standing {
  kComplete,  // it holds the new content whole
  kAsLeft,    // it holds what the rewrite could have left: the old content, the new, or a mixture
  kChanged,   // it holds something else: it has been written since
};
Standing Judge(const RewriteTrace& trace, std::string_view file);

// Whether `bytes` is the new content the trace describes.
bool IsNewContent(const RewriteTrace& trace, std::string_view bytes);

}  // namespace vb::save
