#include "platform/vb/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "platform/vb/error.h"
#include "platform/vb/strings.h"

namespace vb {

std::string NativePath(std::u16string_view path) {
  std::string p = ToUtf8(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::u16string FileTitleOf(std::u16string_view path) {
  const auto cut = path.find_last_of(u"/\\");
  return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

bool FileExists(std::u16string_view path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void RaiseFileError(int error) {
  switch (error) {
    case ENOENT: Raise(err::kFileNotFound);
    case ENOTDIR: Raise(err::kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: Raise(err::kPermissionDenied);
    case ENOSPC:
    case EDQUOT: Raise(err::kDiskFull);
    case EISDIR: Raise(err::kPathFileAccessError);
    default: Raise(err::kPathFileAccessError);
  }
}

namespace {

struct Fd {
  int fd = -1;
  Fd() = default;
  explicit Fd(int f) : fd(f) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
};

bool WriteAll(int fd, std::string_view bytes) {
  off_t at = 0;
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    at += n;
  }
  return true;
}

struct Split {
  std::string folder;  // "." for a bare name
  std::string name;
};
Split SplitPath(const std::string& native) {
  const auto slash = native.find_last_of('/');
  if (slash == std::string::npos) return {".", native};
  return {native.substr(0, slash == 0 ? 1 : slash), native.substr(slash + 1)};
}

// The file a chain of symbolic links ends at (which need not exist yet).
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) RaiseFileError(errno);
    target.resize(static_cast<std::size_t>(n));
    path = target.front() == '/' ? target : SplitPath(path).folder + "/" + target;
  }
  RaiseFileError(ELOOP);
}

// Temporary names: ".~" + the start of the name (whole UTF-8 characters, at most 64 bytes) + "." +
// a hash of the whole name + "." + six random characters + ".qmsave". At most 92 bytes, so they fit
// beside any name, and one name's temporaries are told apart from another's by the hash.
constexpr std::string_view kTempEnd = ".qmsave";
constexpr std::size_t kRandomLength = 6;

std::string TempStem(const std::string& name) {
  std::size_t cut = std::min<std::size_t>(name.size(), 64);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", hash);
  return ".~" + name.substr(0, cut) + "." + hex + ".";
}

bool IsTempOf(std::string_view entry, const std::string& stem) {
  return entry.size() == stem.size() + kRandomLength + kTempEnd.size() && entry.substr(0, stem.size()) == stem &&
         entry.substr(entry.size() - kTempEnd.size()) == kTempEnd;
}

// A temporary file beside `name` in `folder`, locked for as long as it is open: a lock that can be
// taken belongs to a write that is over (or was killed), so its file is a leftover.
struct Temp {
  std::string path;
  Fd file;
  ~Temp() {
    if (file.fd >= 0) ::unlink(path.c_str());
  }
  // Closes the file, keeping it.
  void Release() { file.Close(); }
};

bool MakeTemp(const Split& target, Temp& temp, int* error) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::string path = target.folder + "/" + TempStem(target.name) + std::string(kRandomLength, 'X') + std::string(kTempEnd);
    const int fd = ::mkostemps(path.data(), static_cast<int>(kTempEnd.size()), O_CLOEXEC);
    if (fd < 0) {
      *error = errno;
      return false;
    }
    Fd file(fd);
    ::flock(fd, LOCK_EX);
    struct stat st {};
    // Another process's clean-up may have taken it between its making and the lock: make another.
    if (::fstat(fd, &st) != 0 || st.st_nlink == 0) continue;
    temp.path = std::move(path);
    temp.file.fd = file.fd;
    file.fd = -1;
    return true;
  }
  *error = EEXIST;
  return false;
}

void RemoveLeftovers(const Split& target) {
  DIR* dir = ::opendir(target.folder.c_str());
  if (dir == nullptr) return;
  const std::string stem = TempStem(target.name);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTempOf(entry->d_name, stem)) continue;
    const std::string path = target.folder + "/" + entry->d_name;
    Fd file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.fd < 0 || ::flock(file.fd, LOCK_EX | LOCK_NB) != 0) continue;  // a write still under way
    ::unlink(path.c_str());
  }
  ::closedir(dir);
}

int UmaskedMode() {
  const mode_t m = ::umask(0);
  ::umask(m);
  return 0666 & ~static_cast<int>(m);
}

// A file this process may not write: no write permission for it, and for the superuser no write
// bit at all (a file made read-only on purpose).
bool ReadOnly(const std::string& native, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) == 0;
  return ::access(native.c_str(), W_OK) != 0;
}

