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
#include <cstring>

#include "platform/vb/file_system.h"
#include "platform/vb/user_folders.h"

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

namespace {

// Names: ".~" + the start of the target's name (whole UTF-8 characters, at most 64 bytes) + "." +
// a hash + "." + six random characters + ".qmsave". At most 92 bytes, so they fit beside any name.
// Beside the target the hash is of its name, so one name's files are told from another's; in the
// state folder it is of the target's whole path.
constexpr std::string_view kEnd = ".qmsave";
constexpr std::size_t kRandomLength = 6;

std::uint32_t NameHash(std::string_view s) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : s) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

std::string Stem(const std::string& name, std::string_view hashed) {
  std::size_t cut = std::min<std::size_t>(name.size(), 64);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", NameHash(hashed));
  return ".~" + name.substr(0, cut) + "." + hex + ".";
}

bool IsNamedFrom(std::string_view entry, const std::string& stem) {
  return entry.size() == stem.size() + kRandomLength + kEnd.size() && entry.substr(0, stem.size()) == stem &&
         entry.substr(entry.size() - kEnd.size()) == kEnd;
}

// The target's path with its folder made absolute and free of links: what a copy in the state
// folder is known by.
std::string Identity(const std::string& target) {
  const Split at = SplitPath(target);
  char* real = ::realpath(at.folder.c_str(), nullptr);
  if (real == nullptr) return target;
  std::string folder(real);
  std::free(real);
  return (folder == "/" ? "" : folder) + "/" + at.name;
}

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// A recovery copy ends with the target's identity and this record.
struct Closing {
  std::uint64_t contentLength;
  std::uint64_t identityLength;
  std::uint64_t checksum;  // of the content and the identity
  char mark[8];
};
constexpr char kMark[8] = {'Q', 'M', 'C', 'O', 'P', 'Y', '\r', '\n'};

std::uint64_t Checksum(std::string_view a, std::string_view b) {
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

bool ReadAt(int fd, char* to, std::size_t count, off_t at) {
  while (count > 0) {
    const ssize_t n = ::pread(fd, to, count, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    to += n;
    count -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

// The closing record and identity of a copy, when it has them (its content is not read).
bool ReadClosing(int fd, Closing* closing, std::string* identity) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < static_cast<off_t>(sizeof(Closing))) return false;
  const off_t end = st.st_size - static_cast<off_t>(sizeof(Closing));
  if (!ReadAt(fd, reinterpret_cast<char*>(closing), sizeof(Closing), end) ||
      std::memcmp(closing->mark, kMark, sizeof kMark) != 0 || closing->identityLength > PATH_MAX ||
      closing->contentLength > static_cast<std::uint64_t>(end) ||
      closing->contentLength + closing->identityLength != static_cast<std::uint64_t>(end))
    return false;
  identity->resize(closing->identityLength);
  return ReadAt(fd, identity->data(), identity->size(), static_cast<off_t>(closing->contentLength));
}

// A place where files of one target are found: a folder and the stem of their names; in the state
// folder only those naming the target are its own.
struct Place {
  std::string folder;
  std::string stem;
  std::string identity;  // empty beside the target
};

std::vector<Place> PlacesOf(const std::string& target) {
  const Split at = SplitPath(target);
  const std::string identity = Identity(target);
  return {Place{at.folder, Stem(at.name, at.name), {}}, Place{UserStateFolder(), Stem(at.name, identity), identity}};
}

// Runs `f(path, fd)` for each file of the place that no write holds, with the file open and locked
// (`exclusive` or shared).
template <class F>
void ForEachLeftover(const Place& place, bool exclusive, F&& f) {
  DIR* dir = ::opendir(place.folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsNamedFrom(entry->d_name, place.stem)) continue;
    const std::string path = place.folder + "/" + entry->d_name;
    Fd file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || ::flock(file.get(), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) continue;
    f(path, file.get());
  }
  ::closedir(dir);
}

}  // namespace

Temp::~Temp() {
  if (file_.get() >= 0) ::unlink(path_.c_str());
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
    temp.path_ = std::move(path);
    temp.file_ = Fd(file.release());
    return true;
  }
  *error = EEXIST;
  return false;
}

bool MakeTempBeside(const Split& target, Temp& temp, int* error) {
  return MakeTempIn(target.folder, Stem(target.name, target.name), temp, error);
}

void MakeRecoveryCopy(const std::string& target, std::string_view bytes, Temp& copy) {
  const Split at = SplitPath(target);
  const std::string identity = Identity(target);
  int error = 0;
  std::string folder = at.folder;
  if (!MakeTempBeside(at, copy, &error)) {
    if (error != EACCES && error != EPERM && error != EROFS) RaiseFileError(error);
    // The folder takes no file: the copy goes to the user's own state folder.
    folder = UserStateFolder();
    int stateError = 0;
    if (!MakeOwnFolder(folder) || !MakeTempIn(folder, Stem(at.name, identity), copy, &stateError)) RaiseFileError(error);
  }
  Closing closing{bytes.size(), identity.size(), Checksum(bytes, identity), {}};
  std::memcpy(closing.mark, kMark, sizeof kMark);
  const std::string tail = identity + std::string(reinterpret_cast<const char*>(&closing), sizeof closing);
  if (!WriteAll(copy.fd(), bytes) || !WriteAll(copy.fd(), tail, static_cast<long long>(bytes.size())) ||
      ::fsync(copy.fd()) != 0)
    RaiseFileError(errno);
  SyncFolder(folder);
}

std::vector<Copy> CompleteCopies(const std::string& target) {
  struct Found {
    Copy copy;
    timespec time;
  };
  std::vector<Found> found;
  for (const Place& place : PlacesOf(target)) {
    ForEachLeftover(place, false, [&](const std::string& path, int fd) {
      Closing closing{};
      std::string identity;
      if (!ReadClosing(fd, &closing, &identity) || (!place.identity.empty() && identity != place.identity)) return;
      std::string bytes(closing.contentLength, '\0');
      struct stat st {};
      if (!ReadAt(fd, bytes.data(), bytes.size(), 0) || Checksum(bytes, identity) != closing.checksum ||
          ::fstat(fd, &st) != 0)
        return;
      found.push_back(Found{Copy{path, std::move(bytes)}, st.st_mtim});
    });
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.time.tv_sec != b.time.tv_sec ? a.time.tv_sec > b.time.tv_sec : a.time.tv_nsec > b.time.tv_nsec;
  });
  std::vector<Copy> copies;
  for (Found& f : found) copies.push_back(std::move(f.copy));
  return copies;
}

void RemoveLeftovers(const std::string& target, bool copiesToo) {
  for (const Place& place : PlacesOf(target)) {
    ForEachLeftover(place, true, [&](const std::string& path, int fd) {
      Closing closing{};
      std::string identity;
      const bool copy = ReadClosing(fd, &closing, &identity);
      // In the state folder, a copy of another target whose name came out the same is not touched.
      if (copy && !place.identity.empty() && identity != place.identity) return;
      if (copy && !copiesToo) return;
      ::unlink(path.c_str());
    });
  }
}

}  // namespace vb::save
