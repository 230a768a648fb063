// The facts the shell shows of one file: its find record (attributes, times, size), its times as
// calendar dates, its title, its size in the shell's short notation and its associated icon.
//
// Status on this desktop: the find record comes from the file system's status of that one path (no
// wildcards). Creation is the file system's birth time where it keeps one, else zero (unknown).
// Attributes: hidden for a name starting with ".", read-only when nobody may write the file,
// archive for every regular file (as a new file carries it on the platform), directory; the system
// attribute does not exist here and is never set. A file's title keeps its extension, as the
// desktop's file managers show it. Sizes are written in Russian units.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gdi/types.h"

namespace win {

using WORD = std::uint16_t;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;

constexpr HANDLE INVALID_HANDLE_VALUE = -1;

// 100-nanosecond units since 1 January 1601, UTC, in two 32-bit halves.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;  // 0 Sunday
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  char16_t cFileName[MAX_PATH] = {};
};

// The record of the file at `fileName` ("\" counts as a separator) and a handle to close with
// FindClose; INVALID_HANDLE_VALUE (and `data` untouched) when there is no such file or its folder
// may not be searched.
HANDLE FindFirstFileA(std::u16string_view fileName, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

// The calendar date and time of a file time, UTC. FALSE for times past the year 30827.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);

// The file's title (its name without the folder) into `title`, NUL-terminated: 0 on success, the
// size needed (NUL included) when `size` is too small, -1 for an empty path or one that ends in a
// separator.
std::int16_t GetFileTitleA(std::u16string_view file, char16_t* title, WORD size);

// The shell's short size text: "532 байт", "1,30 КБ", "22,9 КБ", "2,28 МБ", "0,97 КБ" for 1000
// bytes; three significant digits, cut (not rounded). The text goes into `buffer` (NUL-terminated, cut to `size`); returns
// `buffer`, or null when `size` is 0.
char16_t* StrFormatByteSizeA(DWORD bytes, char16_t* buffer, UINT size);
char16_t* StrFormatByteSize64A(std::int64_t bytes, char16_t* buffer, UINT size);

// The icon the desktop shows for the file's type, 32 by 32 pixels (a generic document icon when the
// desktop knows none); 0 when the path is empty. Destroy it with DestroyIcon.
HICON ExtractAssociatedIconA(HINSTANCE instance, std::u16string_view path, WORD* iconIndex);

}  // namespace win
