#include "platform/vb/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace vb {
namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

std::string Folder(const char* variable, const char* underHome) {
  const char* set = std::getenv(variable);
  const std::string base = set != nullptr && set[0] == '/' ? std::string(set) : Home() + underHome;
  return base + "/quillmark";
}

}  // namespace

std::string UserConfigFolder() { return Folder("XDG_CONFIG_HOME", "/.config"); }

std::string UserStateFolder() { return Folder("XDG_STATE_HOME", "/.local/state"); }

bool MakeOwnFolder(const std::string& folder) {
  struct stat st {};
  if (folder.empty() || ::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) || (errno = ENOTDIR, false);
  const auto slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeOwnFolder(folder.substr(0, slash))) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace vb
