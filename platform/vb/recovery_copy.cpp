#include "platform/vb/recovery_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>

#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/strings.h"
#include "platform/vb/user_folders.h"

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

std::string TailOf(const RewriteTrace& t, const std::string& path) {
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

// What the end of a file says it is.
struct Read {
  enum class What { kUnfinished, kTraced, kFirst, kUnreadable } what = What::kUnfinished;
  RewriteTrace trace;
  std::string path;
  std::uint64_t contentLength = 0;
  std::uint64_t firstChecksum = 0;
};

Read Unreadable() {
  Read out;
  out.what = Read::What::kUnreadable;
  return out;
}

Read ReadTraced(int fd, std::uint64_t size) {
  Read out;
  Record r{};
  if (!ReadAt(fd, reinterpret_cast<char*>(&r), sizeof r, static_cast<long long>(size - sizeof r))) return out;
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
  out.what = Read::What::kTraced;
  return out;
}

Read ReadFirst(int fd, std::uint64_t size) {
  Read out;
  FirstRecord r{};
  if (!ReadAt(fd, reinterpret_cast<char*>(&r), sizeof r, static_cast<long long>(size - sizeof r)) ||
      r.pathLength > PATH_MAX || r.contentLength > size || r.contentLength + r.pathLength + sizeof r != size)
    return Unreadable();
  out.path.resize(r.pathLength);
  if (!ReadAt(fd, out.path.data(), out.path.size(), static_cast<long long>(r.contentLength))) return Unreadable();
  out.contentLength = r.contentLength;
  out.firstChecksum = r.checksum;
  out.what = Read::What::kFirst;
  return out;
}

// A file whose end bears a copy's mark is a finished copy: its writer completed it.
Read ReadEnd(int fd) {
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

bool SameFile(const std::string& path, const FileId& id) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == id.device &&
         static_cast<std::uint64_t>(st.st_ino) == id.inode;
}

// A place where copies of a file are sought: its own folder, or the state folder.
struct Place {
  std::string folder;
  bool beside;
  std::string stem;  // the names its copies get there
};

std::vector<Place> PlacesOf(const FileId& id) {
  const Split at = SplitPath(id.path);
  return {Place{UserStateFolder(), false, StemElsewhere(at, id.path)}, Place{at.folder, true, StemBeside(at)}};
}

// Whether a copy read as `read`, lying at `place` under `name`, belongs to the file. A traced copy
// knows its file's identity; where the disk's number may have changed since (a disk plugged in
// again), its inode on the same disk as the copy beside it, or on its path then, still tells it.
bool Belongs(const Read& read, int fd, const Place& place, std::string_view name, const FileId& id) {
  switch (read.what) {
    case Read::What::kTraced: {
      if (read.trace.inode != id.inode) return false;
      if (read.trace.device == id.device || read.path == id.path) return true;
      struct stat st {};
      return place.beside && ::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == id.device;
    }
    case Read::What::kFirst: return read.path == id.path || SameFile(read.path, id);
    case Read::What::kUnreadable: return name.substr(0, place.stem.size()) == place.stem;
    case Read::What::kUnfinished: return false;
  }
  return false;
}

FoundCopy Found(const Read& read, const std::string& path, int fd, bool withContent) {
  FoundCopy copy;
  copy.path = path;
  copy.file = Fd(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
  struct stat st {};
  if (::fstat(fd, &st) == 0) copy.made = st.st_mtim;
  if (read.what == Read::What::kUnreadable) {
    copy.kind = FoundCopy::Kind::kUnreadable;
    return copy;
  }
  copy.kind = read.what == Read::What::kTraced ? FoundCopy::Kind::kTraced : FoundCopy::Kind::kFirst;
  copy.trace = read.trace;
  if (!withContent) return copy;
  copy.bytes.resize(read.contentLength);
  if (!ReadAt(fd, copy.bytes.data(), copy.bytes.size(), 0)) return copy;
  copy.intact = copy.kind == FoundCopy::Kind::kTraced ? IsNewContent(copy.trace, copy.bytes)
                                                      : FirstChecksum(copy.bytes, read.path) == read.firstChecksum;
  return copy;
}

// Says why a folder took no copy.
std::u16string Why(int error, const std::string& folder) {
  switch (error) {
    case ENOSPC: return u"на диске нет места";
    case EDQUOT: return u"исчерпана дисковая квота";
    case EACCES:
    case EPERM: return u"нет права создавать в ней файлы";
    case EROFS: return u"диск доступен только для чтения";
    case ENOENT: return u"такой папки нет";
    case ENOTDIR:
    case EEXIST: {
      // The first folder on the way that is there: a file stands in its place.
      std::string p = folder;
      struct stat st {};
      while (!p.empty() && ::lstat(p.c_str(), &st) != 0) p = SplitPath(p).folder == p ? "" : SplitPath(p).folder;
      if (p == folder) return u"на её месте стоит файл";
      return u"на месте папки \"" + FromUtf8(p) + u"\" стоит файл";
    }
    default: return u"системная ошибка " + FromUtf8(std::to_string(error));
  }
}

// Writes the copy into `folder`; the error number when it cannot.
int TryCopyIn(const std::string& folder, const std::string& stem, std::string_view bytes, std::string_view tail,
              Temp& copy) {
  int error = 0;
  if (!MakeTempIn(folder, stem, copy, &error)) return error;
  if (!WriteAll(copy.fd(), bytes) || !WriteAll(copy.fd(), tail, static_cast<long long>(bytes.size())) ||
      ::fsync(copy.fd()) != 0) {
    error = errno;
    copy.Discard();
    return error;
  }
  SyncFolder(folder);
  return 0;
}

}  // namespace

std::optional<FileId> IdOf(const std::string& native) {
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), IdentityPath(native),
                st.st_mtim};
}

