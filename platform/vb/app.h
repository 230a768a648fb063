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
  // True when another copy of this program runs for the same user. The first call takes this
  // copy's place among the running copies, a shared lock on "$XDG_RUNTIME_DIR/<EXEName>.lock" (or
  // "/tmp/<EXEName>-<uid>.lock") kept for the life of the process, so later copies see this one
  // whatever this one asked; the answer does not change afterwards. A program calls it at start.
  bool PrevInstance() const;
  // The version facts the program carries (its resource VERSION 1, win/resources.h: lines such as
  // "FileVersion=3.0.0.0", "ProductName=Wizard", "FileDescription=Wizard for Quillmark"), read
  // when the application starts; 0 and empty for a program that carries none. The file version's
  // four numbers are Major.Minor.0.Revision.
  int Major = 0;
  int Minor = 0;
  int Revision = 0;
  std::u16string ProductName;
  std::u16string FileDescription;
  void ReadVersionResource();
};

extern AppObject App;

// The bytes of the program's own resource of that type and id (win/resources.h); a resource the
// program does not carry raises 326 (resource not found).
std::vector<std::uint8_t> LoadResData(std::int32_t id, std::u16string_view type);

}  // namespace vb
