#include "controls/library.h"

#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/library.h"

clsLibrary::~clsLibrary() { Unload(); }

void clsLibrary::Unload() {
  if (module_ != 0) win::FreeLibrary(module_);
  module_ = 0;
  filename_.clear();
}

void clsLibrary::SetFilename(const std::u16string& s) {
  Unload();
  filename_ = s;
  if (s.empty()) return;
  module_ = win::LoadLibraryExA(vb::ToUtf8(s), 0, 0);
  if (module_ != 0) return;
  const win::DWORD code = win::GetLastError();
  char buffer[256];
  const win::DWORD n = win::FormatMessageA(win::FORMAT_MESSAGE_FROM_SYSTEM | win::FORMAT_MESSAGE_IGNORE_INSERTS,
                                           nullptr, code, 0, buffer, sizeof buffer, nullptr);
  vb::Raise(vb::vbObjectError + 1049, vb::ErrorSource(u"cLibrary"), vb::FromUtf8(std::string(buffer, n)));
}
