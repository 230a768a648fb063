// Helpers shared by the tests.
#pragma once

#include <filesystem>
#include <string>

#include "platform/vb/strings.h"

namespace qmtest {

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

// Readable text of UTF-16 strings in assertion messages.
inline std::string U8(const std::u16string& s) { return vb::ToUtf8(s); }

}  // namespace qmtest