// Whether a renamed new file would be what the old one was: the same owner and group, one name.
bool RenameKeepsTheFile(const struct stat& old) {
  if (old.st_nlink > 1) return false;
  if (old.st_uid != ::geteuid()) return false;
  return true;
}

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.fd >= 0) ::fsync(dir.fd);
}

// Writes the new file and renames it over the target. False (nothing changed) when the new file
// cannot take the old one's group.
bool WriteByRename(const std::string& native, const Split& at, std::string_view bytes, const struct stat* old) {
  Temp temp;
  int error = 0;
  if (!MakeTemp(at, temp, &error)) RaiseFileError(error);
  if (old != nullptr && old->st_gid != ::getegid() && ::fchown(temp.file.fd, static_cast<uid_t>(-1), old->st_gid) != 0)
    return false;
  const int mode = old != nullptr ? static_cast<int>(old->st_mode & 07777) : UmaskedMode();
  if (!WriteAll(temp.file.fd, bytes) || ::fchmod(temp.file.fd, static_cast<mode_t>(mode)) != 0 ||
      ::fsync(temp.file.fd) != 0)
    RaiseFileError(errno);
  if (::rename(temp.path.c_str(), native.c_str()) != 0) RaiseFileError(errno);
  temp.Release();
  SyncFolder(at.folder);
  return true;
}

// Rewrites the target in place. A complete copy of the new content goes beside it first (when the
// folder takes one) and the target's room is reserved, so a full disk stops the write before the
// target is touched; the copy goes when the target is complete.
void WriteInPlace(const std::string& native, const Split& at, std::string_view bytes) {
  Fd file(::open(native.c_str(), O_WRONLY | O_CLOEXEC));
  if (file.fd < 0) RaiseFileError(errno);
  Temp copy;
  int error = 0;
  if (MakeTemp(at, copy, &error)) {
    if (!WriteAll(copy.file.fd, bytes) || ::fsync(copy.file.fd) != 0) RaiseFileError(errno);
  } else if (error != EACCES && error != EPERM && error != EROFS) {
    RaiseFileError(error);
  }
  if (!bytes.empty() && ::fallocate(file.fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP &&
      errno != ENOSYS)
    RaiseFileError(errno);
  if (!WriteAll(file.fd, bytes) || ::ftruncate(file.fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(file.fd) != 0)
    RaiseFileError(errno);
}

}  // namespace

std::string ReadAllBytes(std::u16string_view path) {
  const std::string native = NativePath(path);
  Fd f(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd < 0) RaiseFileError(errno);
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) RaiseFileError(errno);
  if (S_ISDIR(st.st_mode)) RaiseFileError(EISDIR);
  // Read straight into a buffer of the file's size; a file that grows meanwhile is read whole.
  std::string out;
  out.resize(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t have = 0;
  for (;;) {
    if (have == out.size()) out.resize(out.size() * 2 + 4096);
    const ssize_t n = ::read(f.fd, out.data() + have, out.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno);
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  out.resize(have);
  return out;
}

std::string ReadFileStart(std::u16string_view path, std::size_t count) {
  Fd f(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  std::string out(count, '\0');
  const ssize_t n = f.fd < 0 ? -1 : ::read(f.fd, out.data(), count);
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

void CheckWritable(std::u16string_view path) {
  const std::string native = FollowLinks(NativePath(path));
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ReadOnly(native, st)) RaiseFileError(EACCES);
}

void RemoveLeftoverTemporaries(std::u16string_view path) {
  std::string native = NativePath(path);
  try {
    native = FollowLinks(native);
  } catch (const Error&) {
    return;
  }
  RemoveLeftovers(SplitPath(native));
}

void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes) {
  const std::string native = FollowLinks(NativePath(path));
  const Split at = SplitPath(native);
  struct stat folderStat {};
  if (::stat(at.folder.c_str(), &folderStat) != 0) RaiseFileError(errno == ENOENT ? ENOTDIR : errno);
  if (!S_ISDIR(folderStat.st_mode)) RaiseFileError(ENOTDIR);
  struct stat old {};
  const bool existed = ::stat(native.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) RaiseFileError(EISDIR);
  if (existed && ReadOnly(native, old)) RaiseFileError(EACCES);
  RemoveLeftovers(at);

  if (!existed) {
    WriteByRename(native, at, bytes, nullptr);
  } else if (!S_ISREG(old.st_mode) || !RenameKeepsTheFile(old) || ::access(at.folder.c_str(), W_OK) != 0) {
    WriteInPlace(native, at, bytes);
  } else if (!WriteByRename(native, at, bytes, &old)) {
    WriteInPlace(native, at, bytes);
  }
}

}  // namespace vb
