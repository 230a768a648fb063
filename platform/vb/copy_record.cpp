#include "platform/vb/copy_record.h"

#include <sys/stat.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/vb/save_files.h"

namespace vb::save {
namespace {

// The record that ends a traced copy, after the content, the new and old block hashes and the path.
struct Record {
  std::uint64_t contentLength;
  std::uint64_t oldLength;
  std::uint64_t pathLength;
  std::uint64_t device;
  std::uint64_t inode;
  std::uint64_t oldHead;
  std::uint64_t oldTail;
  std::uint32_t block;
  std::uint32_t oldKnown;
  std::uint64_t checksum;  // of the hashes, the path and the fields above
  char mark[8];
};
constexpr char kMark[8] = {'Q', 'M', 'C', 'O', 'P', 'Y', '2', '\n'};

// The record that ends a copy of the first kind, after the content and the path.
struct FirstRecord {
  std::uint64_t contentLength;
  std::uint64_t pathLength;
  std::uint64_t checksum;  // of the content and the path
  char mark[8];
};
constexpr char kFirstMark[8] = {'Q', 'M', 'C', 'O', 'P', 'Y', '\r', '\n'};

std::uint64_t FirstChecksum(std::string_view a, std::string_view b) {
  std::uint64_t h = 14695981039346656037ull;
  for (const std::string_view part : {a, b}) {
    std::size_t i = 0;
    for (; i + 8 <= part.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, part.data() + i, 8);
      h = (h ^ word) * 1099511628211ull;
      h ^= h >> 29;
    }
    for (; i < part.size(); ++i) h = (h ^ static_cast<unsigned char>(part[i])) * 1099511628211ull;
    h ^= part.size();
  }
  return h;
}

std::uint64_t Blocks(std::uint64_t length, std::uint64_t block) { return (length + block - 1) / block; }

std::string_view AsBytes(const std::vector<std::uint64_t>& v) {
  return {reinterpret_cast<const char*>(v.data()), v.size() * sizeof(std::uint64_t)};
}

// The record's own part of the checksum: its fields before the checksum.
std::uint64_t RecordChecksum(std::string_view tables, std::string_view path, const Record& r) {
  std::string all(tables);
  all += path;
  all.append(reinterpret_cast<const char*>(&r), offsetof(Record, checksum));
  return PieceHash(all);
}

CopyEnd Unreadable() {
  CopyEnd out;
  out.what = CopyEnd::What::kUnreadable;
  return out;
}

CopyEnd ReadTraced(int fd, std::uint64_t size) {
  CopyEnd out;
  Record r{};
  if (!ReadAt(fd, reinterpret_cast<char*>(&r), sizeof r, static_cast<long long>(size - sizeof r))) return Unreadable();
  const bool blockOk = r.block >= 512 && r.block <= (1u << 20) && (r.block & (r.block - 1)) == 0;
  const std::uint64_t newCount = blockOk ? Blocks(r.contentLength, r.block) : 0;
  const std::uint64_t oldCount = blockOk && r.oldKnown != 0 ? Blocks(r.oldLength, r.block) : 0;
  if (!blockOk || r.pathLength > PATH_MAX || r.contentLength > size || newCount > size / 8 || oldCount > size / 8 ||
      r.contentLength + 8 * (newCount + oldCount) + r.pathLength + sizeof r != size)
    return Unreadable();
  std::string tables(8 * (newCount + oldCount), '\0');
  out.path.resize(r.pathLength);
  if (!ReadAt(fd, tables.data(), tables.size(), static_cast<long long>(r.contentLength)) ||
      !ReadAt(fd, out.path.data(), out.path.size(), static_cast<long long>(r.contentLength + tables.size())) ||
      RecordChecksum(tables, out.path, r) != r.checksum)
    return Unreadable();
  RewriteTrace& t = out.trace;
  t.device = r.device;
  t.inode = r.inode;
  t.oldLength = r.oldLength;
  t.newLength = r.contentLength;
  t.block = r.block;
  t.oldKnown = r.oldKnown != 0;
  t.oldHead = r.oldHead;
  t.oldTail = r.oldTail;
  t.newBlocks.resize(newCount);
  t.oldBlocks.resize(oldCount);
  std::memcpy(t.newBlocks.data(), tables.data(), 8 * newCount);
  std::memcpy(t.oldBlocks.data(), tables.data() + 8 * newCount, 8 * oldCount);
  out.contentLength = r.contentLength;
  out.what = CopyEnd::What::kTraced;
  return out;
}

CopyEnd ReadFirst(int fd, std::uint64_t size) {
  CopyEnd out;
  FirstRecord r{};
  if (!ReadAt(fd, reinterpret_cast<char*>(&r), sizeof r, static_cast<long long>(size - sizeof r)) ||
      r.pathLength > PATH_MAX || r.contentLength > size || r.contentLength + r.pathLength + sizeof r != size)
    return Unreadable();
  out.path.resize(r.pathLength);
  if (!ReadAt(fd, out.path.data(), out.path.size(), static_cast<long long>(r.contentLength))) return Unreadable();
  out.contentLength = r.contentLength;
  out.firstChecksum = r.checksum;
  out.what = CopyEnd::What::kFirst;
  return out;
}

}  // namespace

std::string CopyTail(const RewriteTrace& t, const std::string& path) {
  Record r{};
  r.contentLength = t.newLength;
  r.oldLength = t.oldLength;
  r.pathLength = path.size();
  r.device = t.device;
  r.inode = t.inode;
  r.oldHead = t.oldHead;
  r.oldTail = t.oldTail;
  r.block = t.block;
  r.oldKnown = t.oldKnown ? 1 : 0;
  const std::string tables = std::string(AsBytes(t.newBlocks)) + std::string(AsBytes(t.oldBlocks));
  r.checksum = RecordChecksum(tables, path, r);
  std::memcpy(r.mark, kMark, sizeof kMark);
  return tables + path + std::string(reinterpret_cast<const char*>(&r), sizeof r);
}

// A file whose end bears a copy's mark is a finished copy: its writer completed it.
CopyEnd ReadCopyEnd(int fd) {
  struct stat st {};
  char mark[8];
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < static_cast<off_t>(sizeof(FirstRecord)) ||
      !ReadAt(fd, mark, sizeof mark, st.st_size - static_cast<off_t>(sizeof mark)))
    return {};
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (std::memcmp(mark, kMark, sizeof mark) == 0) {
    if (size < sizeof(Record)) return Unreadable();
    return ReadTraced(fd, size);
  }
  if (std::memcmp(mark, kFirstMark, sizeof mark) == 0) return ReadFirst(fd, size);
  return {};
}


bool ContentChecks(const CopyEnd& end, std::string_view content) {
  switch (end.what) {
    case CopyEnd::What::kTraced: return IsNewContent(end.trace, content);
    case CopyEnd::What::kFirst: return FirstChecksum(content, end.path) == end.firstChecksum;
    default: return false;
  }
}

}  // namespace vb::save
