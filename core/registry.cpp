#include "core/registry.h"

#include <algorithm>

#include "platform/vb/codepage.h"

namespace modRegistry {

std::optional<std::u16string> ReadRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name) {
  const std::string subkey = vb::ToWindows1251(path);
  const std::string valueName = vb::ToWindows1251(name);
  win::HKEY key = 0;
  // A failed open leaves key 0, and the queries below then fail.
  win::RegOpenKeyExA(root, subkey.c_str(), 0, win::KEY_QUERY_VALUE, &key);
  std::optional<std::u16string> result;
  win::DWORD type = 0;
  win::DWORD size = 0;
  if (win::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == win::ERROR_SUCCESS &&
      type == win::REG_SZ) {
    std::string buffer(size, ' ');
    // The value may have changed since the size was asked for (another process); only the bytes
    // the query reports belong to it.
    if (win::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<win::BYTE*>(buffer.data()),
                              &size) == win::ERROR_SUCCESS &&
        type == win::REG_SZ) {
      buffer.resize(size);
      std::u16string text = vb::FromWindows1251(buffer);
      text.resize(std::min(text.find(u'\0'), text.size()));
      result = std::move(text);
    }
  }
  win::RegCloseKey(key);
  return result;
}

void WriteRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name,
                         std::u16string_view text) {
  const std::string subkey = vb::ToWindows1251(path);
  win::HKEY key = 0;
  if (win::RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE, win::KEY_SET_VALUE,
                           nullptr, &key, nullptr) != win::ERROR_SUCCESS)
    return;
  const std::string data = vb::ToWindows1251(text);
  win::RegSetValueExA(key, vb::ToWindows1251(name).c_str(), 0, win::REG_SZ,
                      reinterpret_cast<const win::BYTE*>(data.data()), static_cast<win::DWORD>(data.size()));
  win::RegCloseKey(key);
}

std::int32_t ReadRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name) {
  const std::string subkey = vb::ToWindows1251(path);
  win::HKEY key = 0;
  win::RegOpenKeyExA(root, subkey.c_str(), 0, win::KEY_QUERY_VALUE, &key);
  win::BYTE data[4] = {};
  win::DWORD size = sizeof data;
  win::DWORD type = 0;
  std::int32_t result = 0;
  if (win::RegQueryValueExA(key, vb::ToWindows1251(name).c_str(), nullptr, &type, data, &size) ==
          win::ERROR_SUCCESS &&
      type == win::REG_DWORD) {
    result = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<win::DWORD>(data[3]) << 24));
  }
  win::RegCloseKey(key);
  return result;
}

void WriteRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name, std::int32_t value) {
  const std::string subkey = vb::ToWindows1251(path);
  win::HKEY key = 0;
  if (win::RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE, win::KEY_SET_VALUE,
                           nullptr, &key, nullptr) != win::ERROR_SUCCESS)
    return;
  const auto bits = static_cast<win::DWORD>(value);
  const win::BYTE data[4] = {static_cast<win::BYTE>(bits), static_cast<win::BYTE>(bits >> 8),
                             static_cast<win::BYTE>(bits >> 16), static_cast<win::BYTE>(bits >> 24)};
  win::RegSetValueExA(key, vb::ToWindows1251(name).c_str(), 0, win::REG_DWORD, data, sizeof data);
  win::RegCloseKey(key);
}

}  // namespace modRegistry
