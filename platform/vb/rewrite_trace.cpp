#include "platform/vb/rewrite_trace.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace vb::save {
namespace {

bool AllZero(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

std::string_view Piece(std::string_view bytes, std::uint64_t from, std::uint64_t to) {
  return bytes.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

// Reads the old content a chunk of blocks at a time into the trace; false when it cannot be read.
bool TraceOld(int fd, RewriteTrace& trace) {
  const std::uint64_t block = trace.block;
  const std::uint64_t newLength = trace.newLength;
  const bool splits = newLength < trace.oldLength && newLength % block != 0;
  std::string chunk(256 * block, '\0');
  std::uint64_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(fd, chunk.data(), chunk.size(), static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    const std::string_view read(chunk.data(), static_cast<std::size_t>(n));
    for (std::uint64_t p = 0; p < read.size(); p += block) {
      const std::string_view piece = Piece(read, p, std::min<std::uint64_t>(p + block, read.size()));
      trace.oldBlocks.push_back(PieceHash(piece));
      const std::uint64_t start = at + p;
      if (splits && start / block == newLength / block) {
        trace.oldHead = PieceHash(piece.substr(0, newLength - start));
        trace.oldTail = PieceHash(piece.substr(newLength - start));
      }
    }
    at += static_cast<std::uint64_t>(n);
    // A read that ends inside a block ends the content (the chunk is whole blocks).
    if (n == 0 || read.size() % block != 0) break;
  }
  trace.oldLength = at;  // what was there to read, should the file have changed meanwhile
  return true;
}

bool IsNewPiece(const RewriteTrace& t, std::uint64_t from, std::uint64_t to, std::string_view piece) {
  const std::uint64_t i = from / t.block;
  return from % t.block == 0 && to == std::min<std::uint64_t>(from + t.block, t.newLength) &&
         i < t.newBlocks.size() && PieceHash(piece) == t.newBlocks[i];
}

// Whether file[from, to) is the old content there, padded with zeros past its end.
bool IsOldPiece(const RewriteTrace& t, std::string_view file, std::uint64_t from, std::uint64_t to) {
  if (from >= t.oldLength) return AllZero(Piece(file, from, to));
  if (!t.oldKnown) return true;
  const std::uint64_t start = from / t.block * t.block;
  const std::uint64_t oldEnd = std::min<std::uint64_t>(t.oldLength, start + t.block);
  // Cut where the new content ends, inside the old block: its old head.
  if (to < oldEnd) return from == start && to == t.newLength && PieceHash(Piece(file, from, to)) == t.oldHead;
  std::uint64_t expected = 0;
  if (from == start) {
    expected = t.oldBlocks[from / t.block];
  } else if (from == t.newLength) {
    expected = t.oldTail;
  } else {
    return false;
  }
  return PieceHash(Piece(file, from, oldEnd)) == expected && AllZero(Piece(file, oldEnd, to));
}

}  // namespace

std::uint64_t PieceHash(std::string_view bytes) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
  std::size_t i = 0;
  const auto mix = [&h](std::uint64_t word) {
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  };
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    mix(word);
  }
  if (i < bytes.size()) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, bytes.size() - i);
    mix(word);
  }
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

RewriteTrace TraceRewrite(int fd, const struct stat& st, std::string_view bytes) {
  RewriteTrace trace;
  trace.device = static_cast<std::uint64_t>(st.st_dev);
  trace.inode = static_cast<std::uint64_t>(st.st_ino);
  trace.oldLength = static_cast<std::uint64_t>(st.st_size);
  trace.newLength = bytes.size();
  for (std::uint64_t p = 0; p < bytes.size(); p += trace.block)
    trace.newBlocks.push_back(PieceHash(Piece(bytes, p, std::min<std::uint64_t>(p + trace.block, bytes.size()))));
  if (!TraceOld(fd, trace)) {
    trace.oldKnown = false;
    trace.oldBlocks.clear();
  }
  return trace;
}

Standing Judge(const RewriteTrace& t, std::string_view file) {
  const std::uint64_t size = file.size();
  if (size < std::min(t.oldLength, t.newLength) || size > std::max(t.oldLength, t.newLength)) return Standing::kChanged;
  bool allNew = size == t.newLength;
  // The file in pieces: its blocks, the one where the new content ends cut there.
  for (std::uint64_t from = 0, to = 0; from < size; from = to) {
    to = std::min<std::uint64_t>((from / t.block + 1) * t.block, size);
    if (from < t.newLength && t.newLength < to) to = t.newLength;
    const std::string_view piece = Piece(file, from, to);
    if (IsNewPiece(t, from, to, piece)) continue;
    allNew = false;
    // A block the disk had not written yet reads as zeros.
    if (!IsOldPiece(t, file, from, to) && !AllZero(piece)) return Standing::kChanged;
  }
  return allNew ? Standing::kComplete : Standing::kAsLeft;
}

bool IsNewContent(const RewriteTrace& t, std::string_view bytes) {
  if (bytes.size() != t.newLength || t.newBlocks.size() != (t.newLength + t.block - 1) / t.block) return false;
  for (std::uint64_t i = 0; i < t.newBlocks.size(); ++i) {
    const std::uint64_t from = i * t.block;
    if (PieceHash(Piece(bytes, from, std::min<std::uint64_t>(from + t.block, bytes.size()))) != t.newBlocks[i])
      return false;
  }
  return true;
}

}  // namespace vb::save
