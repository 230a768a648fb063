#include "platform/registry/store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/vb/strings.h"

namespace platform::registry {

using win::DWORD;
using win::LONG;
namespace fs = std::filesystem;

namespace {

// ---- The tree ----

// Key paths deeper than this are refused, and a file holding one is damaged: the tree is walked
// recursively when it is written, copied and freed.
constexpr std::size_t kMaxDepth = 512;

struct Entry {
  std::u16string name;
  Value value;
};

// The name a name is found by: names compare without regard to case.
std::u16string Folded(std::u16string_view name) { return vb::UCase(name); }

// Items in the order first written, found by their folded names in constant time (a key may hold
// tens of thousands of values).
template <class Item>
class Named {
 public:
  Item* Find(std::u16string_view name) {
    const auto it = index_.find(Folded(name));
    return it != index_.end() ? &items_[it->second] : nullptr;
  }
  const Item* Find(std::u16string_view name) const { return const_cast<Named*>(this)->Find(name); }
  // The item of that name, made with `make` when there is none; *added tells which.
  template <class Make>
  Item& FindOrAdd(std::u16string_view name, const Make& make, bool* added) {
    const auto [it, isNew] = index_.try_emplace(Folded(name), items_.size());
    *added = isNew;
    if (isNew) items_.push_back(make());
    return items_[it->second];
  }
  bool empty() const { return items_.empty(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Item> items_;
  std::unordered_map<std::u16string, std::size_t> index_;
};

struct Key {
  std::u16string name;
  Named<Entry> values;
  Named<Key> subkeys;
};

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

bool ValidKeyName(std::u16string_view name) {
  if (name.empty()) return false;
  for (char16_t c : name) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names) {
  names->clear();
  if (path.empty()) return true;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(u'\\', start);
    const std::u16string_view name = path.substr(start, end == std::u16string_view::npos ? end : end - start);
    if (!ValidKeyName(name) || names->size() == kMaxDepth) return false;
    names->emplace_back(name);
    if (end == std::u16string_view::npos) return true;
    start = end + 1;
  }
}

const Key* FindKey(const Key& root, const std::vector<std::u16string>& names) {
  const Key* key = &root;
  for (const auto& name : names) {
    key = key->subkeys.Find(name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

Key* MakeKey(Key& root, const std::vector<std::u16string>& names, bool* created) {
  Key* key = &root;
  for (const auto& name : names) {
    bool added = false;
    key = &key->subkeys.FindOrAdd(name, [&] { return Key{name, {}, {}}; }, &added);
    if (added && created != nullptr) *created = true;
  }
  return key;
}

bool SameValue(const Value& a, const Value& b) {
  if (a.type != b.type) return false;
  return a.type == win::REG_DWORD ? a.number == b.number : a.text == b.text;
}

// Sets a value of the key; false when it already held exactly that.
bool Put(Key& key, std::u16string_view name, const Value& value) {
  bool added = false;
  Entry& entry = key.values.FindOrAdd(name, [&] { return Entry{std::u16string(name), value}; }, &added);
  if (added) return true;
  if (SameValue(entry.value, value)) return false;
  entry.value = value;
  return true;
}

// ---- The file's text ----
//
// UTF-8, one line each:
//   ; a comment
//   [HKEY_CURRENT_USER\Software\Key]     a key (every key but HKEY_CURRENT_USER itself gets one)
//   "Name"="text"                        a REG_SZ value of the key above
//   "Name"=dword:0000000a                a REG_DWORD value, in hexadecimal
// Inside quotes, \\ is "\", \" is a quote, \n a line feed, \r a carriage return, and \uXXXX (four
// hexadecimal digits) one UTF-16 unit: every other control character and a lone surrogate half are
// written that way, so any text, NUL and line breaks included, reads back exactly. Key names hold no
// control character and stand unquoted. Reading also accepts a byte order mark, CR LF line ends,
// blanks around a line and around "=", and "dword:" in any case; anything else makes the file damaged.

constexpr char16_t kRootName[] = u"HKEY_CURRENT_USER";

constexpr char kHeader[] =
    "; Settings of Quillmark for this user. Each [key] line is followed by the key's values:\n"
    ";   \"Name\"=\"text\"  or  \"Name\"=dword:0000000a (a 32-bit number in hexadecimal).\n"
    "; Names compare without regard to case. In quotes, \\\\ stands for \\, \\\" for a quote,\n"
    "; \\n for a line feed, \\r for a carriage return, and \\uXXXX (hexadecimal) for any other\n"
    "; control character or a lone surrogate half.\n"
    "\n";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

void AppendAscii(std::u16string& out, const char* s) {
  while (*s != 0) out += static_cast<char16_t>(*s++);
}

void AppendQuoted(std::u16string& out, std::u16string_view s) {
  out += u'"';
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'\\' || c == u'"') {
      out += u'\\';
      out += c;
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (IsHighSurrogate(c) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) {
      out += c;
      out += s[++i];
    } else if (c < 0x20 || c == 0x7F || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
      AppendAscii(out, code);
    } else {
      out += c;
    }
  }
  out += u'"';
}

void AppendKey(std::u16string& out, const Key& key, const std::u16string& path, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += u'[' + path + u"]\n";
    for (const auto& entry : key.values) {
      AppendQuoted(out, entry.name);
      out += u'=';
      if (entry.value.type == win::REG_DWORD) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(entry.value.number));
        AppendAscii(out, number);
      } else {
        AppendQuoted(out, entry.value.text);
      }
      out += u'\n';
    }
    out += u'\n';
  }
  for (const auto& sub : key.subkeys) AppendKey(out, sub, path + u'\\' + sub.name, false);
}

std::string Serialize(const Key& root) {
  std::u16string text;
  AppendKey(text, root, kRootName, true);
  return kHeader + vb::ToUtf8(text);
}

// Well-formed UTF-8 only: no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t more = 0;
    std::uint32_t c = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      more = 1;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      more = 3;
      c = b & 0x07;
    } else {
      return false;
    }
    if (s.size() - i <= more) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      c = (c << 6) | (cb & 0x3F);
    }
    if (more == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) return false;
    if (more == 3 && (c < 0x10000 || c > 0x10FFFF)) return false;
    i += more + 1;
  }
  return true;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

