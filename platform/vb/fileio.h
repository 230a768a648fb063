// The runtime's numbered files: Open ... For Input / Output / Append / Binary As #n, Print #,
// Line Input #, Input, Get / Put, Close, FreeFile. Text goes to and from the file as Windows-1251
// bytes; Print # ends a line with CR LF, Line Input # takes CR LF, LF or CR as a line's end. Paths
// may use "\" as a separator. Failures raise the runtime's errors: 52 bad file number, 53 file not
// found, 54 bad file mode, 55 file already open, 57 device input/output error, 61 disk full,
// 62 input past end of file, 70 permission denied, 75 path/file access error, 76 path not found.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace vb {

enum class OpenMode { Input, Output, Append, Binary };

// The lowest file number not in use (1 to 511).
int FreeFile();
void Open(std::u16string_view path, OpenMode mode, int fileNumber);
void Close(int fileNumber);
// Closes every open file.
void Close();

// Print #n, text (a line with CR LF), or Print #n, text; (no line end).
void Print(int fileNumber, std::u16string_view text, bool newLine = true);
std::u16string LineInput(int fileNumber);
// Input(count, #n): the next count characters.
std::u16string Input(std::int32_t count, int fileNumber);
bool Eof(int fileNumber);
std::int64_t LOF(int fileNumber);
// The 1-based position of the next read or write.
std::int64_t Seek(int fileNumber);

// Binary files. A position of 0 means the current position; positions are 1-based.
void Put(int fileNumber, std::int64_t position, std::string_view bytes);
std::string Get(int fileNumber, std::int64_t position, std::size_t count);
template <class T>
void PutValue(int fileNumber, std::int64_t position, const T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  Put(fileNumber, position, std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}
template <class T>
T GetValue(int fileNumber, std::int64_t position) {
  static_assert(std::is_trivially_copyable_v<T>);
  const std::string bytes = Get(fileNumber, position, sizeof(T));
  T value{};
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

}  // namespace vb
