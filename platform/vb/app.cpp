#include "platform/vb/app.h"

#include <filesystem>

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

}  // namespace vb
