// Fuzz target of the settings file's text: any bytes are read, whole or as a damaged file's lines
// that read well, never a crash, a hang or a memory fault; what is read is written back as text
// that reads whole to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace reg = platform::registry;
  reg::Key root;
  reg::Parse(std::string_view(reinterpret_cast<const char*>(data), size), &root);
  const std::string written = reg::Serialize(root);
  reg::Key again;
  if (!reg::Parse(written, &again) || reg::Serialize(again) != written) std::abort();
  return 0;
}
