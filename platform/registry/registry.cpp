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

// Texts travel as Windows-1251 bytes through the A functions and as UTF-16 units through the W ones.
LONG QueryValue(HKEY hKey, const std::u16string& lpValueName, bool wide, DWORD* lpType, BYTE* lpData,
                DWORD* lpcbData) {
  OpenKeyRecord key;
  if (!Lookup(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  platform::registry::Value value;
  const LONG result = platform::registry::QueryValue(key.path, lpValueName, &value);
  if (result != ERROR_SUCCESS) return result;
  std::string data;
  if (value.type == REG_DWORD) {
    for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((value.number >> shift) & 0xFF);
  } else {
    data = wide ? std::string(reinterpret_cast<const char*>(value.text.data()), value.text.size() * 2)
                : vb::ToWindows1251(value.text);
  }
  if (lpType != nullptr) *lpType = value.type;
  if (lpcbData == nullptr) return ERROR_SUCCESS;
  const auto size = static_cast<DWORD>(data.size());
  if (lpData != nullptr) {
    if (*lpcbData < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(lpData, data.data(), size);
  }
  *lpcbData = size;
  return ERROR_SUCCESS;
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
