// Inside the layer only: the files a safe write (file_system.h) makes while it works, and the
// paths it works on.
//
// Every such file is made anew, named after its target, and locked for as long as its write holds
// it open, so a file whose lock can be taken belongs to a write that is over or was killed. Two
// kinds:
// - a new file written whole and then renamed over its target; left behind, it holds nothing the
//   target lacks (the target was never touched);
// - a recovery copy: the whole new content, flushed, made before a target is rewritten in place,
//   and removed once the rewritten target is complete and flushed. It closes with a record that
//   names its target and checks its content, so a complete copy is told from one cut short. A
//   complete copy left behind means the rewrite may have been cut short: the target may hold old
//   text, new text or a mixture, and the copy holds the new text whole.
// Both lie beside the target; a recovery copy goes to the user's state folder instead when the
// target's folder takes no new file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Writes all of `bytes` at `offset`; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes, long long offset = 0);

// A file being written: removed when the object goes unless it was kept.
class Temp {
 public:
  Temp() = default;
  Temp(const Temp&) = delete;
  Temp& operator=(const Temp&) = delete;
  ~Temp();
  const std::string& path() const { return path_; }
  int fd() const { return file_.get(); }
  // Closes the file, leaving it where it is.
  void Keep() { file_.Close(); }

 private:
  friend bool MakeTempIn(const std::string&, const std::string&, Temp&, int*);
  std::string path_;
  Fd file_;
};

// A new file in `folder` named from `stem`, locked; false with *error set when the folder takes none.
bool MakeTempIn(const std::string& folder, const std::string& stem, Temp& temp, int* error);
// A new file beside `target`, locked; false with *error set when its folder takes none.
bool MakeTempBeside(const Split& target, Temp& temp, int* error);

// Makes a recovery copy of `bytes` for `target` (its real path): beside it, or in the user's state
// folder when its folder takes no file. Raises the file error when neither takes it (a full disk,
// say): then no rewrite in place may begin.
void MakeRecoveryCopy(const std::string& target, std::string_view bytes, Temp& copy);

// The complete recovery copies of `target`, newest first, with their content. Copies still being
// written are left out.
struct Copy {
  std::string path;
  std::string bytes;
};
std::vector<Copy> CompleteCopies(const std::string& target);

// Removes what writes of `target` left behind when they were killed: the files that hold nothing
// to recover, and also the complete recovery copies when `copiesToo` (the target was just written
// whole). Files of writes still under way stay.
void RemoveLeftovers(const std::string& target, bool copiesToo);

}  // namespace vb::save
