#include "platform/shell/display_settings.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/shell/shell.h"

namespace platform::shell {
namespace {

struct Candidate {
  std::string_view desktop;  // empty: any desktop
  std::u16string_view command;
};

constexpr Candidate kCandidates[] = {
    {"GNOME", u"gnome-control-center display"},
    {"KDE", u"kcmshell5 kcm_kscreen"},
    {"XFCE", u"xfce4-display-settings"},
    {"MATE", u"mate-display-properties"},
    {"X-CINNAMON", u"cinnamon-settings display"},
    {"LXQT", u"lxqt-config-monitor"},
    {"", u"lxrandr"},
    {"", u"arandr"},
};

// XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME"); names compare without regard to
// case.
bool RunningOn(std::string_view desktop) {
  const char* value = std::getenv("XDG_CURRENT_DESKTOP");
  std::string list = value != nullptr ? value : "";
  for (char& c : list) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (std::string_view(list).substr(start, end - start) == desktop) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool StartDisplaySettings() {
  for (const Candidate& c : kCandidates) {
    if (!c.desktop.empty() && !RunningOn(c.desktop)) continue;
    if (StartProgram(SplitCommand(c.command)) != 0) return true;
  }
  return false;
}

}  // namespace platform::shell
