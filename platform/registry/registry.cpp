#include "platform/registry/registry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/registry/store.h"
#include "platform/vb/codepage.h"

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

std::u16string SubkeyPath(const std::u16string& base, const char* subkey) {
  std::u16string sub = Text(subkey);
  if (base.empty()) return sub;
  if (sub.empty()) return base;
  return base + u'\\' + sub;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult) {
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

LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, char* lpClass, DWORD dwOptions,
                     REGSAM samDesired, const void* lpSecurityAttributes, HKEY* phkResult,
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

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData) {
  OpenKeyRecord key;
  if (!Lookup(hKey, &key)) return ERROR_INVALID_HANDLE;
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  platform::registry::Value value;
  const LONG result = platform::registry::QueryValue(key.path, Text(lpValueName), &value);
  if (result != ERROR_SUCCESS) return result;
  std::string data;
  if (value.type == REG_DWORD) {
    for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((value.number >> shift) & 0xFF);
  } else {
    data = vb::ToWindows1251(value.text);
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

LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
  OpenKeyRecord key;
  if (!Lookup(hKey, &key)) return ERROR_INVALID_HANDLE;
  if ((key.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (lpData == nullptr && cbData > 0) return ERROR_INVALID_PARAMETER;
  platform::registry::Value value;
  value.type = dwType;
  if (dwType == REG_SZ) {
    value.text = vb::FromWindows1251(std::string_view(reinterpret_cast<const char*>(lpData), cbData));
  } else if (dwType == REG_DWORD && cbData == 4) {
    for (int i = 0; i < 4; ++i) value.number |= static_cast<DWORD>(lpData[i]) << (8 * i);
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  return platform::registry::SetValue(key.path, Text(lpValueName), value);
}

LONG RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  const std::lock_guard guard(mutex);
  return openKeys.erase(hKey) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace win
