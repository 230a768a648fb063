// Helpers shared by the tests.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <malloc.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A sanitizer's allocator keeps the heap in place of the C library's (HeapInUse).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QM_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QM_UNDER_SANITIZER 1
#endif
#endif
#if QM_UNDER_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

#include "platform/testing/media.h"
#include "platform/vb/error.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"

namespace qmtest {

// The bytes the heap holds for the program now: the C library's count, or under a sanitizer (whose
// allocator keeps the heap instead) the sanitizer's own.
inline double HeapInUse() {
#if QM_UNDER_SANITIZER
  return static_cast<double>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
#endif
}

// A fresh empty folder under the system's temporary folder, removed when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string d = (std::filesystem::temp_directory_path() / "qm-case-XXXXXX").string();
    if (mkdtemp(d.data()) != nullptr) path_ = d;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A folder that lives as long as the test program runs (the shared main makes and removes it).
const std::filesystem::path& RunFolder();

// Gives an environment variable a value while it lives, and back its value before (or none) when it
// goes. It changes the environment only while the sound player's thread rests: starting a sound,
// that thread reads the environment, and a change meanwhile may pull it from under the reader.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const std::string& value) : name_(name) {
    platform::testing::WaitForSoundPlayer();
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    setenv(name, value.c_str(), 1);
  }
  ~EnvironmentValue() {
    platform::testing::WaitForSoundPlayer();
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvironmentValue(const EnvironmentValue&) = delete;
  EnvironmentValue& operator=(const EnvironmentValue&) = delete;

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// Points the settings store at a fresh empty folder (XDG_CONFIG_HOME) while it lives, and back to
// the folder before when it goes.
class FreshSettings {
 public:
  FreshSettings() = default;
  FreshSettings(const FreshSettings&) = delete;
  FreshSettings& operator=(const FreshSettings&) = delete;
  // The folder that XDG_CONFIG_HOME names.
  const std::filesystem::path& folder() const { return dir_.path(); }

 private:
  TempDir dir_;
  EnvironmentValue env_{"XDG_CONFIG_HOME", dir_.path().string()};
};

// Counts the times a file is replaced by another renamed over it (as the settings store writes)
// from now on, through inotify on its folder, which is made when missing. The kernel notes a rename
// as it happens, so the count is right at once.
class FileReplacements {
 public:
  explicit FileReplacements(const std::filesystem::path& file) : name_(file.filename().string()) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The kernel merges an event with the same one still unread before it: the temporary file
    // made before each rename, with a name of its own, stands between two renames.
    inotify_add_watch(fd_, file.parent_path().c_str(), IN_MOVED_TO | IN_CREATE);
  }
  ~FileReplacements() { close(fd_); }
  FileReplacements(const FileReplacements&) = delete;
  FileReplacements& operator=(const FileReplacements&) = delete;

  int Count() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if ((event->mask & IN_MOVED_TO) != 0 && event->len > 0 && name_ == event->name) ++count_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return count_;
  }

 private:
  std::string name_;
  int fd_ = -1;
  int count_ = 0;
};

// Points the user's state folder (XDG_STATE_HOME, where the program keeps its recovery copies) at a
// fresh empty folder while it lives, and back to the folder before when it goes.
class FreshStateFolder {
 public:
  FreshStateFolder() = default;
  FreshStateFolder(const FreshStateFolder&) = delete;
  FreshStateFolder& operator=(const FreshStateFolder&) = delete;
  // The program's own folder in it.
  std::filesystem::path folder() const { return dir_.path() / "quillmark"; }

 private:
  TempDir dir_;
  EnvironmentValue env_{"XDG_STATE_HOME", dir_.path().string()};
};

// The whole content of a file, as text or (Bytes = std::vector<std::uint8_t>) as bytes; empty when
// it cannot be read.
template <class Bytes = std::string>
Bytes ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  const std::string s{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return Bytes(s.begin(), s.end());
}

// Writes the file's whole content, making its folder when it is missing.
inline void WriteBytes(const std::filesystem::path& p, std::string_view bytes) {
  std::error_code ec;
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
  WriteBytes(p, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A playable wave file of `samples` silent samples: mono, 8 bits, 8000 a second.
inline std::string SilentWave(std::uint32_t samples) {
  std::string w = "RIFF";
  const auto u32 = [&](std::uint32_t v) { w.append(reinterpret_cast<const char*>(&v), 4); };
  const auto u16 = [&](std::uint16_t v) { w.append(reinterpret_cast<const char*>(&v), 2); };
  u32(36 + samples);
  w += "WAVEfmt ";
  u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
  w += "data";
  u32(samples);
  w.append(samples, '\x80');
  return w;
}

// Makes a folder unwritable while it lives: no write permission and, for root (whom permissions do
// not stop), the file system's immutable flag. ok() is false when that could not be done.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (geteuid() == 0) immutable_ = SetImmutable(true);
  }
  ~UnwritableFolder() {
    if (immutable_) SetImmutable(false);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
  }
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;
  bool ok() const { return geteuid() != 0 || immutable_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0) close(fd);
    return done;
  }

  std::filesystem::path folder_;
  bool immutable_ = false;
};

// Limits the size of files this process writes while it lives, as a full disk would: a write past
// the limit fails (EFBIG) instead of stopping the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_ {};
  void (*oldSignal_)(int) = SIG_DFL;
};

// Readable text of UTF-16 strings in assertion messages.
inline std::string U8(const std::u16string& s) { return vb::ToUtf8(s); }

// A path as the program's functions take it.
inline std::u16string U(const std::filesystem::path& p) { return vb::FromUtf8(p.string()); }

// The number of the runtime error f raises, or 0 when it raises none.
inline int ErrorNumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}

}  // namespace qmtest
