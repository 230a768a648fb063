#include "core/registry.h"

#include "core/settings_schema.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "core/main_window.h"
#include "platform/registry/store.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"

namespace modRegistry {

namespace {

// The settings file the user was last told keeps no changes: each file is told once a run.
std::filesystem::path toldNotKept;

// A write the settings file could not take is said once a run, at the first one: the user learns
// that changes will not be kept. The file keeps what it held.
void ReportFailedWrite(win::LONG result) {
  const std::filesystem::path file = platform::registry::FilePath();
  if (result != win::ERROR_REGISTRY_IO_FAILED || toldNotKept == file) return;
  toldNotKept = file;
  vb::MsgBox(u"Не удаётся сохранить параметры программы в файл\r\n" + vb::FromUtf8(file.string()) +
                 u"\r\nПапка или файл недоступны для записи. Изменения параметров, сделанные до конца работы "
                 u"программы, не будут сохранены.",
             vb::vbExclamation, core::kProgramTitle);
}

// Why the settings file cannot be read, from the system's error number.
std::u16string WhyUnreadable(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return u"нет прав на его чтение";
    case EISDIR: return u"это папка, а не файл";
    case ELOOP: return u"символические ссылки на него образуют петлю";
    case ENOTDIR: return u"путь к нему проходит через файл, а не папку";
    default: return u"ошибка чтения";
  }
}

// Why a damaged settings file cannot be set aside, from the system's error number.
std::u16string WhyNotSetAside(int error) {
  switch (error) {
    case EROFS: return u"папка с ним доступна только для чтения";
    case EACCES:
    case EPERM: return u"нет прав на изменение папки с ним";
    default: return u"ошибка записи";
  }
}

}  // namespace

void ReportDamagedSettings() {
  if (const auto unreadable = platform::registry::UnreadableSettingsFile()) {
    toldNotKept = unreadable->file;
    const std::u16string what =
        unreadable->partly ? u"повреждён: его не удалось прочитать целиком, а отложить его копию нельзя: " +
                                 WhyNotSetAside(unreadable->error) +
                                 u".\r\nПараметры, которые удалось прочитать, используются, остальные получили "
                                 u"значения по умолчанию."
                           : u"не удаётся прочитать: " + WhyUnreadable(unreadable->error) +
                                 u".\r\nПрограмма работает с параметрами по умолчанию.";
    vb::MsgBox(u"Файл параметров программы\r\n" + vb::FromUtf8(unreadable->file.string()) + u"\r\n" + what +
                   u" Файл оставлен как есть; изменения параметров, сделанные до конца работы программы, не будут "
                   u"сохранены.",
               vb::vbExclamation, core::kProgramTitle);
    return;
  }
  const std::optional<platform::registry::SetAsideFile> damaged = platform::registry::TakeSetAsideFile();
  if (!damaged) return;
  vb::MsgBox(u"Файл параметров программы\r\n" + vb::FromUtf8(damaged->file.string()) +
                 u"\r\nповреждён: его не удалось прочитать целиком. Все параметры, которые удалось прочитать, "
                 u"сохранены, остальные получили значения по умолчанию.\r\nПрежний файл сохранён как\r\n" +
                 vb::FromUtf8(damaged->keptAs.string()),
             vb::vbExclamation, core::kProgramTitle);
}

// The store is reached through the registry's UTF-16 functions: a text the single-byte code page
// cannot hold (a folder name with "é", say) comes back as it was written.

