#include "platform/vb/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "platform/vb/answering_wait.h"
#include "platform/vb/error.h"
#include "platform/vb/recovery_copy.h"
#include "platform/vb/rewrite_trace.h"
#include "platform/vb/save_files.h"
#include "platform/vb/strings.h"

namespace vb {

using save::Fd;
using save::Split;

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

std::int32_t FileErrorNumber(int error) {
  switch (error) {
    case ENOENT: return err::kFileNotFound;
    case ENOTDIR: return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return err::kPermissionDenied;
    case ENOSPC:
    case EDQUOT: return err::kDiskFull;
    default: return err::kPathFileAccessError;
  }
}

void RaiseFileError(int error) { Raise(FileErrorNumber(error)); }

namespace {

// Refuses what is not a regular file, naming it and saying what it is; `doing` is "прочитан" or
// "записан".
void RequireRegular(std::u16string_view path, const struct stat& st, std::u16string_view doing) {
  if (S_ISREG(st.st_mode)) return;
  std::u16string_view what = u"не обычный файл";
  if (S_ISFIFO(st.st_mode)) {
    what = u"именованный канал (FIFO), а не обычный файл";
  } else if (S_ISDIR(st.st_mode)) {
    what = u"папка, а не файл";
  } else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
    what = u"устройство, а не обычный файл";
  } else if (S_ISSOCK(st.st_mode)) {
    what = u"сокет, а не обычный файл";
  }
  Raise(err::kPathFileAccessError, {},
        u"Файл \"" + FileTitleOf(path) + u"\" не может быть " + std::u16string(doing) + u": это " +
            std::u16string(what) + u".");
}

std::u16string Megabytes(std::uint64_t bytes) {
  return FromUtf8(std::to_string((bytes + (std::uint64_t{1} << 20) - 1) >> 20)) + u" МБ";
}

// How long a read or a rewrite waits for another program's rewrite of the same file.
constexpr std::chrono::seconds kWaitForRewrite{5};

// Takes the lock `how` (shared to read, exclusive to rewrite) on the file, waiting for another
// program's rewrite of it with the windows answering. False when it is still held after the wait; a
// file system without locks counts as taken.
bool TakeLock(int fd, int how) {
  return WaitAnswering(
      [fd, how] { return ::flock(fd, how | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR); },
      kWaitForRewrite);
}

[[noreturn]] void RaiseBeingWritten(std::u16string_view path, std::u16string_view then) {
  Raise(err::kPathFileAccessError, {},
        u"Файл \"" + FileTitleOf(path) + u"\" сейчас записывает другая программа. " + std::u16string(then));
}

// Opens a file for reading without waiting (a named pipe with no writer would hold open() until one
// came), refuses anything but a regular file, and waits for a rewrite of it to end (its lock
// shared until the file is closed).
Fd OpenForReading(std::u16string_view path, struct stat* st) {
  Fd f(::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (f.get() < 0) RaiseFileError(errno);
  if (::fstat(f.get(), st) != 0) RaiseFileError(errno);
  RequireRegular(path, *st, u"прочитан");
  if (!TakeLock(f.get(), LOCK_SH)) RaiseBeingWritten(path, u"Откройте его ещё раз, когда она закончит.");
  // The rewrite waited for may have changed the file's length.
  if (::fstat(f.get(), st) != 0) RaiseFileError(errno);
  return f;
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

// Writes the new file and renames it over the target. False (nothing changed) when the new file
// cannot take the old one's group.
bool WriteByRename(const std::string& native, const Split& at, std::string_view bytes, const struct stat* old) {
  save::Temp temp;
  int error = 0;
  if (!save::MakeTempIn(at.folder, save::StemBeside(at), temp, &error)) RaiseFileError(error);
  if (old != nullptr && old->st_gid != ::getegid() && ::fchown(temp.fd(), static_cast<uid_t>(-1), old->st_gid) != 0)
    return false;
  const int mode = old != nullptr ? static_cast<int>(old->st_mode & 07777) : UmaskedMode();
  if (!save::WriteAll(temp.fd(), bytes) || ::fchmod(temp.fd(), static_cast<mode_t>(mode)) != 0 ||
      ::fsync(temp.fd()) != 0)
    RaiseFileError(errno);
  if (::rename(temp.path().c_str(), native.c_str()) != 0) RaiseFileError(errno);
  temp.Keep();
  save::SyncFolder(at.folder);
  return true;
}

// Opens the target for a rewrite in place, for reading too where it may be read (the rewrite's
// trace holds the old content's hashes).
Fd OpenForRewrite(const std::string& native) {
  Fd file(::open(native.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0 && errno == EACCES) file = Fd(::open(native.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) RaiseFileError(errno);
  return file;
}

// Rewrites the target in place. Another rewrite or read of it is waited for, so two rewrites never
// mix their bytes and lengths and no read sees it torn. A complete copy of the new content is
// flushed first, and the target's room is reserved, so a full disk stops the write before the
// target is touched. Once the target has been touched, a failure keeps the copy: the target may be
// incomplete.
void WriteInPlace(const std::string& native, std::string_view bytes) {
  const Fd file = OpenForRewrite(native);
  if (!TakeLock(file.get(), LOCK_EX))
    RaiseBeingWritten(FromUtf8(native), u"Сохраните документ ещё раз, когда она закончит.");
  struct stat st {};
  if (::fstat(file.get(), &st) != 0) RaiseFileError(errno);
  save::Temp copy;
  save::MakeRecoveryCopy(native, save::TraceRewrite(file.get(), st, bytes), bytes, copy);
  if (!bytes.empty() && ::fallocate(file.get(), 0, 0, static_cast<off_t>(bytes.size())) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS)
    RaiseFileError(errno);
  if (!save::WriteAll(file.get(), bytes) || ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0 ||
      ::fsync(file.get()) != 0) {
    const int error = errno;
    copy.Keep();
    RaiseFileError(error);
  }
}

// How the file stands to the rewrite a copy was made for. A copy of the first kind knows no more
// of its file than its path: a file written later than a rewrite could have lasted has been written
// since.
save::Standing StandingOf(const save::FoundCopy& copy, const save::FileId& file, std::string_view current) {
  using Kind = save::FoundCopy::Kind;
  switch (copy.kind) {
    case Kind::kTraced: return save::Judge(copy.trace, current);
    case Kind::kUnreadable: return save::Standing::kAsLeft;
    case Kind::kFirst: break;
  }
  if (copy.intact && copy.bytes == current) return save::Standing::kComplete;
  constexpr long kLongestRewrite = 10 * 60;  // seconds
  return file.modified.tv_sec - copy.made.tv_sec <= kLongestRewrite ? save::Standing::kAsLeft
                                                                      : save::Standing::kChanged;
}

void RemoveCopies(const save::FileId& file) {
  for (save::FoundCopy& copy : save::CopiesOf(file, false)) save::Remove(copy);
}

[[noreturn]] void RaiseTooLarge(std::u16string_view path, std::uint64_t size, std::size_t limit) {
  Raise(err::kPathFileAccessError, {},
        u"Файл \"" + FileTitleOf(path) + u"\" слишком велик для редактора: " + Megabytes(size) +
            u", а редактор открывает файлы не больше " + Megabytes(limit) + u".");
}

}  // namespace

std::string ReadAllBytes(std::u16string_view path, std::size_t limit) {
  struct stat st {};
  const Fd f = OpenForReading(path, &st);
  if (static_cast<std::uint64_t>(st.st_size) > limit) RaiseTooLarge(path, static_cast<std::uint64_t>(st.st_size), limit);
  // Read straight into a buffer of the file's size; a file that grows meanwhile is read whole, and
  // refused as soon as it has more than the limit.
  const std::size_t most = limit == SIZE_MAX ? limit : limit + 1;  // enough to tell it went past
  std::string out;
  out.resize(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t have = 0;
  for (;;) {
    if (have > limit) RaiseTooLarge(path, have, limit);
    if (have == out.size()) out.resize(std::min(out.size() * 2 + 4096, most));
    const ssize_t n = ::read(f.get(), out.data() + have, out.size() - have);
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

FileStart ReadFileStart(std::u16string_view path, std::size_t count) {
  const Fd f(::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (f.get() < 0 || ::fstat(f.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  FileStart start{std::string(count, '\0'), static_cast<std::uint64_t>(st.st_size)};
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::read(f.get(), start.bytes.data() + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  start.bytes.resize(got);
  return start;
}

void CheckWritable(std::u16string_view path) {
  const std::string native = save::FollowLinks(NativePath(path));
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ReadOnly(native, st)) RaiseFileError(EACCES);
}

void RemoveLeftoverTemporaries(std::u16string_view path) {
  try {
    save::RemoveUnfinished(save::FollowLinks(NativePath(path)));
  } catch (const Error&) {
  }
}

std::optional<InterruptedSave> FindInterruptedSave(std::u16string_view path, std::string_view current) {
  std::optional<save::FileId> id;
  try {
    id = save::IdOf(save::FollowLinks(NativePath(path)));
  } catch (const Error&) {
  }
  if (!id) return std::nullopt;
  std::optional<InterruptedSave> found;
  for (save::FoundCopy& copy : save::CopiesOf(*id, true)) {
    if (StandingOf(copy, *id, current) != save::Standing::kAsLeft) {
      save::Remove(copy);
    } else if (!found) {
      found = InterruptedSave{FromUtf8(copy.path), copy.intact ? std::move(copy.bytes) : std::string(), !copy.intact};
    }
  }
  return found;
}

void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes) {
  const std::string native = save::FollowLinks(NativePath(path));
  const Split at = save::SplitPath(native);
  struct stat folderStat {};
  if (::stat(at.folder.c_str(), &folderStat) != 0) RaiseFileError(errno == ENOENT ? ENOTDIR : errno);
  if (!S_ISDIR(folderStat.st_mode)) RaiseFileError(ENOTDIR);
  struct stat old {};
  const bool existed = ::stat(native.c_str(), &old) == 0;
  if (existed) RequireRegular(path, old, u"записан");
  if (existed && ReadOnly(native, old)) RaiseFileError(EACCES);
  save::RemoveUnfinished(native);

  if (!existed) {
    WriteByRename(native, at, bytes, nullptr);
  } else if (!RenameKeepsTheFile(old) || ::access(at.folder.c_str(), W_OK) != 0 ||
             !WriteByRename(native, at, bytes, &old)) {
    WriteInPlace(native, bytes);
  }
  // The file is whole: copies of earlier rewrites that were cut short hold nothing it needs, nor do
  // those of the file it replaced.
  if (existed) RemoveCopies(save::FileId{old.st_dev, old.st_ino, save::IdentityPath(native), old.st_mtim});
  if (const std::optional<save::FileId> now = save::IdOf(native)) RemoveCopies(*now);
}

}  // namespace vb
