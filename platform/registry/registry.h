// The platform's registry functions for the current user's keys, kept in the settings file
// (platform/registry/store.h). Key paths, value names and texts passed to and returned by these
// functions are bytes in the platform's single-byte code page, Windows-1251; the file holds every
// text as UTF-8. Only text (REG_SZ) and 32-bit (REG_DWORD) values are kept.
#pragma once

#include <cstdint>

#include "platform/win/errors.h"
#include "platform/win/types.h"

namespace win {

// An open key: a small positive number handed out by the layer and never reused, or a predefined
// root. Pointer-sized, as the platform's key handles are.
using HKEY = std::intptr_t;
using REGSAM = DWORD;

// The platform's predefined root, sign-extended to pointer size as a 32-bit handle value is.
constexpr HKEY HKEY_CURRENT_USER = static_cast<HKEY>(static_cast<LONG>(0x80000001u));

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

// Access rights: a value can be read only through a key opened with KEY_QUERY_VALUE and written
// only through one opened with KEY_SET_VALUE; otherwise the call gives ERROR_ACCESS_DENIED.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key below hKey; lpSubKey null or "" opens hKey's own key again. On failure
// *phkResult is 0 and the result is ERROR_FILE_NOT_FOUND (no such key), ERROR_INVALID_HANDLE or
// ERROR_INVALID_PARAMETER (an empty or control character key name).
LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);

// Opens a key, creating it and any missing keys above it first. lpClass, dwOptions and
// lpSecurityAttributes are not used. *lpdwDisposition (when given) tells REG_CREATED_NEW_KEY or
// REG_OPENED_EXISTING_KEY. ERROR_REGISTRY_IO_FAILED when the settings file cannot be written.
LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, char* lpClass, DWORD dwOptions,
                     REGSAM samDesired, const void* lpSecurityAttributes, HKEY* phkResult,
                     DWORD* lpdwDisposition);

// Reads a value (lpValueName null is the name ""). *lpType gets its type. With lpData null,
// *lpcbData gets the data size; otherwise *lpcbData is the buffer size on entry and the data size on
// return, and a buffer too small gives ERROR_MORE_DATA with nothing copied. A text's data is its
// Windows-1251 bytes without a terminating NUL; a 32-bit value's is 4 bytes, low byte first.
// ERROR_FILE_NOT_FOUND when there is no such value.
LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData);

// Writes a value: REG_SZ takes cbData Windows-1251 bytes as the text (a NUL among them is kept as a
// character), REG_DWORD exactly 4 bytes, low byte first. Other types are ERROR_INVALID_PARAMETER.
// ERROR_REGISTRY_IO_FAILED when the settings file cannot be written; the store is then unchanged.
LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData);

// The same four with UTF-16 names and texts: a text's data is its UTF-16 units, two bytes each,
// without a terminating NUL. They lose no character, where the A functions' code page would.
LONG RegOpenKeyExW(HKEY hKey, const char16_t* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);
LONG RegCreateKeyExW(HKEY hKey, const char16_t* lpSubKey, DWORD Reserved, char16_t* lpClass, DWORD dwOptions,
                     REGSAM samDesired, const void* lpSecurityAttributes, HKEY* phkResult,
                     DWORD* lpdwDisposition);
LONG RegQueryValueExW(HKEY hKey, const char16_t* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData);
LONG RegSetValueExW(HKEY hKey, const char16_t* lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData);
LONG RegCloseKey(HKEY hKey);

}  // namespace win