namespace {

// ReadRegistryString of a text of at most `longest` units: a longer one reads as none, and only its
// size is asked for.
std::optional<std::u16string> ReadText(win::HKEY root, std::u16string_view path, std::u16string_view name,
                                       std::size_t longest) {
  const std::u16string subkey(path);
  const std::u16string valueName(name);
  win::HKEY key = 0;
  // A failed open leaves key 0, and the queries below then fail.
  win::RegOpenKeyExW(root, subkey.c_str(), 0, win::KEY_QUERY_VALUE, &key);
  std::optional<std::u16string> result;
  win::DWORD type = 0;
  win::DWORD size = 0;
  if (win::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == win::ERROR_SUCCESS &&
      type == win::REG_SZ && size / 2 <= longest) {
    std::u16string buffer(size / 2, u' ');
    // The value may have changed since the size was asked for (another process); only the units
    // the query reports belong to it.
    if (win::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<win::BYTE*>(buffer.data()),
                              &size) == win::ERROR_SUCCESS &&
        type == win::REG_SZ) {
      buffer.resize(size / 2);
      buffer.resize(std::min(buffer.find(u'\0'), buffer.size()));
      result = std::move(buffer);
    }
  }
  win::RegCloseKey(key);
  return result;
}

}  // namespace

std::optional<std::u16string> ReadRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name) {
  return ReadText(root, path, name, SIZE_MAX);
}

void WriteRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name,
                         std::u16string_view text) {
  const std::u16string subkey(path);
  win::HKEY key = 0;
  const win::LONG created = win::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE,
                                                 win::KEY_SET_VALUE, nullptr, &key, nullptr);
  if (created != win::ERROR_SUCCESS) return ReportFailedWrite(created);
  ReportFailedWrite(win::RegSetValueExW(key, std::u16string(name).c_str(), 0, win::REG_SZ,
                                        reinterpret_cast<const win::BYTE*>(text.data()),
                                        static_cast<win::DWORD>(text.size() * 2)));
  win::RegCloseKey(key);
}

std::int32_t ReadRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name) {
  const std::u16string subkey(path);
  win::HKEY key = 0;
  win::RegOpenKeyExW(root, subkey.c_str(), 0, win::KEY_QUERY_VALUE, &key);
  win::BYTE data[4] = {};
  win::DWORD size = sizeof data;
  win::DWORD type = 0;
  std::int32_t result = 0;
  if (win::RegQueryValueExW(key, std::u16string(name).c_str(), nullptr, &type, data, &size) == win::ERROR_SUCCESS &&
      type == win::REG_DWORD) {
    result = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<win::DWORD>(data[3]) << 24));
  }
  win::RegCloseKey(key);
  return result;
}

bool RegistryValueExists(win::HKEY root, std::u16string_view path, std::u16string_view name) {
  const std::u16string subkey(path);
  win::HKEY key = 0;
  if (win::RegOpenKeyExW(root, subkey.c_str(), 0, win::KEY_QUERY_VALUE, &key) != win::ERROR_SUCCESS) return false;
  const bool found = win::RegQueryValueExW(key, std::u16string(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
                     win::ERROR_SUCCESS;
  win::RegCloseKey(key);
  return found;
}

void WriteRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name, std::int32_t value) {
  const std::u16string subkey(path);
  win::HKEY key = 0;
  const win::LONG created = win::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE,
                                                 win::KEY_SET_VALUE, nullptr, &key, nullptr);
  if (created != win::ERROR_SUCCESS) return ReportFailedWrite(created);
  const auto bits = static_cast<win::DWORD>(value);
  const win::BYTE data[4] = {static_cast<win::BYTE>(bits), static_cast<win::BYTE>(bits >> 8),
                             static_cast<win::BYTE>(bits >> 16), static_cast<win::BYTE>(bits >> 24)};
  ReportFailedWrite(win::RegSetValueExW(key, std::u16string(name).c_str(), 0, win::REG_DWORD, data, sizeof data));
  win::RegCloseKey(key);
}

std::u16string ReadPreference(std::u16string_view name) {
  return ReadRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name).value_or(u"");
}

std::u16string ReadFontName() {
  return ReadText(win::HKEY_CURRENT_USER, settings::kPreferencesKey, settings::preferences::kFontName,
                  settings::preferences::kLongestFontName)
      .value_or(u"");
}

void WritePreference(std::u16string_view name, std::u16string_view text) {
  WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name, text);
}

WriteBatch::~WriteBatch() { ReportFailedWrite(batch_.Commit()); }

}  // namespace modRegistry
