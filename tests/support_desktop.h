// A desktop of the test's own while the object lives: XDG data and configuration folders in a
// temporary folder and no desktop environment named, so the question which program opens files of
// a type (xdg-mime, xdg-open) sees only the programs the test registers. Each registered program
// writes the path it was started on into opened(). The environment is put back when it goes.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace qmtest {

class PrivateDesktop {
 public:
  PrivateDesktop() {
    for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "XDG_CURRENT_DESKTOP",
                             "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "BROWSER"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    std::filesystem::create_directories(applications());
    std::filesystem::create_directories(dir_.path() / "system");
    // The system's file types stay known; its programs do not.
    std::error_code ec;
    std::filesystem::create_directory_symlink(SystemMimeFolder(), dir_.path() / "system" / "mime", ec);
    std::filesystem::create_directories(dir_.path() / "config");
    setenv("XDG_DATA_HOME", (dir_.path() / "data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (dir_.path() / "system").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (dir_.path() / "config").c_str(), 1);
    const std::filesystem::path recorder = dir_.path() / "recorder.sh";
    WriteBytes(recorder, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened().string() + ".part\" && mv \"" +
                             opened().string() + ".part\" \"" + opened().string() + "\"\n");
    chmod(recorder.c_str(), 0755);
    WriteBytes(applications() / "qm-recorder.desktop",
               "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + recorder.string() + " %f\n");
  }
  ~PrivateDesktop() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  PrivateDesktop(const PrivateDesktop&) = delete;
  PrivateDesktop& operator=(const PrivateDesktop&) = delete;

  // The shared MIME database of the desktop the test started in.
  std::filesystem::path SystemMimeFolder() const {
    std::string dirs = "/usr/local/share:/usr/share";
    for (const auto& [name, value] : saved_)
      if (name == "XDG_DATA_DIRS" && value && !value->empty()) dirs = *value;
    for (std::size_t from = 0, to; from <= dirs.size(); from = to + 1) {
      to = dirs.find(':', from);
      if (to == std::string::npos) to = dirs.size();
      const std::filesystem::path mime = std::filesystem::path(dirs.substr(from, to - from)) / "mime";
      if (std::filesystem::exists(mime / "mime.cache")) return mime;
    }
    return "/usr/share/mime";
  }

  // The recorder becomes the desktop's program for files of this type.
  void Opens(const std::string& mimeType) {
    defaults_ += mimeType + "=qm-recorder.desktop\n";
    WriteBytes(applications() / "mimeapps.list", "[Default Applications]\n" + defaults_);
  }
  // The user's applications folder, the system's, and the system's configuration folder.
  std::filesystem::path applications() const { return dir_.path() / "data" / "applications"; }
  std::filesystem::path systemApplications() const { return dir_.path() / "system" / "applications"; }
  std::filesystem::path systemConfig() const { return dir_.path() / "config"; }
  // The file the recorder writes the path it was started on into.
  std::filesystem::path opened() const { return dir_.path() / "opened"; }

 private:
  TempDir dir_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  std::string defaults_;
};

}  // namespace qmtest
