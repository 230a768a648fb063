#include "platform/vb/app.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/vb/error.h"
#include "platform/vb/strings.h"

namespace vb {

AppObject App;

namespace {
std::filesystem::path Executable() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : p;
}
}  // namespace

std::u16string AppObject::Path() const { return FromUtf8(Executable().parent_path().string()); }

std::u16string AppObject::EXEName() const { return FromUtf8(Executable().stem().string()); }

bool AppObject::PrevInstance() const {
  static const bool another = [this] {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string name = ToUtf8(EXEName());
    const std::string path = runtime != nullptr && *runtime != '\0'
                                 ? std::string(runtime) + "/" + name + ".lock"
                                 : "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;  // no lock to be had: count this copy as the only one
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return true;
    }
    return false;  // the descriptor stays open, holding the lock until the process ends
  }();
  return another;
}

std::vector<std::uint8_t> LoadResData(std::int32_t id, std::u16string_view) {
  Raise(326, {}, u"Ресурс с идентификатором '" + CStr(static_cast<std::int64_t>(id)) + u"' не найден");
}

}  // namespace vb
