#include "platform/win/library.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstring>
#include <map>

namespace win {
namespace {
DWORD lastError = 0;
// Texts of failures the layer reported itself, by error code: the dynamic loader's own account of
// the last failed load.
std::map<DWORD, std::string>& texts() {
  static std::map<DWORD, std::string> t;
  return t;
}
}  // namespace

HMODULE LoadLibraryExA(std::string_view fileName, LONG_PTR, DWORD) {
  std::string name(fileName);
  for (char& c : name)
    if (c == '\\') c = '/';
  void* h = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (h != nullptr) {
    lastError = 0;
    return reinterpret_cast<HMODULE>(h);
  }
  const char* why = ::dlerror();
  struct stat st {};
  const bool exists = name.find('/') != std::string::npos ? ::stat(name.c_str(), &st) == 0 : false;
  lastError = exists ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND;
  texts()[lastError] = std::string(why != nullptr ? why : "cannot load library") + "\r\n";
  return 0;
}

BOOL FreeLibrary(HMODULE module) {
  if (module == 0) return FALSE;
  return ::dlclose(reinterpret_cast<void*>(module)) == 0 ? TRUE : FALSE;
}

void* GetProcAddress(HMODULE module, std::string_view name) {
  if (module == 0) return nullptr;
  return ::dlsym(reinterpret_cast<void*>(module), std::string(name).c_str());
}

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD code) { lastError = code; }

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, char* buffer, DWORD size, void*) {
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || buffer == nullptr || size == 0) return 0;
  std::string text;
  auto it = texts().find(messageId);
  if (it != texts().end()) {
    text = it->second;
  } else if (messageId != 0 && messageId < 4096) {
    text = std::string(std::strerror(static_cast<int>(messageId))) + "\r\n";
  } else {
    return 0;
  }
  const DWORD n = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

}  // namespace win
