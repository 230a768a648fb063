// A sample document for the benchmarks: about `megabytes` MB of Windows-1251 text in CR LF lines of
// some 60 characters ("Привет, мир!" and an English sentence), written to the temporary folder
// under `name`.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

inline std::filesystem::path Windows1251SampleFile(const std::string& name, std::size_t megabytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream out(path, std::ios::binary);
  const std::string line = "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! The quick brown fox jumps over the lazy dog.\r\n";
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  for (std::size_t size = 0; size < megabytes * 1024 * 1024; size += block.size()) out << block;
  return path;
}
