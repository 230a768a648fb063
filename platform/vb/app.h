// Facts about the running program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

struct AppObject {
  // The folder of the running executable, without a trailing separator.
  std::u16string Path() const;
  // The executable's file name without extension.
  std::u16string EXEName() const;
  // True when another copy of this program runs for the same user (with the same settings folder,
  // user_folders.h). The first call takes this copy's place among the running copies, a shared lock
  // on "<settings folder>/<EXEName>.lock" kept for the life of the process, so later copies see
  // this one whatever this one asked; the process keeps its answer. A program calls it at
  // start.
  bool PrevInstance() const;
  int Major = 3;
  int Minor = 0;
  int Revision = 0;
};

extern AppObject App;

// The bytes of the program's own resource of that type and id. The program carries no resources,
// so this always raises 326 (resource not found).
std::vector<std::uint8_t> LoadResData(std::int32_t id, std::u16string_view type);

}  // namespace vb
