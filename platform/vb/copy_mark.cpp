#include "platform/vb/copy_mark.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/vb/app.h"
#include "platform/vb/strings.h"
#include "platform/vb/user_folders.h"

namespace vb {
namespace {

// The mark's file, opened for locking; -1 when it cannot be.
int OpenMarkFile(std::string_view name) {
  const std::string folder = UserConfigFolder();
  MakeOwnFolder(folder);
  const std::string path = folder + "/" + ToUtf8(App.EXEName()) + "." + std::string(name);
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

// Locks of the open file, not of the process: a copy that asks through a file of its own sees its
// own mark, and closing that file lets nothing go.
struct flock WholeFile(short type) {
  struct flock l{};
  l.l_type = type;
  l.l_whence = SEEK_SET;
  return l;
}

}  // namespace

CopyMark::CopyMark(std::string_view name) : file_(OpenMarkFile(name)) {
  struct flock shared = WholeFile(F_RDLCK);
  if (file_ >= 0 && ::fcntl(file_, F_OFD_SETLK, &shared) != 0) {
    ::close(file_);
    file_ = -1;
  }
}

CopyMark::~CopyMark() {
  if (file_ >= 0) ::close(file_);
}

bool CopyMark::HeldByAnyCopy(std::string_view name) {
  const int file = OpenMarkFile(name);
  if (file < 0) return false;
  struct flock asked = WholeFile(F_WRLCK);
  const bool held = ::fcntl(file, F_OFD_GETLK, &asked) == 0 && asked.l_type != F_UNLCK;
  ::close(file);
  return held;
}

}  // namespace vb
