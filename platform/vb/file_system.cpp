#include "platform/vb/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/vb/error.h"
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

// Opens a file for reading without waiting (a named pipe with no writer would hold open() until one
// came) and refuses anything but a regular file.
Fd OpenForReading(std::u16string_view path, struct stat* st) {
  Fd f(::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (f.get() < 0) RaiseFileError(errno);
  if (::fstat(f.get(), st) != 0) RaiseFileError(errno);
  RequireRegular(path, *st, u"прочитан");
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

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// Writes the new file and renames it over the target. False (nothing changed) when the new file
// cannot take the old one's group.
bool WriteByRename(const std::string& native, const Split& at, std::string_view bytes, const struct stat* old) {
  save::Temp temp;
  int error = 0;
  if (!save::MakeTempBeside(at, temp, &error)) RaiseFileError(error);
  if (old != nullptr && old->st_gid != ::getegid() && ::fchown(temp.fd(), static_cast<uid_t>(-1), old->st_gid) != 0)
    return false;
  const int mode = old != nullptr ? static_cast<int>(old->st_mode & 07777) : UmaskedMode();
  if (!save::WriteAll(temp.fd(), bytes) || ::fchmod(temp.fd(), static_cast<mode_t>(mode)) != 0 ||
      ::fsync(temp.fd()) != 0)
    RaiseFileError(errno);
  if (::rename(temp.path().c_str(), native.c_str()) != 0) RaiseFileError(errno);
  temp.Keep();
  SyncFolder(at.folder);
  return true;
}

// Takes the target for a rewrite in place: another rewrite of it (another copy of the program saving
// the same file) is waited for, a few seconds at most, so two rewrites never mix their bytes and
// lengths. A lock still held then is said; a file system without locks is written unlocked.
void TakeForRewrite(int fd, const std::string& native) {
  for (int attempt = 0; attempt < 250; ++attempt) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR)) return;
    ::usleep(20000);
  }
  Raise(err::kPathFileAccessError, {},
        u"Файл \"" + FileTitleOf(FromUtf8(native)) +
            u"\" сейчас записывает другая программа. Сохраните документ ещё раз, когда она закончит.");
}

// Rewrites the target in place. A complete copy of the new content is flushed first, and the
// target's room is reserved, so a full disk stops the write before the target is touched. Once the
// target has been touched, a failure keeps the copy: the target may be incomplete.
void WriteInPlace(const std::string& native, std::string_view bytes) {
  Fd file(::open(native.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) RaiseFileError(errno);
  TakeForRewrite(file.get(), native);
  save::Temp copy;
  save::MakeRecoveryCopy(native, bytes, copy);
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

std::string ReadFileStart(std::u16string_view path, std::size_t count) {
  Fd f(::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (f.get() < 0 || ::fstat(f.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  std::string out(count, '\0');
  const ssize_t n = ::read(f.get(), out.data(), count);
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

void CheckWritable(std::u16string_view path) {
  const std::string native = save::FollowLinks(NativePath(path));
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ReadOnly(native, st)) RaiseFileError(EACCES);
}

void RemoveLeftoverTemporaries(std::u16string_view path) {
  try {
    save::RemoveLeftovers(save::FollowLinks(NativePath(path)), false);
  } catch (const Error&) {
  }
}

std::optional<InterruptedSave> FindInterruptedSave(std::u16string_view path, std::string_view current) {
  std::string native;
  try {
    native = save::FollowLinks(NativePath(path));
  } catch (const Error&) {
    return std::nullopt;
  }
  std::vector<save::Copy> copies = save::CompleteCopies(native);
  if (copies.empty()) return std::nullopt;
  if (copies.front().bytes == current) {
    save::RemoveLeftovers(native, true);
    return std::nullopt;
  }
  return InterruptedSave{FromUtf8(copies.front().path), std::move(copies.front().bytes)};
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
  save::RemoveLeftovers(native, false);

  if (!existed) {
    WriteByRename(native, at, bytes, nullptr);
  } else if (!RenameKeepsTheFile(old) || ::access(at.folder.c_str(), W_OK) != 0 ||
             !WriteByRename(native, at, bytes, &old)) {
    WriteInPlace(native, bytes);
  }
  // The file is whole: copies of earlier rewrites that were cut short hold nothing it needs.
  save::RemoveLeftovers(native, true);
}

}  // namespace vb
