#include "platform/vb/app.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/resources.h"

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

namespace {

// Every running copy holds a shared lock on the copies file for its life, so a copy that starts
// sees all that run, whichever of them asked for the check. Starting copies take turns on the
// start file, so two that start at once do not both find themselves alone.
bool TakePlaceAmongCopies(const std::string& copies) {
  const std::string start = copies + ".start";
  const int turn = ::open(start.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  while (turn >= 0 && ::flock(turn, LOCK_EX) != 0 && errno == EINTR) {
  }
  bool another = false;
  const int probe = ::open(copies.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (probe >= 0) {
    another = ::flock(probe, LOCK_EX | LOCK_NB) != 0;  // fails while any copy holds its place
    ::close(probe);
    const int place = ::open(copies.c_str(), O_RDWR | O_CLOEXEC);
    // The descriptor stays open, holding this copy's place until the process ends.
    if (place >= 0 && ::flock(place, LOCK_SH | LOCK_NB) != 0) ::close(place);
  }
  if (turn >= 0) ::close(turn);  // the next starting copy's turn
  return another;  // no lock to be had: this copy counts as the only one
}

}  // namespace

bool AppObject::PrevInstance() const {
  static const bool another = [this] {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string name = ToUtf8(EXEName());
    return TakePlaceAmongCopies(runtime != nullptr && *runtime != '\0'
                                    ? std::string(runtime) + "/" + name + ".lock"
                                    : "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock");
  }();
  return another;
}

void AppObject::ReadVersionResource() {
  const auto bytes = platform::resources::Read(win::GetModuleHandleA(nullptr), u"VERSION", 1);
  if (!bytes) return;
  std::istringstream lines(std::string(bytes->begin(), bytes->end()));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::u16string value = FromUtf8(line.substr(eq + 1));
    if (key == "ProductName") {
      ProductName = value;
    } else if (key == "FileDescription") {
      FileDescription = value;
    } else if (key == "FileVersion") {
      int numbers[4] = {0, 0, 0, 0};
      std::istringstream parts(line.substr(eq + 1));
      std::string part;
      for (int i = 0; i < 4 && std::getline(parts, part, '.'); ++i) numbers[i] = std::atoi(part.c_str());
      Major = numbers[0];
      Minor = numbers[1];
      Revision = numbers[3];
    }
  }
}

std::vector<std::uint8_t> LoadResData(std::int32_t id, std::u16string_view type) {
  if (auto bytes = platform::resources::Read(win::GetModuleHandleA(nullptr), type, id)) return std::move(*bytes);
  Raise(326, {}, u"Ресурс с идентификатором '" + CStr(static_cast<std::int64_t>(id)) + u"' не найден");
}

}  // namespace vb
