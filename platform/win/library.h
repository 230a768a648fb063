// Dynamically loaded libraries and the platform's last-error texts.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/types.h"

namespace win {

constexpr DWORD ERROR_SUCCESS_CODE = 0;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;

HMODULE LoadLibraryExA(std::string_view fileName, LONG_PTR file, DWORD flags);
BOOL FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, std::string_view name);

DWORD GetLastError();
void SetLastError(DWORD code);
// Writes the platform's text for an error code (with its line break) into buffer, at most size
// characters; returns the number of characters written, 0 when there is no text for the code.
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, char* buffer,
                     DWORD size, void* arguments);

}  // namespace win
