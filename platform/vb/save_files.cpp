#include "platform/vb/save_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/vb/file_system.h"

namespace vb::save {

void Fd::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Split SplitPath(const std::string& native) {
  const auto slash = native.find_last_of('/');
  if (slash == std::string::npos) return {".", native};
  return {native.substr(0, slash == 0 ? 1 : slash), native.substr(slash + 1)};
}

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

std::string IdentityPath(const std::string& target) {
  const Split at = SplitPath(target);
  char* real = ::realpath(at.folder.c_str(), nullptr);
  if (real == nullptr) return target;
  std::string folder(real);
  std::free(real);
  return (folder == "/" ? "" : folder) + "/" + at.name;
}

bool WriteAll(int fd, std::string_view bytes, long long offset) {
  auto at = static_cast<off_t>(offset);
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

bool ReadAt(int fd, char* to, std::size_t count, long long at) {
  while (count > 0) {
    const ssize_t n = ::pread(fd, to, count, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    to += n;
    count -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

namespace {

constexpr std::string_view kStart = ".~";
constexpr std::string_view kEnd = ".qmsave";
constexpr std::size_t kRandomLength = 6;

std::uint32_t NameHash(std::string_view s) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : s) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

// The start of the name (whole UTF-8 characters, at most 64 bytes) and the hash of `hashed`.
std::string Stem(const std::string& name, std::string_view hashed) {
  std::size_t cut = std::min<std::size_t>(name.size(), 64);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", NameHash(hashed));
  return std::string(kStart) + name.substr(0, cut) + "." + hex + ".";
}

bool IsNamedFrom(std::string_view entry, const std::string& stem) {
  if (entry.size() < kStart.size() + kRandomLength + kEnd.size() || entry.substr(0, kStart.size()) != kStart ||
      entry.substr(entry.size() - kEnd.size()) != kEnd)
    return false;
  return stem.empty() || (entry.size() == stem.size() + kRandomLength + kEnd.size() && entry.substr(0, stem.size()) == stem);
}

}  // namespace

void Temp::Discard() {
  if (file_.get() >= 0) ::unlink(path_.c_str());
  file_.Close();
}

bool MakeTempIn(const std::string& folder, const std::string& stem, Temp& temp, int* error) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::string path = folder + "/" + stem + std::string(kRandomLength, 'X') + std::string(kEnd);
    Fd file(::mkostemps(path.data(), static_cast<int>(kEnd.size()), O_CLOEXEC));
    if (file.get() < 0) {
      *error = errno;
      return false;
    }
    ::flock(file.get(), LOCK_EX);
    struct stat st {};
    // Another process's clean-up may have taken it between its making and the lock: make another.
    if (::fstat(file.get(), &st) != 0 || st.st_nlink == 0) continue;
    temp.Discard();
    temp.path_ = std::move(path);
    temp.file_ = Fd(file.release());
    return true;
  }
  *error = EEXIST;
  return false;
}

std::string StemBeside(const Split& target) { return Stem(target.name, target.name); }

std::string StemElsewhere(const Split& target, const std::string& identityPath) {
  return Stem(target.name, identityPath);
}

void ForEachUnheld(const std::string& folder, const std::string& stem, bool exclusive,
                   const std::function<void(const std::string& path, int fd)>& f) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsNamedFrom(entry->d_name, stem)) continue;
    const std::string path = folder + "/" + entry->d_name;
    Fd file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || ::flock(file.get(), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) continue;
    f(path, file.get());
  }
  ::closedir(dir);
}

}  // namespace vb::save
