#include "platform/registry/store.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/registry/file_text.h"
#include "platform/registry/quoted_text.h"
#include "platform/registry/settings_file.h"
#include "platform/registry/tree.h"
#include "platform/vb/user_folders.h"

namespace platform::registry {

using win::LONG;
namespace fs = std::filesystem;

namespace {

// The tree as last read or written, with the text its values stand in, and the file it came from.
// The file is kept open: while it is open its inode cannot be reused for a newer file, and as every
// change replaces the file by a new one, a path that still names the same inode (with the same size
// and times, against edits made in place by a person) still holds the same text.
struct Loaded {
  bool valid = false;
  fs::path file;
  int fd = -1;  // -1: there was no file
  struct stat id {};
  Key root;
  Texts texts;
  // Read from a damaged file that could not be set aside (its folder takes no change): its values
  // that read well are used, and the file is never written over. `keptError` tells why.
  bool damaged = false;
  int keptError = 0;
};

// A write gathered by an open batch: a value set, or only its key made.
struct PendingWrite {
  std::vector<std::u16string> path;
  std::u16string name;
  Value value;
  bool keyOnly = false;
};

std::mutex mutex;  // guards everything below; held through a whole call
Loaded loaded;
std::optional<SetAsideFile> setAside;  // not yet taken by the program
int readError = 0;  // why the file could not be read at the last try; 0 when it could
int openBatches = 0;
std::vector<PendingWrite> pending;

void Forget() {
  CloseLater(loaded.fd);
  loaded = Loaded{};
}

void Install(const fs::path& file, int fd, const struct stat& id, Key root, Texts texts) {
  Forget();
  loaded.valid = true;
  loaded.file = file;
  loaded.fd = fd;
  loaded.id = id;
  loaded.root = std::move(root);
  loaded.texts = std::move(texts);
}

bool Unchanged(const fs::path& file) {
  if (!loaded.valid || loaded.file != file) return false;
  struct stat now {};
  if (stat(file.c_str(), &now) != 0) return errno == ENOENT && loaded.fd < 0;
  return loaded.fd >= 0 && SameFile(now, loaded.id);
}

enum class Parsed { kRead, kDamaged, kFailed };

// Reads and parses the file; no file reads as an empty tree with *fd -1. A damaged file leaves in
// *root the values that read well, and in *fd the file, open, when it is a file. A failure leaves
// errno telling why.
Parsed Read(const fs::path& file, int* fd, struct stat* id, Key* root, Texts* texts) {
  switch (ReadFile(file, fd, id, &texts->file)) {
    case ReadResult::kFailed: return Parsed::kFailed;
    case ReadResult::kNoSettingsFile: return Parsed::kDamaged;
    case ReadResult::kRead: break;
  }
  return Parse(texts, root) ? Parsed::kRead : Parsed::kDamaged;  // *root keeps what reads well
}

// A damaged file that cannot be set aside stays as it is: its values that read well are used, and
// nothing is written over it.
bool KeepDamaged(const fs::path& file, int fd, const struct stat& id, Key root, Texts texts, int error) {
  Install(file, fd, id, std::move(root), std::move(texts));
  loaded.damaged = true;
  loaded.keptError = error;
  return true;
}

// Sets a damaged file aside and keeps the values that read well, in a new file. Called under the lock.
bool Replace(const fs::path& file, int fd, const struct stat& id, Key root, Texts texts) {
  fs::path keptAs;
  if (!SetAside(file, &keptAs)) return KeepDamaged(file, fd, id, std::move(root), std::move(texts), errno);
  setAside = SetAsideFile{file, keptAs};
  if (fd >= 0) close(fd);
  if (root.subkeys.empty() && root.values.empty()) {
    Install(file, -1, {}, std::move(root), Texts{});
    return true;
  }
  Serialize(root, &texts);
  int written = -1;
  struct stat writtenId {};
  if (!WriteFile(file, texts.file, &written, &writtenId)) {
    ReportWriteFailure(file, errno);
    written = -1;
  }
  Install(file, written, writtenId, std::move(root), std::move(texts));
  return true;
}

// Brings `loaded` up to date with the file. False when the file cannot be read; the tree is then
// empty and nothing may be written.
bool Refresh(const fs::path& file, const FileLock* held) {
  if (Unchanged(file)) return true;
  Forget();  // before the new text is read: the two are never held at once
  int fd = -1;
  struct stat id {};
  Key root;
  Texts texts;
  const Parsed read = Read(file, &fd, &id, &root, &texts);
  readError = read == Parsed::kFailed ? errno : 0;
  switch (read) {
    case Parsed::kRead:
      Install(file, fd, id, std::move(root), std::move(texts));
      return true;
    case Parsed::kFailed:
      return false;
    case Parsed::kDamaged:
      break;
  }
  if (held != nullptr) return Replace(file, fd, id, std::move(root), std::move(texts));
  // Read it again under the lock: a writer may have replaced it meanwhile.
  const FileLock lock(file);
  if (!lock.held()) return KeepDamaged(file, fd, id, std::move(root), std::move(texts), errno);
  if (fd >= 0) close(fd);
  return Refresh(file, &lock);
}

// Runs `change` on the tree as the file holds it now, under the lock, and writes the result when
// the change says it changed anything.
LONG Change(const std::function<void(Key& root, Texts& texts, bool* changed)>& change) {
  const fs::path file = FilePath();
  if (!MakeFolder(file.parent_path())) {
    ReportWriteFailure(file, errno);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  const FileLock lock(file);
  if (!lock.held() || !Refresh(file, &lock)) {
    ReportWriteFailure(file, errno);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  if (loaded.damaged) {
    ReportWriteFailure(file, loaded.keptError);
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  bool changed = false;
  change(loaded.root, loaded.texts, &changed);
  if (!changed) return win::ERROR_SUCCESS;
  Serialize(loaded.root, &loaded.texts);
  int fd = -1;
  struct stat id {};
  if (!WriteFile(file, loaded.texts.file, &fd, &id)) {
    ReportWriteFailure(file, errno);
    Forget();  // the tree holds a change the file does not
    return win::ERROR_REGISTRY_IO_FAILED;
  }
  if (fd < 0) {
    Forget();
    return win::ERROR_SUCCESS;
  }
  CloseLater(loaded.fd);
  loaded.fd = fd;
  loaded.id = id;
  return win::ERROR_SUCCESS;
}

bool SamePath(const std::vector<std::u16string>& a, const std::vector<std::u16string>& b, std::size_t length) {
  if (a.size() < length || b.size() < length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (!SameName(a[i], b[i])) return false;
  }
  return true;
}

// Whether an open batch made the key.
bool PendingKey(const std::vector<std::u16string>& path) {
  for (const PendingWrite& write : pending) {
    if (SamePath(write.path, path, path.size())) return true;
  }
  return false;
}

// The value an open batch set last under that name, or null.
const Value* PendingValue(const std::vector<std::u16string>& path, std::u16string_view name) {
  for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
    if (!it->keyOnly && it->path.size() == path.size() && SamePath(it->path, path, path.size()) &&
        SameName(it->name, name)) {
      return &it->value;
    }
  }
  return nullptr;
}

LONG CommitPending() {
  if (pending.empty()) return win::ERROR_SUCCESS;
  std::vector<PendingWrite> writes;
  writes.swap(pending);
  return Change([&](Key& root, Texts& texts, bool* changed) {
    for (const PendingWrite& write : writes) {
      Key* key = MakeKey(root, write.path, changed);
      if (!write.keyOnly && Put(*key, write.name, write.value, texts)) *changed = true;
    }
  });
}

LONG Facts(const Value& value, ValueFacts* facts, char16_t* units, std::size_t capacity) {
  facts->type = value.type;
  facts->units = value.type == win::REG_SZ ? value.text.size() : 0;
  facts->number = value.number;
  if (units == nullptr || value.type != win::REG_SZ) return win::ERROR_SUCCESS;
  if (capacity < value.text.size()) return win::ERROR_MORE_DATA;
  std::copy(value.text.begin(), value.text.end(), units);
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
  return FindKey(loaded.root, names) != nullptr || PendingKey(names) ? win::ERROR_SUCCESS : win::ERROR_FILE_NOT_FOUND;
}

LONG CreateKey(std::u16string_view path, bool* created) {
  if (created != nullptr) *created = false;
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  if (openBatches > 0) {
    Refresh(FilePath(), nullptr);
    const bool missing = FindKey(loaded.root, names) == nullptr && !PendingKey(names);
    if (missing) pending.push_back({std::move(names), {}, {}, true});
    if (created != nullptr) *created = missing;
    return win::ERROR_SUCCESS;
  }
  return Change([&](Key& root, Texts&, bool* changed) {
    MakeKey(root, names, changed);
    if (created != nullptr) *created = *changed;
  });
}

LONG QueryValue(std::u16string_view path, std::u16string_view name, ValueFacts* facts, char16_t* units,
                std::size_t capacity) {
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  if (const Value* value = PendingValue(names, name)) return Facts(*value, facts, units, capacity);
  Refresh(FilePath(), nullptr);
  Key* key = FindKey(loaded.root, names);
  const Entry* entry = key != nullptr ? FindValue(*key, name, loaded.texts) : nullptr;
  if (entry == nullptr) return win::ERROR_FILE_NOT_FOUND;
  facts->type = entry->isNumber() ? win::REG_DWORD : win::REG_SZ;
  facts->units = entry->units();
  facts->number = entry->isNumber() ? entry->number() : 0;
  if (units == nullptr || entry->isNumber()) return win::ERROR_SUCCESS;
  if (capacity < entry->units()) return win::ERROR_MORE_DATA;
  Unquote(loaded.texts.At(entry->text()), units);
  return win::ERROR_SUCCESS;
}

LONG QueryValue(std::u16string_view path, std::u16string_view name, Value* value) {
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  if (const Value* found = PendingValue(names, name)) {
    *value = *found;
    return win::ERROR_SUCCESS;
  }
  Refresh(FilePath(), nullptr);
  Key* key = FindKey(loaded.root, names);
  const Entry* entry = key != nullptr ? FindValue(*key, name, loaded.texts) : nullptr;
  if (entry == nullptr) return win::ERROR_FILE_NOT_FOUND;
  *value = ValueOf(*entry, loaded.texts);
  return win::ERROR_SUCCESS;
}

LONG SetValue(std::u16string_view path, std::u16string_view name, const Value& value) {
  if (value.type != win::REG_SZ && value.type != win::REG_DWORD) return win::ERROR_INVALID_PARAMETER;
  if (value.text.size() > 0x7FFFFFFF) return win::ERROR_INVALID_PARAMETER;
  std::vector<std::u16string> names;
  if (!SplitPath(path, &names)) return win::ERROR_INVALID_PARAMETER;
  const std::lock_guard guard(mutex);
  if (openBatches > 0) {
    pending.push_back({std::move(names), std::u16string(name), value, false});
    return win::ERROR_SUCCESS;
  }
  return Change([&](Key& root, Texts& texts, bool* changed) {
    Key* key = MakeKey(root, names, changed);
    if (Put(*key, name, value, texts)) *changed = true;
  });
}

Batch::Batch() {
  const std::lock_guard guard(mutex);
  ++openBatches;
}

Batch::~Batch() {
  if (open_) Commit();
}

LONG Batch::Commit() {
  const std::lock_guard guard(mutex);
  if (!open_) return win::ERROR_SUCCESS;
  open_ = false;
  return --openBatches == 0 ? CommitPending() : win::ERROR_SUCCESS;
}

}  // namespace platform::registry
