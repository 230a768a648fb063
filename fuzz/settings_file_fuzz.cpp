// Fuzz target of the settings file's text: any bytes are read or refused as damaged, never a crash,
// a hang or a memory fault; what is read is written back as text that reads to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace reg = platform::registry;
  reg::Key root;
  if (!reg::Parse(std::string_view(reinterpret_cast<const char*>(data), size), &root)) return 0;
  const std::string written = reg::Serialize(root);
  reg::Key again;
  if (!reg::Parse(written, &again) || reg::Serialize(again) != written) std::abort();
  return 0;
}
