#include "platform/vb/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    case ENOENT: Raise(53);
    case ENOTDIR: Raise(76);
    case EACCES:
    case EPERM:
    case EROFS: Raise(70);
    case ENOSPC:
    case EDQUOT: Raise(61);
    case EISDIR: Raise(75);
    default: Raise(75);
  }
}

namespace {

struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::string ReadAllBytes(std::u16string_view path) {
  const std::string native = NativePath(path);
  Fd f;
  f.fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (f.fd < 0) RaiseFileError(errno);
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) RaiseFileError(errno);
  if (S_ISDIR(st.st_mode)) RaiseFileError(EISDIR);
  std::string out;
  out.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno);
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  return out;
}

void WriteAllBytesSafely(std::u16string_view path, std::string_view bytes) {
  const std::string native = NativePath(path);
  const auto slash = native.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash == 0 ? 1 : slash);
  struct stat folderStat {};
  if (::stat(folder.c_str(), &folderStat) != 0) RaiseFileError(errno == ENOENT ? ENOTDIR : errno);
  struct stat old {};
  const bool existed = ::stat(native.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) RaiseFileError(EISDIR);

  std::string temp = native + ".XXXXXX";
  Fd f;
  f.fd = ::mkstemp(temp.data());
  if (f.fd < 0) RaiseFileError(errno);
  const int mode = existed ? static_cast<int>(old.st_mode & 07777) : 0666 & ~[] {
    const mode_t m = ::umask(0);
    ::umask(m);
    return static_cast<int>(m);
  }();
  if (!WriteAll(f.fd, bytes) || ::fchmod(f.fd, static_cast<mode_t>(mode)) != 0 || ::fsync(f.fd) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    RaiseFileError(e);
  }
  ::close(f.fd);
  f.fd = -1;
  if (::rename(temp.c_str(), native.c_str()) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    RaiseFileError(e);
  }
  Fd dir;
  dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir.fd >= 0) ::fsync(dir.fd);
}

}  // namespace vb
