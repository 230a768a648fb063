// The commands the Run window started, the latest first, kept in the current user's registry where
// the platform keeps them (Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU, values "1"
// to "10"), so the window offers them again in the next session too.
#pragma once

#include <string>
#include <vector>

namespace platform::shell {

inline constexpr std::size_t kRunHistorySize = 10;

std::vector<std::u16string> RunHistory();
// Puts the command first; an equal one further down goes, the oldest beyond ten goes.
void RememberRun(const std::u16string& command);

}  // namespace platform::shell
