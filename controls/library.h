// Holds one dynamically loaded library while the object lives or until another file name is set.
#pragma once

#include <string>

#include "platform/win/types.h"

class clsLibrary {
 public:
  clsLibrary() = default;
  ~clsLibrary();
  clsLibrary(const clsLibrary&) = delete;
  clsLibrary& operator=(const clsLibrary&) = delete;

  const std::u16string& Filename() const { return filename_; }
  // Unloads the library held and loads the named one; "" only unloads. A failed load keeps the name,
  // leaves hModule 0 and raises the object-error base + 1049 with the platform's text for the failure.
  void SetFilename(const std::u16string& s);
  win::HMODULE hModule() const { return module_; }

 private:
  void Unload();
  std::u16string filename_;
  win::HMODULE module_ = 0;
};
