#include "platform/win/program_module.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

namespace platform::detail {
namespace {

// The folder of the running executable, from the kernel's link to it.
std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string whole(path, static_cast<std::size_t>(n));
  const std::size_t slash = whole.rfind('/');
  return slash == std::string::npos ? "." : whole.substr(0, slash);
}

}  // namespace

void* ProgramModuleEntry(const char* file, const char* entry) {
  static std::mutex mutex;
  static std::map<std::string, void*> loaded;  // file: its handle, or null when it failed
  std::lock_guard lock(mutex);
  auto it = loaded.find(file);
  if (it == loaded.end()) {
    const std::string path = ExecutableFolder() + "/" + file;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) std::fprintf(stderr, "quillmark: %s\n", ::dlerror());
    it = loaded.emplace(file, handle).first;
  }
  return it->second != nullptr ? ::dlsym(it->second, entry) : nullptr;
}

}  // namespace platform::detail
