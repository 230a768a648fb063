// What the settings store's tests share: the file's text, the damaged files set aside beside it,
// values written and read through the store, a child process, and a fresh settings file per test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/registry/store.h"
#include "support.h"

namespace regtest {

using namespace win;
namespace fs = std::filesystem;
namespace reg = platform::registry;
using qmtest::ReadBytes;
using qmtest::WriteBytes;

// The file's text without its comment lines.
inline std::string FileBody() {
  std::string body;
  std::string text = ReadBytes(reg::FilePath());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    if (text[pos] != ';') body += text.substr(pos, end - pos) + "\n";
    pos = end + 1;
  }
  return body.substr(body.find('['));
}

inline std::vector<fs::path> DamagedFiles() {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(reg::FilePath().parent_path())) {
    if (entry.path().filename().string().rfind("registry.reg.damaged-", 0) == 0) found.push_back(entry.path());
  }
  return found;
}

inline LONG SetText(std::u16string_view path, std::u16string_view name, std::u16string text) {
  reg::Value value;
  value.type = REG_SZ;
  value.text = std::move(text);
  return reg::SetValue(path, name, value);
}

inline LONG SetNumber(std::u16string_view path, std::u16string_view name, DWORD number) {
  reg::Value value;
  value.type = REG_DWORD;
  value.number = number;
  return reg::SetValue(path, name, value);
}

inline std::optional<std::u16string> GetText(std::u16string_view path, std::u16string_view name) {
  reg::Value value;
  if (reg::QueryValue(path, name, &value) != ERROR_SUCCESS || value.type != REG_SZ) return std::nullopt;
  return value.text;
}

// Runs `body` in a child process that uses nothing but the store, and gives its exit status.
inline int InChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Registry : public ::testing::Test {
 protected:
  // A damaged file a test left set aside is no news for the next test.
  void TearDown() override { reg::TakeSetAsideFile(); }
  qmtest::FreshSettings settings;
};

}  // namespace regtest
