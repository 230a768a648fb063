#include "platform/shell/run_history.h"

#include <algorithm>

#include "platform/registry/registry.h"

namespace platform::shell {
namespace {

constexpr char16_t kKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

std::u16string NameOf(std::size_t i) {
  const std::string digits = std::to_string(i + 1);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Read(win::HKEY key, const std::u16string& name) {
  win::DWORD type = 0, size = 0;
  if (win::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != win::ERROR_SUCCESS || type != win::REG_SZ)
    return {};
  std::u16string text(size / 2, u'\0');
  if (win::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<win::BYTE*>(text.data()), &size) !=
      win::ERROR_SUCCESS)
    return {};
  return text;
}

}  // namespace

std::vector<std::u16string> RunHistory() {
  std::vector<std::u16string> commands;
  win::HKEY key = 0;
  if (win::RegOpenKeyExW(win::HKEY_CURRENT_USER, kKey, 0, win::KEY_READ, &key) != win::ERROR_SUCCESS) return commands;
  for (std::size_t i = 0; i < kRunHistorySize; ++i) {
    std::u16string command = Read(key, NameOf(i));
    if (!command.empty()) commands.push_back(std::move(command));
  }
  win::RegCloseKey(key);
  return commands;
}

void RememberRun(const std::u16string& command) {
  std::vector<std::u16string> commands = RunHistory();
  commands.erase(std::remove(commands.begin(), commands.end(), command), commands.end());
  commands.insert(commands.begin(), command);
  commands.resize(std::min(commands.size(), kRunHistorySize));
  win::HKEY key = 0;
  if (win::RegCreateKeyExW(win::HKEY_CURRENT_USER, kKey, 0, nullptr, 0, win::KEY_WRITE, nullptr, &key, nullptr) !=
      win::ERROR_SUCCESS)
    return;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const auto bytes = static_cast<win::DWORD>(commands[i].size() * 2);
    win::RegSetValueExW(key, NameOf(i).c_str(), 0, win::REG_SZ, reinterpret_cast<const win::BYTE*>(commands[i].data()), bytes);
  }
  win::RegCloseKey(key);
}

}  // namespace platform::shell
