#include "platform/registry/registry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/codepage/codepage.h"
#include "platform/registry/store.h"

namespace win {

namespace {

struct OpenKeyRecord {
  std::u16string path;  // below HKEY_CURRENT_USER, as the caller spelled it
  REGSAM access = 0;
};

std::mutex mutex;  // guards the two below
std::map<HKEY, OpenKeyRecord> openKeys;
HKEY nextHandle = 1;

bool Lookup(HKEY key, OpenKeyRecord* record) {
  if (key == HKEY_CURRENT_USER) {
    *record = OpenKeyRecord{u"", KEY_ALL_ACCESS};
    return true;
  }
  const std::lock_guard guard(mutex);
  const auto it = openKeys.find(key);
  if (it == openKeys.end()) return false;
  *record = it->second;
  return true;
}

HKEY NewHandle(std::u16string path, REGSAM access) {
  const std::lock_guard guard(mutex);
  const HKEY key = nextHandle++;
  openKeys.emplace(key, OpenKeyRecord{std::move(path), access});
  return key;
}

std::u16string Text(const char* bytes) { return bytes != nullptr ? vb::FromWindows1251(bytes) : std::u16string(); }

std::u16string Text(const char16_t* units) { return units != nullptr ? std::u16string(units) : std::u16string(); }

std::u16string SubkeyPath(const std::u16string& base, const std::u16string& sub) {
  if (base.empty()) return sub;
  if (sub.empty()) return base;
  return base + u'\\' + sub;
}

LONG OpenKey(HKEY hKey, const std::u16string& lpSubKey, REGSAM samDesired, HKEY* phkResult) {
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = 0;
  OpenKeyRecord base;
  if (!Lookup(hKey, &base)) return ERROR_INVALID_HANDLE;
  std::u16string path = SubkeyPath(base.path, lpSubKey);
  const LONG result = platform::registry::OpenKey(path);
  if (result != ERROR_SUCCESS) return result;
  *phkResult = NewHandle(std::move(path), samDesired);
  return ERROR_SUCCESS;
}

LONG CreateKey(HKEY hKey, const std::u16string& lpSubKey, REGSAM samDesired, HKEY* phkResult,
               DWORD* lpdwDisposition) {
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = 0;
  OpenKeyRecord base;
  if (!Lookup(hKey, &base)) return ERROR_INVALID_HANDLE;
  std::u16string path = SubkeyPath(base.path, lpSubKey);
  bool created = false;
  const LONG result = platform::registry::CreateKey(path, &created);
  if (result != ERROR_SUCCESS) return result;
  if (lpdwDisposition != nullptr) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *phkResult = NewHandle(std::move(path), samDesired);
  return ERROR_SUCCESS;
}

// Gives `data` (size bytes, or nothing when null) as the query's result; ERROR_MORE_DATA when the
// caller's buffer is too small, with nothing copied.
LONG Answer(const void* data, DWORD size, BYTE* lpData, DWORD* lpcbData) {
  if (lpcbData == nullptr) return ERROR_SUCCESS;
  if (lpData != nullptr) {
    if (*lpcbData < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    if (data != nullptr) std::memcpy(lpData, data, size);
  }
  *lpcbData = size;
  return ERROR_SUCCESS;
}

// Texts travel as Windows-1251 bytes through the A functions.
LONG QueryBytes(const std::u16string& path, const std::u16string& lpValueName, DWORD* lpType, BYTE* lpData,
                DWORD* lpcbData) {
  platform::registry::Value value;
  const LONG result = platform::registry::QueryValue(path, lpValueName, &value);
  if (result != ERROR_SUCCESS) return result;
  std::string data;
  if (value.type == REG_DWORD) {
    for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((value.number >> shift) & 0xFF);
  } else {
    data = vb::ToWindows1251(value.text);
  }
  if (lpType != nullptr) *lpType = value.type;
  return Answer(data.data(), static_cast<DWORD>(data.size()), lpData, lpcbData);
}

// And as UTF-16 units through the W ones, which read a text straight into the caller's buffer (a
// size asked for reads no text at all).
LONG QueryUnits(const std::u16string& path, const std::u16string& lpValueName, DWORD* lpType, BYTE* lpData,
                DWORD* lpcbData) {
  const std::size_t room = lpData != nullptr ? *lpcbData / 2 : 0;
  const bool aligned = reinterpret_cast<std::uintptr_t>(lpData) % alignof(char16_t) == 0;
  std::u16string unaligned(aligned ? 0 : room, u'\0');
  char16_t* units = lpData == nullptr ? nullptr : aligned ? reinterpret_cast<char16_t*>(lpData) : unaligned.data();
  platform::registry::ValueFacts facts;
  const LONG result = platform::registry::QueryValue(path, lpValueName, &facts, units, room);
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return result;
  if (lpType != nullptr) *lpType = facts.type;
  if (facts.type == REG_DWORD) {
    const BYTE number[4] = {static_cast<BYTE>(facts.number), static_cast<BYTE>(facts.number >> 8),
                            static_cast<BYTE>(facts.number >> 16), static_cast<BYTE>(facts.number >> 24)};
    return Answer(number, 4, lpData, lpcbData);
  }
  const auto size = static_cast<DWORD>(facts.units * 2);
  if (result == ERROR_MORE_DATA) return Answer(nullptr, size, lpData, lpcbData);
  return Answer(aligned ? nullptr : unaligned.data(), size, lpData, lpcbData);
}

LONG QueryValue(HKEY hKey, const std::u16string& lpValueName, bool wide, DWORD* lpType, BYTE* lpData,
                DWORD* lpcbData) {
  OpenKeyRecord key;
  if (!Lookup(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return wide ? QueryUnits(key.path, lpValueName, lpType, lpData, lpcbData)
              : QueryBytes(key.path, lpValueName, lpType, lpData, lpcbData);
}

LONG SetValue(HKEY hKey, const std::u16string& lpValueName, bool wide, DWORD dwType, const BYTE* lpData,
              DWORD cbData) {
  OpenKeyRecord key;
  if (!Lookup(hKey, &key)) return ERROR_INVALID_HANDLE;
  if ((key.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (lpData == nullptr && cbData > 0) return ERROR_INVALID_PARAMETER;
  platform::registry::Value value;
  value.type = dwType;
  if (dwType == REG_SZ) {
    if (wide) {
      value.text.resize(cbData / 2);
      if (cbData >= 2) std::memcpy(value.text.data(), lpData, value.text.size() * 2);
    } else {
      value.text = vb::FromWindows1251(std::string_view(reinterpret_cast<const char*>(lpData), cbData));
    }
  } else if (dwType == REG_DWORD && cbData == 4) {
    for (int i = 0; i < 4; ++i) value.number |= static_cast<DWORD>(lpData[i]) << (8 * i);
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  return platform::registry::SetValue(key.path, lpValueName, value);
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, REGSAM samDesired, HKEY* phkResult) {
  return OpenKey(hKey, Text(lpSubKey), samDesired, phkResult);
}
LONG RegOpenKeyExW(HKEY hKey, const char16_t* lpSubKey, DWORD, REGSAM samDesired, HKEY* phkResult) {
  return OpenKey(hKey, Text(lpSubKey), samDesired, phkResult);
}
LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, char*, DWORD, REGSAM samDesired, const void*,
                     HKEY* phkResult, DWORD* lpdwDisposition) {
  return CreateKey(hKey, Text(lpSubKey), samDesired, phkResult, lpdwDisposition);
}
LONG RegCreateKeyExW(HKEY hKey, const char16_t* lpSubKey, DWORD, char16_t*, DWORD, REGSAM samDesired, const void*,
                     HKEY* phkResult, DWORD* lpdwDisposition) {
  return CreateKey(hKey, Text(lpSubKey), samDesired, phkResult, lpdwDisposition);
}
LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  return QueryValue(hKey, Text(lpValueName), false, lpType, lpData, lpcbData);
}
LONG RegQueryValueExW(HKEY hKey, const char16_t* lpValueName, DWORD*, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  return QueryValue(hKey, Text(lpValueName), true, lpType, lpData, lpcbData);
}
LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  return SetValue(hKey, Text(lpValueName), false, dwType, lpData, cbData);
}
LONG RegSetValueExW(HKEY hKey, const char16_t* lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  return SetValue(hKey, Text(lpValueName), true, dwType, lpData, cbData);
}

LONG RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  const std::lock_guard guard(mutex);
  return openKeys.erase(hKey) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace win
