// Helpers of the tests of saves that rewrite a file in place and are cut short: texts whose mixtures
// show, the files the rewrites leave in a folder, and a save held or killed by a real kill where
// the file is torn.
#pragma once

#include <filesystem>
#include <string>

#include "platform/vb/file_system.h"
#include "support.h"
#include "support_kill.h"

namespace qmtest {

// Lines that say which text and which line they are, so a mixture of two texts is seen.
inline std::string Text(const char* tag, std::size_t lines) {
  std::string out;
  for (std::size_t i = 0; i < lines; ++i) out += std::string(tag) + " line " + std::to_string(i) + "\r\n";
  return out;
}

// The texts of a rewrite that is torn: the old one, and a shorter new one.
inline const std::string kBefore = Text("old", 20000);
inline const std::string kAfter = Text("new", 12000);

// A file holding kBefore under two names in a folder of its own; recovery copies go to a state
// folder of the test's own.
struct LinkedFile {
  TempDir dir;
  FreshStateFolder state;
  std::filesystem::path a = dir.path() / "a.txt";
  std::filesystem::path b = dir.path() / "b.txt";

  LinkedFile() {
    WriteBytes(a, kBefore);
    std::filesystem::create_hard_link(a, b);
  }
};

// The files the rewrites left in a folder (their names begin ".~").
inline std::size_t LeftIn(const std::filesystem::path& folder) {
  std::size_t n = 0;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.path().filename().string().rfind(".~", 0) == 0) ++n;
  return n;
}

inline void RemoveLeft(const std::filesystem::path& folder) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.path().filename().string().rfind(".~", 0) == 0) std::filesystem::remove(e.path(), ec);
}

// Whether the file holds neither text: torn.
inline bool Torn(const std::filesystem::path& file, const std::string& before, const std::string& after) {
  const std::string now = ReadBytes(file);
  return now != before && now != after;
}

// Runs `save` in a child process; it rewrites `file` in place from `before` to a shorter `after`
// (the file has a second name). The save is stopped at the first system call where the file is
// torn (the new text written over the start of the old one, the old one's tail not yet cut), and
// `whileTorn` runs (it may let the save finish: FinishHeldChild) before the save is killed there.
// False when no call found the file torn.
inline bool SaveHeldWhereTorn(const std::function<void()>& save, const std::filesystem::path& file,
                              const std::string& before, const std::string& after,
                              const std::function<void()>& whileTorn = {}) {
  bool torn = false;
  KillAtSystemCallWhere(save, [&](int) { return torn = Torn(file, before, after); }, 0, whileTorn);
  return torn;
}

// A safe write of `after` over `file`, so held.
inline bool WriteHeldWhereTorn(const std::filesystem::path& file, const std::string& after,
                               const std::function<void()>& whileTorn = {}) {
  return SaveHeldWhereTorn([&] { vb::WriteAllBytesSafely(vb::FromUtf8(file.string()), after); }, file,
                           ReadBytes(file), after, whileTorn);
}

// The same, killed there; returns the torn content (empty when the file was never torn).
inline std::string Tear(const std::filesystem::path& file, const std::string& after) {
  return WriteHeldWhereTorn(file, after) ? ReadBytes(file) : std::string();
}

}  // namespace qmtest