void SkipBlanks(std::u16string_view line, std::size_t& i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
}

// A quoted name or text starting at line[i]; i ends after the closing quote.
bool ReadQuoted(std::u16string_view line, std::size_t& i, std::u16string* out) {
  if (i >= line.size() || line[i] != u'"') return false;
  for (++i; i < line.size();) {
    const char16_t c = line[i++];
    if (c == u'"') return true;
    if (c != u'\\') {
      *out += c;
      continue;
    }
    if (i >= line.size()) return false;
    const char16_t e = line[i++];
    if (e == u'\\' || e == u'"') {
      *out += e;
    } else if (e == u'n') {
      *out += u'\n';
    } else if (e == u'r') {
      *out += u'\r';
    } else if (e == u'u' && i + 4 <= line.size()) {
      unsigned unit = 0;
      for (std::size_t k = 0; k < 4; ++k) {
        const int d = HexDigit(line[i + k]);
        if (d < 0) return false;
        unit = unit * 16 + static_cast<unsigned>(d);
      }
      i += 4;
      *out += static_cast<char16_t>(unit);
    } else {
      return false;
    }
  }
  return false;
}

bool ReadDword(std::u16string_view s, DWORD* number) {
  if (s.size() < 7 || s.size() > 14 || vb::LCase(s.substr(0, 6)) != u"dword:") return false;
  *number = 0;
  for (char16_t c : s.substr(6)) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    *number = *number * 16 + static_cast<DWORD>(d);
  }
  return true;
}

