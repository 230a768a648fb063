// Fuzz target of the settings file's text: any bytes are read, whole or as a damaged file's lines
// that read well, never a crash, a hang or a memory fault; what is read is written back as text
// that reads whole to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace reg = platform::registry;
  reg::Texts texts;
  texts.file.assign(reinterpret_cast<const char*>(data), size);
  reg::Key root;
  reg::Parse(&texts, &root);
  reg::Serialize(root, &texts);
  reg::Texts again;
  again.file = texts.file;
  reg::Key reread;
  if (!reg::Parse(&again, &reread)) std::abort();
  reg::Serialize(reread, &again);
  if (again.file != texts.file) std::abort();
  return 0;
}
