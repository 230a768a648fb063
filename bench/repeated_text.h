// A benchmark's text of a given length: one line again and again, the last time cut where the
// length ends.
#pragma once

#include <cstddef>
#include <string>

inline std::u16string Repeated(const std::u16string& line, std::size_t length) {
  std::u16string text;
  text.reserve(length + line.size());
  while (text.size() < length) text += line;
  text.resize(length);
  return text;
}
