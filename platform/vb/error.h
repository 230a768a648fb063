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

// The runtime's own error numbers.
namespace err {
constexpr std::int32_t kInvalidProcedureCall = 5;
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kSubscriptOutOfRange = 9;
constexpr std::int32_t kDivisionByZero = 11;
constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kCannotPerformOperation = 17;
constexpr std::int32_t kBadFileNameOrNumber = 52;
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kBadFileMode = 54;
constexpr std::int32_t kFileAlreadyOpen = 55;
constexpr std::int32_t kDeviceIOError = 57;
constexpr std::int32_t kFileAlreadyExists = 58;
constexpr std::int32_t kDiskFull = 61;
constexpr std::int32_t kInputPastEndOfFile = 62;
constexpr std::int32_t kBadRecordNumber = 63;
constexpr std::int32_t kTooManyFiles = 67;
constexpr std::int32_t kDeviceUnavailable = 68;
constexpr std::int32_t kPermissionDenied = 70;
constexpr std::int32_t kDiskNotReady = 71;
constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::int32_t kPathNotFound = 76;
constexpr std::int32_t kObjectVariableNotSet = 91;
constexpr std::int32_t kInvalidFileFormat = 321;
constexpr std::int32_t kControlArrayElementMissing = 340;
constexpr std::int32_t kObjectAlreadyLoaded = 360;
constexpr std::int32_t kObjectWasUnloaded = 364;
constexpr std::int32_t kInvalidPropertyValue = 380;
constexpr std::int32_t kInvalidPropertyArrayIndex = 381;
constexpr std::int32_t kPropertyIsReadOnly = 383;
constexpr std::int32_t kFormAlreadyShown = 400;
constexpr std::int32_t kKeyAlreadyInCollection = 457;
constexpr std::int32_t kInvalidPicture = 481;
constexpr std::int32_t kPrinterError = 482;
}  // namespace err

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