void MakeRecoveryCopy(const std::string& target, const RewriteTrace& trace, std::string_view bytes, Temp& copy) {
  const Split at = SplitPath(target);
  const std::string identity = IdentityPath(target);
  const std::string tail = TailOf(trace, identity);
  const std::string state = UserStateFolder();
  int stateError = MakeOwnFolder(state) ? 0 : errno;
  if (stateError == 0) stateError = TryCopyIn(state, StemElsewhere(at, identity), bytes, tail, copy);
  if (stateError == 0) return;
  // The copy goes beside the file when the state folder takes none.
  const int besideError = TryCopyIn(at.folder, StemBeside(at), bytes, tail, copy);
  if (besideError == 0) return;
  Raise(FileErrorNumber(stateError), {},
        u"Документ не записан в файл \"" + FileTitleOf(FromUtf8(target)) +
            u"\". Этот файл переписывается на своём месте, и сначала нужна полная копия нового текста на "
            u"случай, если запись прервётся, но сделать её негде:\r\n- в папке \"" +
            FromUtf8(state) + u"\": " + Why(stateError, state) + u";\r\n- рядом с файлом, в папке \"" +
            FromUtf8(SplitPath(identity).folder) + u"\": " + Why(besideError, at.folder) +
            u".\r\nФайл остался прежним.");
}

std::vector<FoundCopy> CopiesOf(const FileId& id, bool withContent) {
  std::vector<FoundCopy> found;
  for (const Place& place : PlacesOf(id)) {
    ForEachUnheld(place.folder, {}, false, [&](const std::string& path, int fd) {
      const Read read = ReadEnd(fd);
      if (Belongs(read, fd, place, SplitPath(path).name, id)) found.push_back(Found(read, path, fd, withContent));
    });
  }
  std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
    return a.made.tv_sec != b.made.tv_sec ? a.made.tv_sec > b.made.tv_sec : a.made.tv_nsec > b.made.tv_nsec;
  });
  return found;
}

void Remove(FoundCopy& copy) {
  if (::flock(copy.file.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(copy.path.c_str());
  copy.file.Close();
}

void RemoveUnfinished(const std::string& target) {
  const Split at = SplitPath(target);
  const std::pair<std::string, std::string> places[] = {{at.folder, StemBeside(at)},
                                                        {UserStateFolder(), StemElsewhere(at, IdentityPath(target))}};
  for (const auto& [folder, stem] : places) {
    ForEachUnheld(folder, stem, true, [](const std::string& path, int fd) {
      if (ReadEnd(fd).what == Read::What::kUnfinished) ::unlink(path.c_str());
    });
  }
}

}  // namespace vb::save
