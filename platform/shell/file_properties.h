// What a properties window shows of one file or folder, as text: its record, its title, its size in
// the shell's short notation, its times, its type and the attribute boxes. The document properties
// window of the program and the shell's object properties window both show a file through these,
// so the two always say the same of the same file.
//
// Times are shown in UTC, as the file system keeps them; a time the file system does not keep (a
// zero file time) reads "<Неизвестно>".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/shell/file_facts.h"

namespace platform::shell {

inline constexpr char16_t kUnknown[] = u"<Неизвестно>";

// The record of the file at `path`; false, and a record of zeros, when there is no such file.
bool GetFileFindData(std::u16string_view path, win::WIN32_FIND_DATAA& record);
std::int64_t SizeOf(const win::WIN32_FIND_DATAA& record);

// The file's name as the desktop shows it; empty for an empty path or one that names no file.
std::u16string GetFileTitleOf(std::u16string_view path);
// The shell's short size text of a byte count ("1,50 КБ"), 64 bits wide.
std::u16string FormatByteSize(std::int64_t bytes);
// "05.03.2006 г., 9:7:3" (day and month with two digits, the time without leading zeros).
std::u16string DateTimeText(const win::FILETIME& time);
// "05.03.2006 г.".
std::u16string DateText(const win::FILETIME& time);
// The desktop's name of the file's type ("Текстовый документ", "Папка"); a type the desktop does
// not know reads as its MIME name.
std::u16string TypeText(std::u16string_view path);

// The attribute boxes, in the order they stand: the bit each one shows and its caption.
struct AttributeBox {
  win::DWORD bit;
  const char16_t* caption;
};
inline constexpr std::array<AttributeBox, 4> kAttributeBoxes{{{win::FILE_ATTRIBUTE_HIDDEN, u"Скрытый"},
                                                              {win::FILE_ATTRIBUTE_SYSTEM, u"Системный"},
                                                              {win::FILE_ATTRIBUTE_READONLY, u"Только чтение"},
                                                              {win::FILE_ATTRIBUTE_ARCHIVE, u"Архивный"}}};

}  // namespace platform::shell
