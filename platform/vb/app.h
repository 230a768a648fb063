// Facts about the running program.
#pragma once

#include <string>

namespace vb {

struct AppObject {
  // The folder of the running executable, without a trailing separator.
  std::u16string Path() const;
  // The executable's file name without extension.
  std::u16string EXEName() const;
  int Major = 3;
  int Minor = 0;
  int Revision = 0;
};

extern AppObject App;

}  // namespace vb
