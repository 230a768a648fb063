#include "platform/registry/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <future>
#include <system_error>
#include <thread>

#include "platform/vb/save_files.h"

namespace platform::registry {

namespace fs = std::filesystem;

namespace {

// Takes or gives back the turnstile: a lock on the lock file's first byte, of this open file alone
// (so it goes with the file's closing too).
bool Turnstile(int fd, short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_len = 1;
  while (fcntl(fd, F_OFD_SETLKW, &range) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace

// A writer passes the turnstile on its way to the lock and leaves it once it holds the lock: a
// writer that waits at the lock holds the turnstile meanwhile, so one that writes again and again
// cannot take the lock back before it (the kernel keeps no order among the waiters of a lock).
FileLock::FileLock(const fs::path& file) {
  fs::path lockFile = file;
  lockFile += ".lock";
  fd_ = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) return;
  const bool turned = Turnstile(fd_, F_WRLCK);  // without it, the lock is taken all the same
  while (flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd_);
      fd_ = -1;
      return;
    }
  }
  if (turned) Turnstile(fd_, F_UNLCK);
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);  // releases the lock
}

namespace {

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Reads to the end of the file, which may have grown since its size was asked for.
bool ReadAll(int fd, std::size_t expected, std::string* bytes) {
  bytes->clear();
  bytes->resize(expected + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes->size()) bytes->resize(bytes->size() * 2);
    const ssize_t n = read(fd, bytes->data() + filled, bytes->size() - filled);
    if (n > 0) {
      filled += static_cast<std::size_t>(n);
    } else if (n == 0) {
      bytes->resize(filled);
      return true;
    } else if (errno != EINTR) {
      return false;
    }
  }
}

// The file a write replaces: the settings file itself or, when that is a symbolic link (a dotfile
// manager's, say), the file the link points to.
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

}  // namespace

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size && SameTime(a.st_mtim, b.st_mtim) &&
         SameTime(a.st_ctim, b.st_ctim);
}

ReadResult ReadFile(const fs::path& file, int* fd, struct stat* id, std::string* bytes) {
  *fd = -1;
  bytes->clear();
  // Without waiting: a named pipe in the file's place would hold open() until a writer came.
  const int f = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (f < 0) return errno == ENOENT ? ReadResult::kRead : ReadResult::kFailed;
  bool ok = fstat(f, id) == 0;
  if (ok && !S_ISREG(id->st_mode)) {
    // A pipe, a device or a socket is no settings file and is set aside; a folder, which holds
    // files of its own, is left where it is.
    close(f);
    if (!S_ISDIR(id->st_mode)) return ReadResult::kNoSettingsFile;
    errno = EISDIR;
    return ReadResult::kFailed;
  }
  if (!ok || !ReadAll(f, static_cast<std::size_t>(id->st_size), bytes)) {
    const int error = errno;
    close(f);
    bytes->clear();
    errno = error;
    return ReadResult::kFailed;
  }
  *fd = f;
  return ReadResult::kRead;
}

bool SetAside(const fs::path& link, fs::path* keptAs) {
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
    *keptAs = name;
    return true;
  }
  std::fprintf(stderr, "quillmark: the settings file %s could not be read nor set aside\n", file.c_str());
  errno = error;
  return false;
}

namespace {

// The closing thread of this process: it closes the files written down the pipe, in turn. A
// child that a fork made has none of its parent's threads, and starts its own.
struct Closer {
  pid_t process = 0;
  int ends[2] = {-1, -1};  // the pipe's reading and writing ends; -1 when there is no thread to be had
};

Closer StartCloser() {
  Closer closer;
  closer.process = getpid();
  if (pipe2(closer.ends, O_CLOEXEC) != 0) return {closer.process};
  fcntl(closer.ends[1], F_SETFL, O_NONBLOCK);  // a full pipe is never waited on
  try {
    // The start is awaited: a thread still starting may hold locks inside the allocator, which a
    // child forked meanwhile would wait on forever; once started, the thread waits in read().
    std::promise<void> started;
    std::future<void> running = started.get_future();
    std::thread([in = closer.ends[0], started = std::move(started)]() mutable {
      started.set_value();
      for (;;) {
        int fd = -1;
        const ssize_t n = read(in, &fd, sizeof fd);
        if (n == sizeof fd) {
          close(fd);
        } else if (n >= 0 || errno != EINTR) {
          return;
        }
      }
    }).detach();
    running.wait();
  } catch (const std::system_error&) {
    close(closer.ends[0]);
    close(closer.ends[1]);
    return {closer.process};
  }
  return closer;
}

}  // namespace

void CloseLater(int fd) {
  if (fd < 0) return;
  static Closer closer;
  if (closer.process != getpid()) {
    for (int end : closer.ends) {
      if (end >= 0) close(end);  // the parent's pipe, in a child
    }
    closer = StartCloser();
  }
  if (closer.ends[1] < 0 || write(closer.ends[1], &fd, sizeof fd) != sizeof fd) close(fd);  // at once, then
}

bool MakeFolder(const fs::path& folder) {
  std::error_code ec;
  if (folder.empty() || fs::is_directory(folder, ec)) return true;
  if (folder.has_relative_path() && !MakeFolder(folder.parent_path())) return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteFile(const fs::path& file, std::string_view bytes, int* fd, struct stat* id) {
  const fs::path target = Target(file);
  RemoveStaleTemporaries(target);
  std::string temp = target.string() + std::string(kTemporaryTag) + std::string(kTemporarySuffix, 'X');
  *fd = mkstemp(temp.data());
  if (*fd < 0) return false;
  fcntl(*fd, F_SETFD, FD_CLOEXEC);
  if (!vb::save::WriteAll(*fd, bytes) || fsync(*fd) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    close(*fd);
    *fd = -1;
    errno = error;
    return false;
  }
  vb::save::SyncFolder(target.parent_path().string());  // makes the rename itself last
  if (fstat(*fd, id) != 0) {  // after the rename, which changes the file's ctime
    close(*fd);
    *fd = -1;
  }
  return true;
}

void ReportWriteFailure(const fs::path& file, int error) {
  static fs::path reported;  // the file last said: a run says each file once
  if (reported == file) return;
  reported = file;
  std::fprintf(stderr, "quillmark: settings cannot be saved in %s (%s); changes made in this run are not kept\n",
               file.c_str(), std::strerror(error));
}

}  // namespace platform::registry
