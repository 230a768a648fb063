// A mark that a running copy of the program holds while it is in a state every copy of the same
// user must respect (the program lock): a lock on the file "<settings folder>/<EXEName>.<name>"
// (user_folders.h), which the system lets go when the copy ends, however it ends. Any copy, the
// holder too, can ask whether one holds it; asking takes nothing, so two copies that ask at once
// both get the true answer.
#pragma once

#include <string_view>

namespace vb {

class CopyMark {
 public:
  // Takes the mark; a mark whose file cannot be made is not held (no copy will see it).
  explicit CopyMark(std::string_view name);
  ~CopyMark();
  CopyMark(const CopyMark&) = delete;
  CopyMark& operator=(const CopyMark&) = delete;

  // True while some copy of the program holds the mark `name`.
  static bool HeldByAnyCopy(std::string_view name);

 private:
  int file_ = -1;
};

}  // namespace vb
