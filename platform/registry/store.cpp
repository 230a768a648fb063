#include "platform/registry/store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/registry/file_text.h"
#include "platform/registry/tree.h"
#include "platform/vb/user_folders.h"

namespace platform::registry {

using win::LONG;
namespace fs = std::filesystem;

namespace {

// Held while the settings file is read for a change and replaced: an exclusive flock on
// registry.reg.lock beside it (a lock on the settings file itself would be lost with each rename).
class FileLock {
 public:
  explicit FileLock(const fs::path& file) {
    fs::path lockFile = file;
    lockFile += ".lock";
    fd_ = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The tree as last read or written, and the file it came from. The file is kept open: while it is
// open its inode cannot be reused for a newer file, and as every change replaces the file by a new
// one, a path that still names the same inode (with the same size and times, against edits made
// in place by a person) still holds the same text.
struct Loaded {
  bool valid = false;
  fs::path file;
  int fd = -1;  // -1: there was no file
  struct stat id {};
  Key root;
  // Read from a damaged file that could not be set aside (its folder takes no change): its values
  // that read well are used, and the file is never written over. `keptError` tells why.
  bool damaged = false;
  int keptError = 0;
};

std::mutex mutex;  // guards `loaded`, `setAside` and `readError`; held through a whole call
Loaded loaded;
std::optional<SetAsideFile> setAside;  // not yet taken by the program
int readError = 0;  // why the file could not be read at the last try; 0 when it could

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size && SameTime(a.st_mtim, b.st_mtim) &&
         SameTime(a.st_ctim, b.st_ctim);
}

void Forget() {
  if (loaded.fd >= 0) close(loaded.fd);
  loaded = Loaded{};
}

void Install(const fs::path& file, int fd, const struct stat& id, Key root) {
  Forget();
  loaded.valid = true;
  loaded.file = file;
  loaded.fd = fd;
  loaded.id = id;
  loaded.root = std::move(root);
}

bool Unchanged(const fs::path& file) {
  if (!loaded.valid || loaded.file != file) return false;
  struct stat now {};
  if (stat(file.c_str(), &now) != 0) return errno == ENOENT && loaded.fd < 0;
  return loaded.fd >= 0 && SameFile(now, loaded.id);
}

enum class ReadResult { kRead, kDamaged, kFailed };

// Reads and parses the file; no file reads as an empty tree with *fd -1. A damaged file leaves in
// *root the values that read well, and in *fd the file, open, when it is a file. A failure leaves
// errno telling why.
ReadResult ReadFile(const fs::path& file, int* fd, struct stat* id, Key* root) {
  *fd = -1;
  *root = Key{};
  // Without waiting: a named pipe in the file's place would hold open() until a writer came.
  const int f = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (f < 0) return errno == ENOENT ? ReadResult::kRead : ReadResult::kFailed;
  std::string bytes;
  bool ok = fstat(f, id) == 0;
  if (ok && !S_ISREG(id->st_mode)) {
    // A pipe, a device or a socket is no settings file and is set aside; a folder, which holds
    // files of its own, is left where it is.
    close(f);
    if (!S_ISDIR(id->st_mode)) return ReadResult::kDamaged;
    errno = EISDIR;
    return ReadResult::kFailed;
  }
  char buffer[65536];
  while (ok) {
    const ssize_t n = read(f, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  if (!ok) {
    const int error = errno;
    close(f);
    errno = error;
    return ReadResult::kFailed;
  }
  *fd = f;
  return Parse(bytes, root) ? ReadResult::kRead : ReadResult::kDamaged;  // *root keeps what reads well
}

// The file a write replaces: the settings file itself or, when that is a symbolic link (a dotfile
// manager's, say), the file the link points to, so the link stays a link.
fs::path Target(const fs::path& file) {
  fs::path path = file;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec)) || ec) return path;
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

// Renames a damaged file to registry.reg.damaged-<local time>, with "-2", "-3", ... when that name
// is taken. Called under the lock. A damaged file behind a link is set aside where it lies; a link
// to something that is no file (a device, a pipe, a socket) is set aside itself, so the thing it
// points to (/dev/zero, say) is never renamed.
bool SetAside(const fs::path& link) {
  fs::path file = Target(link);
  struct stat behind {};
  if (file != link && (stat(file.c_str(), &behind) != 0 || !S_ISREG(behind.st_mode))) file = link;
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = file.string() + ".damaged-" + stamp;
  int error = EEXIST;  // every name taken
  for (int n = 1; n < 1000; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    struct stat st {};
    if (lstat(name.c_str(), &st) == 0) continue;
    if (rename(file.c_str(), name.c_str()) != 0) {
      error = errno;
      break;
    }
    std::fprintf(stderr, "quillmark: the settings file %s could not be read; it was kept as %s\n",
                 file.c_str(), name.c_str());
    setAside = SetAsideFile{link, name};
    return true;
  }
  std::fprintf(stderr, "quillmark: the settings file %s could not be read nor set aside\n", file.c_str());
  errno = error;
  return false;
}

bool WriteFile(const fs::path& file, const Key& root, int* fd, struct stat* id);
void ReportWriteFailure(const fs::path& file, int error);

// A damaged file that cannot be set aside stays as it is: its values that read well are used, and
// nothing is written over it.
bool KeepDamaged(const fs::path& file, int fd, const struct stat& id, Key root, int error) {
  Install(file, fd, id, std::move(root));
  loaded.damaged = true;
  loaded.keptError = error;
  return true;
}

// Brings `loaded` up to date with the file. False when the file cannot be read; the tree is then
// empty and nothing may be written.
bool Refresh(const fs::path& file, const FileLock* held) {
  if (Unchanged(file)) return true;
  int fd = -1;
  struct stat id {};
  Key root;
  const ReadResult read = ReadFile(file, &fd, &id, &root);
  readError = read == ReadResult::kFailed ? errno : 0;
  switch (read) {
    case ReadResult::kRead:
      Install(file, fd, id, std::move(root));
      return true;
    case ReadResult::kFailed:
      Forget();
      return false;
    case ReadResult::kDamaged:
      break;
  }
  Forget();
  if (held == nullptr) {
    // Read it again under the lock: a writer may have replaced it meanwhile.
    const FileLock lock(file);
    if (lock.held()) {
      if (fd >= 0) close(fd);
      return Refresh(file, &lock);
    }
    return KeepDamaged(file, fd, id, std::move(root), errno);
  }
  if (!SetAside(file)) return KeepDamaged(file, fd, id, std::move(root), errno);
  if (fd >= 0) close(fd);
  // The values that read well are kept, in a new file.
  if (!root.subkeys.empty() || !root.values.empty()) {
    if (WriteFile(file, root, &fd, &id)) {
      Install(file, fd, id, std::move(root));
      return true;
    }
    ReportWriteFailure(file, errno);
  }
  Install(file, -1, {}, std::move(root));
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Temporary files are named <target>.tmp-XXXXXX.
constexpr std::string_view kTemporaryTag = ".tmp-";
constexpr std::size_t kTemporarySuffix = 6;

// Removes the temporary files of writers that were killed mid-way. Called under the lock, when no
// writer is at work on one.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().string() + std::string(kTemporaryTag);
  std::error_code ec;
  for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + kTemporarySuffix || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code type;
    if (it->is_regular_file(type) && !it->is_symlink(type)) unlink(it->path().c_str());
  }
}

// Makes the folder and any missing folders above it, readable by their owner only.
bool MakeFolder(const fs::path& folder) {
  std::error_code ec;
  if (folder.empty() || fs::is_directory(folder, ec)) return true;
  if (folder.has_relative_path() && !MakeFolder(folder.parent_path())) return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Replaces the file by one holding `root`, in one step. Called under the lock. On success *fd is
// the new file, open, and *id its facts; on failure errno tells why.
bool WriteFile(const fs::path& file, const Key& root, int* fd, struct stat* id) {
  const fs::path target = Target(file);
  RemoveStaleTemporaries(target);
  std::string temp = target.string() + std::string(kTemporaryTag) + std::string(kTemporarySuffix, 'X');
  *fd = mkstemp(temp.data());
  if (*fd < 0) return false;
  fcntl(*fd, F_SETFD, FD_CLOEXEC);
  if (!WriteAll(*fd, Serialize(root)) || fsync(*fd) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    close(*fd);
    *fd = -1;
    errno = error;
    return false;
  }
  const int folder = open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);  // makes the rename itself last
    close(folder);
  }
  if (fstat(*fd, id) != 0) {  // after the rename, which changes the file's ctime
    close(*fd);
    *fd = -1;
  }
  return true;
}

// Says once per run and file, on the standard error, that settings cannot be written; the file
// keeps what it holds.
void ReportWriteFailure(const fs::path& file, int error) {
  static fs::path reported;  // the file last said: a run says each file once
  if (reported == file) return;
  reported = file;
  std::fprintf(stderr, "quillmark: settings cannot be saved in %s (%s); changes made in this run are not kept\n",
               file.c_str(), std::strerror(error));
}

// Runs `change` on the tree as the file holds it now, under the lock, and writes the result when
// the change says it changed anything.
LONG Change(const std::function<LONG(Key& root, bool* changed)>& change) {
  const fs::path file = FilePath();
  if (!MakeFolder(file.parent_path())) {
    ReportWriteFailure(file, errno);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  const FileLock lock(file);
  if (!lock.held()) {
    ReportWriteFailure(file, errno);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  if (!Refresh(file, &lock)) {
    ReportWriteFailure(file, errno);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  if (loaded.damaged) {
    ReportWriteFailure(file, loaded.keptError);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  bool changed = false;
  const LONG result = change(loaded.root, &changed);
  if (!changed) return result;
  int fd = -1;
  struct stat id {};
  if (result != win::ERROR_SUCCESS || !WriteFile(file, loaded.root, &fd, &id)) {
    if (result == win::ERROR_SUCCESS) ReportWriteFailure(file, errno);
    Forget();  // the tree holds a change the file does not
    return result != win::ERROR_SUCCESS ? result : win::ERROR_REGISTRY_IO_FAILED;
  }
  if (fd < 0) {
    Forget();
    return win::ERROR_SUCCESS;
  }
  if (loaded.fd >= 0) close(loaded.fd);
  loaded.fd = fd;
  loaded.id = id;
  return win::ERROR_SUCCESS;
}

}  // namespace

fs::path FilePath() { return fs::path(vb::UserConfigFolder()) / "registry.reg"; }

std::optional<SetAsideFile> TakeSetAsideFile() {
  const std::lock_guard guard(mutex);
  Refresh(FilePath(), nullptr);
  std::optional<SetAsideFile> taken;
  taken.swap(setAside);
  return taken;
}

std::optional<UnreadableFile> UnreadableSettingsFile() {
  const std::lock_guard guard(mutex);
  const fs::path file = FilePath();
  if (!Refresh(file, nullptr)) {
    if (readError == 0) return std::nullopt;
    return UnreadableFile{file, readError, false};
  }
  if (!loaded.damaged) return std::nullopt;
  return UnreadableFile{file, loaded.keptError, true};
}

LONG OpenKey(std::u16string_view path) {
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  Refresh(FilePath(), nullptr);
  return FindKey(loaded.root, names) != nullptr ? win::ERROR_SUCCESS : win::ERROR_FILE_NOT_FOUND;
}

LONG CreateKey(std::u16string_view path, bool* created) {
  if (created != nullptr) *created = false;
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  return Change([&](Key& root, bool* changed) {
    MakeKey(root, names, changed);
    if (created != nullptr) *created = *changed;
    return win::ERROR_SUCCESS;
  });
}

LONG QueryValue(std::u16string_view path, std::u16string_view name, Value* value) {
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  Refresh(FilePath(), nullptr);
  const Key* key = FindKey(loaded.root, names);
  const Entry* entry = key != nullptr ? key->values.Find(name) : nullptr;
  if (entry == nullptr) return win::ERROR_FILE_NOT_FOUND;
  *value = entry->value;
  return win::ERROR_SUCCESS;
}

LONG SetValue(std::u16string_view path, std::u16string_view name, const Value& value) {
  if (value.type != win::REG_SZ && value.type != win::REG_DWORD) return win::ERROR_INVALID_PARAMETER;
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  return Change([&](Key& root, bool* changed) {
    Key* key = MakeKey(root, names, changed);
    if (Put(*key, name, value)) *changed = true;
    return win::ERROR_SUCCESS;
  });
}

}  // namespace platform::registry