bool Parse(std::string_view bytes, Key* root) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (!ValidUtf8(bytes)) return false;
  const std::u16string text = vb::FromUtf8(bytes);
  Key* current = nullptr;
  std::vector<std::u16string> names;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find(u'\n', pos);
    if (end == std::u16string::npos) end = text.size();
    std::u16string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    while (!line.empty() && (IsBlank(line.front()) || line.front() == u'\r')) line.remove_prefix(1);
    while (!line.empty() && (IsBlank(line.back()) || line.back() == u'\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == u';') continue;

    if (line.front() == u'[') {
      if (line.size() < 2 || line.back() != u']') return false;
      const std::u16string_view inner = line.substr(1, line.size() - 2);
      const std::size_t sep = inner.find(u'\\');
      if (!SameName(inner.substr(0, sep), kRootName)) return false;
      if (sep != std::u16string_view::npos && (sep + 1 == inner.size() || !SplitPath(inner.substr(sep + 1), &names)))
        return false;
      if (sep == std::u16string_view::npos) names.clear();
      current = MakeKey(*root, names, nullptr);
      continue;
    }

    if (current == nullptr) return false;
    std::size_t i = 0;
    std::u16string name;
    if (!ReadQuoted(line, i, &name)) return false;
    SkipBlanks(line, i);
    if (i >= line.size() || line[i] != u'=') return false;
    ++i;
    SkipBlanks(line, i);
    Value value;
    if (i < line.size() && line[i] == u'"') {
      value.type = win::REG_SZ;
      if (!ReadQuoted(line, i, &value.text) || i != line.size()) return false;
    } else {
      value.type = win::REG_DWORD;
      if (!ReadDword(line.substr(i), &value.number)) return false;
    }
    Put(*current, name, value);
  }
  return true;
}

// ---- The file ----

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
};

std::mutex mutex;  // guards `loaded`; held through a whole call
Loaded loaded;

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

// Reads and parses the file; no file reads as an empty tree with *fd -1.
ReadResult ReadFile(const fs::path& file, int* fd, struct stat* id, Key* root) {
  *fd = -1;
  *root = Key{};
  const int f = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (f < 0) return errno == ENOENT ? ReadResult::kRead : ReadResult::kFailed;
  std::string bytes;
  bool ok = fstat(f, id) == 0;
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
    close(f);
    return ReadResult::kFailed;
  }
  if (!Parse(bytes, root)) {
    close(f);
    *root = Key{};
    return ReadResult::kDamaged;
  }
  *fd = f;
  return ReadResult::kRead;
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
// is taken. Called under the lock.
bool SetAside(const fs::path& link) {
  const fs::path file = Target(link);
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = file.string() + ".damaged-" + stamp;
  for (int n = 1; n < 1000; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    struct stat st {};
    if (lstat(name.c_str(), &st) == 0) continue;
    if (rename(file.c_str(), name.c_str()) != 0) break;
    std::fprintf(stderr, "quillmark: the settings file %s could not be read; it was kept as %s\n",
                 file.c_str(), name.c_str());
    return true;
  }
  std::fprintf(stderr, "quillmark: the settings file %s could not be read nor set aside\n", file.c_str());
  return false;
}

// Brings `loaded` up to date with the file. False when the file can be neither read nor set aside;
// the tree is then empty and nothing may be written.
bool Refresh(const fs::path& file, const FileLock* held) {
  if (Unchanged(file)) return true;
  int fd = -1;
  struct stat id {};
  Key root;
  switch (ReadFile(file, &fd, &id, &root)) {
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
    return lock.held() && Refresh(file, &lock);
  }
  if (!SetAside(file)) return false;
  Install(file, -1, {}, Key{});
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

// Says once per run, on the standard error, that settings cannot be written; the file keeps what
// it holds.
void ReportWriteFailure(const fs::path& file, int error) {
  static bool reported = false;
  if (reported) return;
  reported = true;
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

fs::path FilePath() {
  fs::path base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
      const passwd* user = getpwuid(getuid());
      home = user != nullptr ? user->pw_dir : "/";
    }
    base = fs::path(home) / ".config";
  }
  return base / "quillmark" / "registry.reg";
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
