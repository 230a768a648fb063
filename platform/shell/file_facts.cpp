#include "platform/shell/file_facts.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QStyle>
#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "platform/gdi/objects.h"
#include "platform/vb/file_system.h"

namespace win {
namespace {

// Seconds from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kEpochDifference = 11644473600LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

std::set<HANDLE>& OpenFinds() {
  static std::set<HANDLE> finds;
  return finds;
}

FILETIME ToFileTime(std::int64_t seconds, std::uint32_t nanoseconds) {
  const std::int64_t ticks = (seconds + kEpochDifference) * kTicksPerSecond + nanoseconds / 100;
  if (ticks <= 0) return {};
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32)};
}

FILETIME ToFileTime(const struct statx_timestamp& t) { return ToFileTime(t.tv_sec, t.tv_nsec); }

DWORD AttributesOf(const struct statx& st, std::u16string_view name) {
  DWORD attributes = 0;
  if (!name.empty() && name.front() == u'.') attributes |= FILE_ATTRIBUTE_HIDDEN;
  if ((st.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (S_ISDIR(st.stx_mode)) {
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  } else {
    attributes |= FILE_ATTRIBUTE_ARCHIVE;
  }
  return attributes;
}

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

// Writes `text` into a caller's buffer of `size` units, cut to fit with its NUL.
char16_t* CopyOut(const std::u16string& text, char16_t* buffer, UINT size) {
  if (buffer == nullptr || size == 0) return nullptr;
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::copy_n(text.begin(), n, buffer);
  buffer[n] = 0;
  return buffer;
}

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

HANDLE FindFirstFileA(std::u16string_view fileName, WIN32_FIND_DATAA* data) {
  if (fileName.empty() || data == nullptr) return INVALID_HANDLE_VALUE;
  const std::string native = vb::NativePath(fileName);
  struct statx st {};
  if (statx(AT_FDCWD, native.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) return INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA record;
  const std::u16string name = vb::FileTitleOf(fileName);
  record.dwFileAttributes = AttributesOf(st, name);
  if ((st.stx_mask & STATX_BTIME) != 0) record.ftCreationTime = ToFileTime(st.stx_btime);
  record.ftLastAccessTime = ToFileTime(st.stx_atime);
  record.ftLastWriteTime = ToFileTime(st.stx_mtime);
  const std::uint64_t size = S_ISDIR(st.stx_mode) ? 0 : st.stx_size;
  record.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  record.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
  CopyOut(name, record.cFileName, MAX_PATH);
  *data = record;
  static HANDLE next = 0x4000;
  const HANDLE find = ++next;
  OpenFinds().insert(find);
  return find;
}

BOOL FindClose(HANDLE find) { return OpenFinds().erase(find) > 0 ? TRUE : FALSE; }

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (fileTime == nullptr || systemTime == nullptr) return FALSE;
  const std::uint64_t ticks = (static_cast<std::uint64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
  if (ticks >= 0x8000000000000000ULL) return FALSE;
  const std::int64_t totalSeconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
  std::int64_t days = totalSeconds / 86400;
  const std::int64_t secondOfDay = totalSeconds % 86400;
  SYSTEMTIME t;
  t.wMilliseconds = static_cast<WORD>((ticks % kTicksPerSecond) / 10000);
  t.wHour = static_cast<WORD>(secondOfDay / 3600);
  t.wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  t.wSecond = static_cast<WORD>(secondOfDay % 60);
  t.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1 January 1601 was a Monday
  // Days since 1601-01-01 to a civil date (proleptic Gregorian), counted from 1 March 1600.
  days += 306;  // 1 March 1600 to 1 January 1601
  const std::int64_t era = days / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = 1600 + yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  if (year > 30827) return FALSE;
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  *systemTime = t;
  return TRUE;
}

std::int16_t GetFileTitleA(std::u16string_view file, char16_t* title, WORD size) {
  if (file.empty() || IsSeparator(file.back())) return -1;
  const std::u16string name = vb::FileTitleOf(file);
  if (name.empty()) return -1;
  if (title == nullptr || size < name.size() + 1) return static_cast<std::int16_t>(name.size() + 1);
  CopyOut(name, title, size);
  return 0;
}

char16_t* StrFormatByteSizeA(DWORD bytes, char16_t* buffer, UINT size) {
  return StrFormatByteSize64A(bytes, buffer, size);
}

char16_t* StrFormatByteSize64A(std::int64_t bytes, char16_t* buffer, UINT size) {
  if (bytes < 1000) return CopyOut(Ascii(std::to_string(bytes)) + u" байт", buffer, size);
  static const char16_t* const kUnits[] = {u"КБ", u"МБ", u"ГБ", u"ТБ", u"ПБ", u"ЭБ"};
  // The value in the smallest unit that writes it in three digits before the comma, in hundredths,
  // cut.
  int unit = 0;
  long double value = static_cast<long double>(bytes) / 1024;
  while (value >= 1000 && unit < 5) {
    value /= 1024;
    ++unit;
  }
  const auto hundredths = static_cast<std::int64_t>(value * 100);
  const std::int64_t whole = hundredths / 100;
  std::string digits;
  if (whole >= 100) {
    digits = std::to_string(whole);
  } else if (whole >= 10) {
    digits = std::to_string(whole) + "," + std::to_string(hundredths / 10 % 10);
  } else {
    const int cents = static_cast<int>(hundredths % 100);
    digits = std::to_string(whole) + "," + std::to_string(cents / 10) + std::to_string(cents % 10);
  }
  return CopyOut(Ascii(digits) + u" " + kUnits[unit], buffer, size);
}

namespace {

constexpr int kAssociatedIconSize = 32;

// The desktop's picture of a file type, drawn once for each type: the toolkit keeps every icon it
// draws in its pixmap cache, so drawing it again at each opening of a window would keep one more
// picture each time.
QImage AssociatedPicture(const QMimeType& type) {
  static QHash<QString, QImage> drawn;
  if (const auto it = drawn.constFind(type.name()); it != drawn.constEnd()) return *it;
  QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
  if (icon.isNull() && QApplication::style() != nullptr) icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
  constexpr int kSize = kAssociatedIconSize;
  QImage picture(kSize, kSize, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  if (!icon.isNull()) {
    const QImage image = icon.pixmap(kSize, kSize).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage fitted = image.size() == picture.size() ? image : image.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < fitted.height(); ++y)
      for (int x = 0; x < fitted.width(); ++x) picture.setPixel(x, y, fitted.pixel(x, y));
  }
  drawn.insert(type.name(), picture);
  return picture;
}

}  // namespace

HICON ExtractAssociatedIconA(HINSTANCE, std::u16string_view path, WORD* iconIndex) {
  if (path.empty()) return 0;
  if (iconIndex != nullptr) *iconIndex = 0;
  const QFileInfo info(QString::fromStdString(vb::NativePath(path)));
  const QImage picture = AssociatedPicture(QMimeDatabase().mimeTypeForFile(info));
  constexpr int kSize = kAssociatedIconSize;
  platform::gdi::Icon result;
  result.image.width = kSize;
  result.image.height = kSize;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const QRgb p = picture.pixel(x, y);
      result.image.colour.push_back(p);
      result.image.mask.push_back(qAlpha(p) == 0 ? 1 : 0);
    }
  result.hotX = kSize / 2;
  result.hotY = kSize / 2;
  return platform::gdi::Add(std::move(result));
}

}  // namespace win
