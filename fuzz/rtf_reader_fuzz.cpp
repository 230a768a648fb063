// Fuzz target of the RTF reader: any input is read or refused with ReadError, never a crash, a hang
// or a memory fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/richedit/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    platform::rtf::ReadText(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const platform::rtf::ReadError&) {
  }
  return 0;
}
