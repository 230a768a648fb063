// The runtime's error object: errors are raised as C++ exceptions carrying number, source and
// description, and caught where the program reports them.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vb {

// Base of the numbers that components combine their own codes with.
constexpr std::int32_t vbObjectError = static_cast<std::int32_t>(0x80040000u);

class Error : public std::exception {
 public:
  Error(std::int32_t number, std::u16string source, std::u16string description);
  std::int32_t Number = 0;
  std::u16string Source;
  std::u16string Description;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

// Raises an error. A runtime error number (below 1000) raised without a description gets the
// runtime's own text for it.
[[noreturn]] void Raise(std::int32_t number, std::u16string source = {}, std::u16string description = {});

// The runtime's text for one of its own error numbers, or "" for a number it does not know.
std::u16string StandardErrorText(std::int32_t number);

// A component's error source: the running program's file name without extension, "." and the tag
// ("WindowProc" gives "quillmark.WindowProc").
std::u16string ErrorSource(std::u16string_view tag);

}  // namespace vb
