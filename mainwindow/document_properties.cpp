#include "mainwindow/document_properties.h"

#include "platform/shell/file_facts.h"

namespace modDocumentProperties {
namespace {

// The text of a buffer up to its first NUL.
std::u16string UpToNul(const std::u16string& buffer) { return buffer.substr(0, buffer.find(u'\0')); }

}  // namespace

std::u16string GetFileTitleOf(std::u16string_view path) {
  std::u16string buffer(250, u'\0');
  if (win::GetFileTitleA(path, buffer.data(), static_cast<win::WORD>(buffer.size())) != 0) return {};
  return UpToNul(buffer);
}

std::u16string FormatByteSize(std::int64_t bytes) {
  std::u16string buffer(255, u' ');
  win::StrFormatByteSize64A(bytes, buffer.data(), static_cast<win::UINT>(buffer.size()));
  return UpToNul(buffer);
}

}  // namespace modDocumentProperties
