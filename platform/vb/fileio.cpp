#include "platform/vb/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/codepage/codepage.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"

namespace vb {

namespace {

constexpr int kMaxFileNumber = 511;

struct OpenFile {
  int fd = -1;
  OpenMode mode = OpenMode::Input;
  std::string data;     // Input: the whole file, read at Open
  std::int64_t pos = 0;  // 0-based
};

std::map<int, OpenFile>& files() {
  static std::map<int, OpenFile> f;
  return f;
}

std::string LocalPath(std::u16string_view path) {
  std::string p = ToUtf8(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

// The runtime's error for a failed open.
[[noreturn]] void RaiseOpenError(int err, const std::string& path) {
  switch (err) {
    case ENOENT: {
      const std::size_t slash = path.rfind('/');
      struct stat st {};
      const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
      if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) Raise(err::kPathNotFound);
      Raise(err::kFileNotFound);
    }
    case ENOTDIR: Raise(err::kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS: Raise(err::kPermissionDenied);
    case EISDIR: Raise(err::kPathFileAccessError);
    case ENOSPC: Raise(err::kDiskFull);
    case EMFILE:
    case ENFILE: Raise(err::kTooManyFiles);
    default: Raise(err::kPathFileAccessError);
  }
}

[[noreturn]] void RaiseWriteError(int code) { Raise(code == ENOSPC || code == EDQUOT ? err::kDiskFull : err::kDeviceIOError); }

OpenFile& FileOf(int fileNumber) {
  auto it = files().find(fileNumber);
  if (it == files().end()) Raise(err::kBadFileNameOrNumber);
  return it->second;
}

void WriteAll(OpenFile& f, std::string_view bytes) {
  if (::lseek(f.fd, f.pos, SEEK_SET) < 0) RaiseWriteError(errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(f.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseWriteError(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  f.pos += static_cast<std::int64_t>(bytes.size());
}

}  // namespace

int FreeFile() {
  for (int n = 1; n <= kMaxFileNumber; ++n)
    if (files().count(n) == 0) return n;
  Raise(err::kTooManyFiles);
}

void Open(std::u16string_view path, OpenMode mode, int fileNumber) {
  if (fileNumber < 1 || fileNumber > kMaxFileNumber) Raise(err::kBadFileNameOrNumber);
  if (files().count(fileNumber) != 0) Raise(err::kFileAlreadyOpen);
  const std::string p = LocalPath(path);
  if (p.empty()) Raise(err::kPathFileAccessError);
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::Input: flags |= O_RDONLY; break;
    case OpenMode::Output: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    case OpenMode::Append: flags |= O_WRONLY | O_CREAT; break;
    case OpenMode::Binary: flags |= O_RDWR | O_CREAT; break;
  }
  int fd = ::open(p.c_str(), flags, 0666);
  if (fd < 0 && mode == OpenMode::Binary && (errno == EACCES || errno == EROFS)) fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseOpenError(errno, p);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    Raise(err::kPathFileAccessError);
  }
  OpenFile f;
  f.fd = fd;
  f.mode = mode;
  if (mode == OpenMode::Input) {
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ::close(fd);
        Raise(err::kDeviceIOError);
      }
      if (n == 0) break;
      f.data.append(buf, static_cast<std::size_t>(n));
    }
  }
  if (mode == OpenMode::Append) f.pos = ::lseek(fd, 0, SEEK_END);
  files()[fileNumber] = std::move(f);
}

void Close(int fileNumber) {
  OpenFile& f = FileOf(fileNumber);
  const int fd = f.fd;
  files().erase(fileNumber);
  if (::close(fd) != 0 && errno != EINTR) RaiseWriteError(errno);
}

void Close() {
  while (!files().empty()) {
    const int n = files().begin()->first;
    const int fd = files().begin()->second.fd;
    files().erase(n);
    ::close(fd);
  }
}

void Print(int fileNumber, std::u16string_view text, bool newLine) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode != OpenMode::Output && f.mode != OpenMode::Append) Raise(err::kBadFileMode);
  std::string bytes = ToWindows1251(text);
  if (newLine) bytes += "\r\n";
  WriteAll(f, bytes);
}

std::u16string LineInput(int fileNumber) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode != OpenMode::Input) Raise(err::kBadFileMode);
  const auto size = static_cast<std::int64_t>(f.data.size());
  if (f.pos >= size) Raise(err::kInputPastEndOfFile);
  std::int64_t end = f.pos;
  while (end < size && f.data[end] != '\r' && f.data[end] != '\n') ++end;
  std::u16string line = FromWindows1251(std::string_view(f.data).substr(f.pos, end - f.pos));
  if (end < size && f.data[end] == '\r') {
    ++end;
    if (end < size && f.data[end] == '\n') ++end;
  } else if (end < size) {
    ++end;  // a bare LF
  }
  f.pos = end;
  return line;
}

std::u16string Input(std::int32_t count, int fileNumber) {
  OpenFile& f = FileOf(fileNumber);
  if (count < 0) Raise(err::kInvalidProcedureCall);
  if (f.mode == OpenMode::Input) {
    if (f.pos + count > static_cast<std::int64_t>(f.data.size())) Raise(err::kInputPastEndOfFile);
    std::u16string s = FromWindows1251(std::string_view(f.data).substr(f.pos, count));
    f.pos += count;
    return s;
  }
  if (f.mode != OpenMode::Binary) Raise(err::kBadFileMode);
  return FromWindows1251(Get(fileNumber, 0, static_cast<std::size_t>(count)));
}

bool Eof(int fileNumber) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode == OpenMode::Input) return f.pos >= static_cast<std::int64_t>(f.data.size());
  return f.pos >= LOF(fileNumber);
}

std::int64_t LOF(int fileNumber) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode == OpenMode::Input) return static_cast<std::int64_t>(f.data.size());
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) Raise(err::kDeviceIOError);
  return st.st_size;
}

std::int64_t Seek(int fileNumber) { return FileOf(fileNumber).pos + 1; }

void Put(int fileNumber, std::int64_t position, std::string_view bytes) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode != OpenMode::Binary) Raise(err::kBadFileMode);
  if (position < 0) Raise(err::kBadRecordNumber);
  if (position > 0) f.pos = position - 1;
  WriteAll(f, bytes);
}

std::string Get(int fileNumber, std::int64_t position, std::size_t count) {
  OpenFile& f = FileOf(fileNumber);
  if (f.mode != OpenMode::Binary) Raise(err::kBadFileMode);
  if (position < 0) Raise(err::kBadRecordNumber);
  if (position > 0) f.pos = position - 1;
  std::string out(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(f.fd, out.data() + done, count - done, f.pos + static_cast<std::int64_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Raise(err::kDeviceIOError);
    if (n == 0) break;  // past the end the value stays zero, as the runtime leaves it
    done += static_cast<std::size_t>(n);
  }
  f.pos += static_cast<std::int64_t>(count);
  return out;
}

}  // namespace vb
