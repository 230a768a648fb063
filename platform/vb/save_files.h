// Inside the layer only: the files a safe write (file_system.h) makes while it works, and the
// paths it works on.
//
// Every such file is made anew, named after its target, and locked for as long as its write holds
// it open, so a file whose lock can be taken belongs to a write that is over or was killed. Two
// kinds: a new file written whole and then renamed over its target (left behind, it holds nothing
// the target lacks: the target was never touched), and a recovery copy (recovery_copy.h). Names:
// ".~" + the start of the target's name + "." + a hash + "." + six random characters + ".qmsave",
// at most 92 bytes, so they fit beside any name.
#pragma once

#include "platform/layer_only.h"

#include <functional>
#include <string>
#include <string_view>

namespace vb::save {

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.release()) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.release();
    }
    return *this;
  }
  ~Fd() { Close(); }
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void Close();

 private:
  int fd_ = -1;
};

struct Split {
  std::string folder;  // "." for a bare name
  std::string name;
};
Split SplitPath(const std::string& native);

// The file a chain of symbolic links ends at (which need not exist yet); raises the file error of
// a link that cannot be read or a loop.
std::string FollowLinks(std::string path);

// The path with its folder made absolute and free of links (the path itself when that folder
// cannot be resolved).
std::string IdentityPath(const std::string& target);

// Writes all of `bytes` at `offset`; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes, long long offset = 0);
// Reads exactly `count` bytes at `at`; false when the file is shorter or cannot be read.
bool ReadAt(int fd, char* to, std::size_t count, long long at);

void SyncFolder(const std::string& folder);

// A file being written: removed when the object goes unless it was kept.
class Temp {
 public:
  Temp() = default;
  Temp(const Temp&) = delete;
  Temp& operator=(const Temp&) = delete;
  ~Temp() { Discard(); }
  const std::string& path() const { return path_; }
  int fd() const { return file_.get(); }
  // Closes the file, leaving it where it is.
  void Keep() { file_.Close(); }
  // Removes the file unless it was kept.
  void Discard();

 private:
  friend bool MakeTempIn(const std::string&, const std::string&, Temp&, int*);
  std::string path_;
  Fd file_;
};

// A new file in `folder` whose name begins with `stem`, locked; false with *error set when the
// folder takes none.
bool MakeTempIn(const std::string& folder, const std::string& stem, Temp& temp, int* error);

// The start of the names of a target's files beside it (the hash is of its name) and in another
// folder (the hash is of its identity path).
std::string StemBeside(const Split& target);
std::string StemElsewhere(const Split& target, const std::string& identityPath);

// Runs `f(path, fd)` for each file of a safe write in `folder` whose name begins with `stem` (any
// such file when `stem` is empty) and that no write holds, with the file open and locked
// (`exclusive` or shared).
void ForEachUnheld(const std::string& folder, const std::string& stem, bool exclusive,
                   const std::function<void(const std::string& path, int fd)>& f);

}  // namespace vb::save
