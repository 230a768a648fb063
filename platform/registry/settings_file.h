// The settings file on disk, for the store (store.h): the lock that writers take, reading its
// bytes, replacing it in one step, and setting a damaged one aside. Every function here leaves
// errno telling why when it fails.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace platform::registry {

// Held while the settings file is read for a change and replaced: an exclusive flock on
// registry.reg.lock beside it (a lock on the settings file itself would be lost with each rename).
// Writers get it in the order they come, so a process that writes again and again keeps no other
// waiting for more than one of its writes.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& file);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Whether two looks at a path found the same file with the same content: the same inode, size and
// times. The store keeps the file it read open, so its inode cannot be reused for a newer file.
bool SameFile(const struct stat& a, const struct stat& b);

enum class ReadResult { kRead, kNoSettingsFile, kFailed };

// Reads the file's bytes into *bytes, leaving it open in *fd (-1 when there is no file: that reads
// as no bytes). A named pipe in its place is never waited on: it, a device or a socket is no
// settings file (kNoSettingsFile, and *fd -1); a folder cannot be read (kFailed, EISDIR).
ReadResult ReadFile(const std::filesystem::path& file, int* fd, struct stat* id, std::string* bytes);

// Replaces the file by one holding `bytes`, in one step: a temporary file <target>.tmp-XXXXXX,
// flushed to disk and renamed over the file, or over the file a symbolic link points to, so the
// link stays. Temporary files of writers killed mid-way go first. Called under the lock. On
// success *fd is the new file, open (or -1 when it cannot be looked at), and *id its facts.
bool WriteFile(const std::filesystem::path& file, std::string_view bytes, int* fd, struct stat* id);

// Renames a damaged file to <file>.damaged-<local time>, with "-2", "-3", ... when that name is
// taken, and gives the name in *keptAs. Called under the lock. A damaged file behind a link is
// set aside where it lies; a link to something that is no file (a device, a pipe, a socket) is set
// aside itself, so the thing it points to (/dev/zero, say) is never renamed.
bool SetAside(const std::filesystem::path& link, std::filesystem::path* keptAs);

// Closes a file the store kept open, on a thread kept for that: closing the last hold on a file that
// another one replaced frees its blocks, which takes milliseconds a read or a write need not wait
// for. Called under the store's lock.
void CloseLater(int fd);

// Makes the folder and any missing folders above it, readable by their owner only.
bool MakeFolder(const std::filesystem::path& folder);

// Says once per run and file, on the standard error, that settings cannot be written; the file
// keeps what it holds.
void ReportWriteFailure(const std::filesystem::path& file, int error);

}  // namespace platform::registry
