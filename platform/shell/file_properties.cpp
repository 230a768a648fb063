#include "platform/shell/file_properties.h"

#include <QFileInfo>
#include <QMimeDatabase>

#include "platform/vb/file_system.h"

namespace platform::shell {
namespace {

// The text of a buffer up to its first NUL.
std::u16string UpToNul(const std::u16string& buffer) { return buffer.substr(0, buffer.find(u'\0')); }

std::u16string Number(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}
std::u16string TwoDigits(int n) { return (n < 10 ? u"0" : u"") + Number(n); }

// The calendar time (UTC) of a file time; false for a time the file system does not keep.
bool DateOf(const win::FILETIME& time, win::SYSTEMTIME& st) {
  const bool zero = time.dwLowDateTime == 0 && time.dwHighDateTime == 0;
  return !zero && win::FileTimeToSystemTime(&time, &st) != 0;
}

std::u16string DayText(const win::SYSTEMTIME& st) {
  return TwoDigits(st.wDay) + u"." + TwoDigits(st.wMonth) + u"." + Number(st.wYear) + u" г.";
}

}  // namespace

bool GetFileFindData(std::u16string_view path, win::WIN32_FIND_DATAA& record) {
  record = win::WIN32_FIND_DATAA{};
  const win::HANDLE find = win::FindFirstFileA(path, &record);
  if (find == win::INVALID_HANDLE_VALUE) return false;
  win::FindClose(find);
  return true;
}

std::int64_t SizeOf(const win::WIN32_FIND_DATAA& record) {
  return (static_cast<std::int64_t>(record.nFileSizeHigh) << 32) | record.nFileSizeLow;
}

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

std::u16string DateTimeText(const win::FILETIME& time) {
  win::SYSTEMTIME st;
  if (!DateOf(time, st)) return kUnknown;
  return DayText(st) + u", " + Number(st.wHour) + u":" + Number(st.wMinute) + u":" + Number(st.wSecond);
}

std::u16string DateText(const win::FILETIME& time) {
  win::SYSTEMTIME st;
  return DateOf(time, st) ? DayText(st) : kUnknown;
}

std::u16string TypeText(std::u16string_view path) {
  const QFileInfo info(QString::fromStdString(vb::NativePath(path)));
  const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
  const QString comment = type.comment();
  return (comment.isEmpty() ? type.name() : comment).toStdU16String();
}

}  // namespace platform::shell
